// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/single_instance.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace vm::shell {
namespace {

std::filesystem::path FromLocal(const QString& path) {
  return std::filesystem::path(QFile::encodeName(path).toStdString());
}

}  // namespace

std::filesystem::path ChooseProgramFolder(const QString& executableFolder) {
  const QFileInfo folder(executableFolder);
  if (folder.isDir() && folder.isWritable()) return FromLocal(folder.absoluteFilePath());
  const QString data = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
  QDir().mkpath(data);
  return FromLocal(data);
}

SingleInstance::SingleInstance(const std::filesystem::path& programFolder)
    : lock_(QFile::decodeName(
          QByteArray::fromStdString((programFolder / "verbalomatic.lock").string()))) {
  // Only a dead holder makes a lock stale, however old it is.
  lock_.setStaleLockTime(0);
  acquired_ = lock_.tryLock(0);
}

}  // namespace vm::shell
