// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/trash.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>

#include "platform/platform.h"
#include "tools/atomic_file.h"

namespace vm {
namespace {

// Path= of a .trashinfo file: the absolute path, bytes outside the URI's
// unreserved set and "/" percent-encoded.
std::string EscapePath(const std::string& path) {
  static const char* const kHex = "0123456789ABCDEF";
  std::string out;
  for (const char ch : path) {
    const auto b = static_cast<unsigned char>(ch);
    if ((b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z') || (b >= '0' && b <= '9') ||
        std::strchr("-._~/", b) != nullptr) {
      out.push_back(ch);
    } else {
      out.push_back('%');
      out.push_back(kHex[b >> 4]);
      out.push_back(kHex[b & 15]);
    }
  }
  return out;
}

std::string DeletionDate() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  platform::LocalTime(now, local);
  char text[32];
  std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%S", &local);
  return text;
}

}  // namespace

std::filesystem::path HomeTrashFolder() {
  const char* dataHome = std::getenv("XDG_DATA_HOME");
  if (dataHome != nullptr && dataHome[0] == '/') return std::filesystem::path(dataHome) / "Trash";
  const char* home = std::getenv("HOME");
  return std::filesystem::path(home != nullptr ? home : "/") / ".local/share/Trash";
}

bool LinkIntoTrash(const std::filesystem::path& file, const std::filesystem::path& trash,
                   std::string& error) {
  std::error_code ec;
  const std::filesystem::path source = std::filesystem::absolute(file, ec);
  const std::filesystem::path files = trash / "files";
  const std::filesystem::path info = trash / "info";
  std::filesystem::create_directories(trash.parent_path(), ec);  // the data home
  for (const auto& folder : {trash, files, info})
    if (platform::MakePrivateFolder(folder, error) == platform::Created::kFailed) return false;
  const std::string record = "[Trash Info]\nPath=" + EscapePath(platform::Utf8OfPath(source)) +
                             "\nDeletionDate=" + DeletionDate() + "\n";
  // The entry's own name only has to be unique (Path= keeps the real one);
  // a long name is cut so that "<entry>.trashinfo" still fits a file name.
  constexpr std::size_t kNameMax = 255 - std::char_traits<char>::length(".trashinfo") - 4;
  std::string name = platform::Utf8OfPath(file.filename());
  if (name.size() > kNameMax) name.resize(kNameMax);
  for (int n = 1; n < 1000; ++n) {
    // The info file, made exclusively, reserves the name.
    const std::string entry = n == 1 ? name : name + "." + std::to_string(n);
    const std::filesystem::path infoFile = info / platform::PathFromUtf8(entry + ".trashinfo");
    platform::NewFileOptions options;
    options.ownerOnly = true;
    const platform::Created reserved = platform::WriteNewFile(infoFile, record, options, error);
    if (reserved == platform::Created::kExists) continue;
    if (reserved == platform::Created::kFailed) return false;
    const platform::Created linked =
        platform::LinkFile(source, files / platform::PathFromUtf8(entry), error);
    if (linked == platform::Created::kDone) return true;
    std::error_code ignored;
    std::filesystem::remove(infoFile, ignored);
    if (linked == platform::Created::kFailed) return false;
  }
  error = platform::ErrorText(EEXIST);
  return false;
}

bool KeepBackupCopy(const std::filesystem::path& file, const std::filesystem::path& backup,
                    std::string& error) {
  // A short pending name beside it, so that any name that fits gets its backup.
  const std::filesystem::path pending =
      backup.parent_path() / (kBackupPrefix + std::to_string(platform::ProcessId()));
  std::error_code ec;
  std::filesystem::remove(pending, ec);
  ec.clear();
  if (platform::LinkFile(file, pending, error) != platform::Created::kDone) {
    std::filesystem::copy_file(file, pending, ec);
    if (ec) error = ec.message();
  }
  if (!ec && platform::RenameOver(pending, backup, error)) return true;
  std::error_code ignored;
  std::filesystem::remove(pending, ignored);
  return false;
}

}  // namespace vm
