// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/atomic_file.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdio>

#include "platform/platform.h"

namespace vm {
namespace {

std::filesystem::path FolderOf(const std::filesystem::path& path) {
  std::filesystem::path folder = path.parent_path();
  return folder.empty() ? std::filesystem::path(".") : folder;
}

}  // namespace

void RemoveStaleTemporaries(const std::filesystem::path& folder) {
  for (const platform::FolderEntry& entry : platform::ListFolder(folder)) {
    const std::string name = entry.name.string();
    for (const std::string_view prefix :
         {std::string_view(kTemporaryPrefix), std::string_view(kBackupPrefix)}) {
      if (!name.starts_with(prefix)) continue;
      const std::string digits =
          name.substr(prefix.size(), name.find('-', prefix.size()) - prefix.size());
      if (digits.empty() || digits.find_first_not_of("0123456789") != std::string::npos ||
          digits.size() > 10 || std::stoull(digits) > 0xFFFFFFFFULL)
        continue;
      const auto pid = static_cast<std::uint32_t>(std::stoull(digits));
      std::error_code ec;
      if (pid != platform::ProcessId() && !platform::ProcessAlive(pid))
        std::filesystem::remove(folder / entry.name, ec);
    }
  }
}

bool WriteTemporaryBeside(const std::filesystem::path& path, std::string_view bytes,
                          std::filesystem::path& temporary, std::string& error) {
  if (path.filename().empty()) {
    error = platform::ErrorText(EISDIR);
    return false;
  }
  static std::atomic<unsigned> counter{0};
  const std::filesystem::path folder = FolderOf(path);
  // What a killed writer left here goes first.
  RemoveStaleTemporaries(folder);
  // A replaced file keeps its permissions (and its owner, where allowed).
  platform::NewFileOptions options;
  options.likeFile = path;
  for (int attempt = 0; attempt < 100; ++attempt) {
    // Short, so that a target whose name is near the length limit still works.
    temporary = folder / (std::string(kTemporaryPrefix) + std::to_string(platform::ProcessId()) +
                          "-" + std::to_string(counter.fetch_add(1)));
    switch (platform::WriteNewFile(temporary, bytes, options, error)) {
      case platform::Created::kDone:
        return true;
      case platform::Created::kFailed:
        return false;
      case platform::Created::kExists:
        break;
    }
  }
  error = platform::ErrorText(EEXIST);
  return false;
}

bool CommitTemporary(const std::filesystem::path& temporary, const std::filesystem::path& path,
                     std::string& error) {
  if (platform::RenameOver(temporary, path, error)) return true;
  std::error_code ignored;
  std::filesystem::remove(temporary, ignored);
  return false;
}

bool WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes,
                         std::string& error) {
  std::filesystem::path temporary;
  return WriteTemporaryBeside(path, bytes, temporary, error) &&
         CommitTemporary(temporary, path, error);
}

bool ReadRegularFile(const std::filesystem::path& path, std::size_t maxBytes, std::string& bytes,
                     std::string& error, std::size_t room) {
  platform::InputFile file;
  if (!file.Open(path, false, error)) return false;
  const platform::FileKind kind = file.Status().kind;
  if (kind != platform::FileKind::kRegular) {
    error =
        kind == platform::FileKind::kFolder ? platform::ErrorText(EISDIR) : "Not a regular file";
    return false;
  }
  // At most the size the file had when opened: a file that keeps growing
  // (a log, "yes > file") is read once, not without end.
  std::string data;
  const auto size = static_cast<std::size_t>(std::min<std::uint64_t>(maxBytes, file.Status().size));
  data.reserve(room + size);
  platform::AdviseLargePages(data.data(), room + size);
  data.resize(room + size);
  std::size_t got = room;
  while (got < data.size()) {
    const std::int64_t n = file.Read(data.data() + got, data.size() - got, error);
    if (n < 0) return false;
    if (n == 0) break;
    got += static_cast<std::size_t>(n);
  }
  data.resize(got);
  bytes = std::move(data);
  return true;
}

platform::Created WriteFileAtomicallyAsNew(const std::filesystem::path& path,
                                           std::string_view bytes, std::string& error) {
  std::filesystem::path temporary;
  if (!WriteTemporaryBeside(path, bytes, temporary, error)) return platform::Created::kFailed;
  // A second name for the whole new file: never replaces what appeared meanwhile.
  platform::Created made = platform::LinkFile(temporary, path, error);
  std::error_code ec;
  if (made == platform::Created::kFailed) {
    // Where there are no hard links, an exclusive create of the name itself.
    made = platform::WriteNewFile(path, bytes, {}, error);
  }
  std::filesystem::remove(temporary, ec);
  return made;
}

std::filesystem::path FormatterLockPath(const std::filesystem::path& base) {
  const std::string name = platform::Utf8OfPath(base.filename());
  std::uint32_t hash = 2166136261U;  // FNV-1a of the name's bytes
  for (const char c : name) hash = (hash ^ static_cast<unsigned char>(c)) * 16777619U;
  char hex[9];
  std::snprintf(hex, sizeof hex, "%08x", static_cast<unsigned>(hash));
  return FolderOf(base) / (std::string(".vm-lock-") + hex);
}

}  // namespace vm
