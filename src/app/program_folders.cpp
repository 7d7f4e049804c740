// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/program_folders.h"

namespace vm {
namespace {

constexpr const char* kFolderName = "verbalomatic";

// An XDG base directory: the variable when it holds an absolute path (the
// base directory rules ignore relative ones), else the default under home.
std::filesystem::path BaseFolder(const std::function<std::string(const char*)>& environment,
                                 const char* variable, const std::filesystem::path& fallback) {
  const std::filesystem::path set = environment(variable);
  if (set.is_absolute()) return set;
  std::filesystem::path home = environment("HOME");
  if (!home.is_absolute()) home = "/";
  return home / fallback;
}

}  // namespace

ProgramFolders ChooseProgramFolders(const std::filesystem::path& executableFolder,
                                    bool executableFolderWritable,
                                    const std::function<std::string(const char*)>& environment) {
  std::filesystem::path folder = executableFolder.lexically_normal();
  if (!folder.has_filename()) folder = folder.parent_path();
  const bool installed = folder.filename() == "bin";
  if (!installed && executableFolderWritable) return {executableFolder, executableFolder, false};
  return {BaseFolder(environment, "XDG_CONFIG_HOME", ".config") / kFolderName,
          BaseFolder(environment, "XDG_DATA_HOME", ".local/share") / kFolderName, true};
}

bool MakeProgramFolders(const ProgramFolders& folders, std::string& error) {
  for (const auto& folder : {folders.settings, folders.data}) {
    std::error_code ec;
    if (std::filesystem::is_directory(folder, ec)) continue;
    std::filesystem::create_directories(folder, ec);
    if (!ec) {
      std::filesystem::permissions(folder, std::filesystem::perms::owner_all, ec);
      ec.clear();
    }
    if (ec) {
      error = ec.message();
      return false;
    }
  }
  return true;
}

}  // namespace vm
