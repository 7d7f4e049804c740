// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The freedesktop.org home trash, written directly so that a base file can
// be put there under its own name and place while it stays in use: the trash
// receives a second link to the file, and the caller then renames the new
// content over the original.
#include <filesystem>
#include <string>

namespace vm {

// The home trash: $XDG_DATA_HOME/Trash, else ~/.local/share/Trash.
std::filesystem::path HomeTrashFolder();

// Records file in the trash folder (files/ and info/, created when missing)
// as deleted from its own path now, as a hard link: the file itself stays
// where it is. Fails, leaving nothing behind, when the trash lies on another
// file system or cannot be written; error then says why.
bool LinkIntoTrash(const std::filesystem::path& file, const std::filesystem::path& trash,
                   std::string& error);

// Keeps the content of file as backup (a second link, else a copy), replacing
// an older backup only once the new one is whole.
bool KeepBackupCopy(const std::filesystem::path& file, const std::filesystem::path& backup,
                    std::string& error);

}  // namespace vm
