// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where the desktop program keeps its files, decided once at start-up. Run
// from a build or an unpacked folder, it keeps them beside its executable.
// Installed, that is with its executable in the bin folder of a prefix such
// as /usr or ~/.local (or whenever its own folder cannot be written), it
// keeps its settings in $XDG_CONFIG_HOME/verbalomatic (~/.config/verbalomatic)
// and its bases, journal and instance lock in $XDG_DATA_HOME/verbalomatic
// (~/.local/share/verbalomatic).
#include <filesystem>
#include <functional>
#include <string>

namespace vm {

struct ProgramFolders {
  std::filesystem::path settings;  // verbalomatic.cfg
  std::filesystem::path data;      // the bases, "+out.txt", the instance lock
  bool perUser = false;            // the XDG folders, not the executable's own
};

// executableFolder: the absolute folder of the running executable, and
// whether it can be written. environment: the value of an environment
// variable, empty when it is not set.
ProgramFolders ChooseProgramFolders(const std::filesystem::path& executableFolder,
                                    bool executableFolderWritable,
                                    const std::function<std::string(const char*)>& environment);

// Creates both folders (and their parents) where they are missing, private
// to the user. False with the system's description when that fails.
bool MakeProgramFolders(const ProgramFolders& folders, std::string& error);

}  // namespace vm
