// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The Linux desktop's own ways, in one place: Russian texts from Qt and the
// C library, where the program keeps its files, and the runtime folder for
// the instance socket.
#include <QString>
#include <filesystem>

#include "app/program_folders.h"

class QCoreApplication;

namespace vm::shell {

// Installs Qt's Russian translations when they are installed (Debian:
// qt6-translations-l10n), so Qt's own texts read Russian. False without them.
bool InstallRussianQtTranslations(QCoreApplication& app);

// Has strerror (and so every system error shown inside a Russian message)
// describe errors in Russian, as UTF-8, where the C library has a Russian
// message catalogue; elsewhere the descriptions stay as they are. Only
// LC_MESSAGES changes. True when a Russian locale was taken.
bool UseRussianSystemMessages();

// The folders of this run (see ChooseProgramFolders) for the executable at
// executableFolder, from the environment.
ProgramFolders DesktopProgramFolders(const QString& executableFolder);

// The local socket of the instance that keeps its data in dataFolder: a file
// in the user's runtime folder ($XDG_RUNTIME_DIR).
QString InstanceSocketPath(const std::filesystem::path& dataFolder);

}  // namespace vm::shell
