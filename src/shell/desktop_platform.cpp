// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/desktop_platform.h"

#include <libintl.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QStandardPaths>
#include <QTranslator>
#include <array>
#include <clocale>
#include <cstdlib>

#include "app/desktop_start.h"

namespace vm::shell {

bool InstallRussianQtTranslations(QCoreApplication& app) {
  auto* translator = new QTranslator(&app);
  if (!translator->load(QStringLiteral("qtbase_ru"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    delete translator;
    return false;
  }
  return QCoreApplication::installTranslator(translator);
}

bool UseRussianSystemMessages() {
  constexpr std::array<const char*, 4> kRussian = {"ru_RU.UTF-8", "ru_RU.utf8", "ru_UA.UTF-8",
                                                   "ru_RU"};
  for (const char* name : kRussian) {
    if (std::setlocale(LC_MESSAGES, name) != nullptr) {
      // The texts come as UTF-8 whatever LC_CTYPE says; the program reads them so.
      bind_textdomain_codeset("libc", "UTF-8");
      return true;
    }
  }
  return false;
}

ProgramFolders DesktopProgramFolders(const QString& executableFolder) {
  const QFileInfo folder(executableFolder);
  return ChooseProgramFolders(
      std::filesystem::path(QFile::encodeName(folder.absoluteFilePath()).toStdString()),
      folder.isDir() && folder.isWritable(), [](const char* name) {
        const char* value = std::getenv(name);
        return std::string(value != nullptr ? value : "");
      });
}

QString InstanceSocketPath(const std::filesystem::path& dataFolder) {
  const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
  return QDir(runtime).filePath(QString::fromStdString(InstanceSocketName(dataFolder.string())));
}

}  // namespace vm::shell
