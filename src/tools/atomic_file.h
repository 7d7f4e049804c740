// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Whole-file reading and writing for the files the program keeps: bases, the
// settings file, imported sources.
#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

#include "platform/platform.h"

namespace vm {

// Writes bytes to a temporary file in the same folder, flushes it to disk and
// renames it over path. On failure the temporary file is removed, the old
// file stays as it was, and error holds the system's description.
bool WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes,
                         std::string& error);

// The two halves of WriteFileAtomically, for callers with a step between:
// a new temporary file beside path holding bytes (path's permissions, flushed
// to disk), then its rename over path.
bool WriteTemporaryBeside(const std::filesystem::path& path, std::string_view bytes,
                          std::filesystem::path& temporary, std::string& error);
bool CommitTemporary(const std::filesystem::path& temporary, const std::filesystem::path& path,
                     std::string& error);

// Like WriteFileAtomically, but never replaces a file: kExists when path
// exists (or appears while the bytes are written).
platform::Created WriteFileAtomicallyAsNew(const std::filesystem::path& path,
                                           std::string_view bytes, std::string& error);

// The program's own temporary and pending-backup files start with these; a
// write removes those of processes that no longer run.
inline constexpr char kTemporaryPrefix[] = ".vm-tmp-";
inline constexpr char kBackupPrefix[] = ".vm-bak-";
void RemoveStaleTemporaries(const std::filesystem::path& folder);

// The lock file a formatter holds beside base: a short name of its own for
// every base name.
std::filesystem::path FormatterLockPath(const std::filesystem::path& base);

// Reads at most maxBytes from the start of a regular file, and never more
// than its size when opened. Folders, FIFOs and devices are refused without
// blocking. On failure error holds a description; a file too big for memory
// throws std::bad_alloc. bytes begins with `room` zero bytes of spare room.
bool ReadRegularFile(const std::filesystem::path& path, std::size_t maxBytes, std::string& bytes,
                     std::string& error, std::size_t room = 0);

}  // namespace vm
