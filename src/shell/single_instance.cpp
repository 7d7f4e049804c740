// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/single_instance.h"

#include <QByteArray>
#include <QFile>

namespace vm::shell {

SingleInstance::SingleInstance(const std::filesystem::path& dataFolder)
    : lock_(QFile::decodeName(
          QByteArray::fromStdString((dataFolder / "verbalomatic.lock").string()))) {
  // Only a dead holder makes a lock stale, however old it is.
  lock_.setStaleLockTime(0);
  TryAgain();
}

bool SingleInstance::TryAgain() {
  if (!acquired_) acquired_ = lock_.tryLock(0);
  return acquired_;
}

}  // namespace vm::shell
