// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/trash.h"

#include "tools/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>

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
  localtime_r(&now, &local);
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
  for (const auto& folder : {trash, files, info}) {
    if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) {
      error = std::strerror(errno);
      return false;
    }
  }
  const std::string record = "[Trash Info]\nPath=" + EscapePath(source.string()) +
                             "\nDeletionDate=" + DeletionDate() + "\n";
  // The entry's own name only has to be unique (Path= keeps the real one);
  // a long name is cut so that "<entry>.trashinfo" still fits a file name.
  constexpr std::size_t kNameMax = 255 - std::char_traits<char>::length(".trashinfo") - 4;
  std::string name = file.filename().string();
  if (name.size() > kNameMax) name.resize(kNameMax);
  for (int n = 1; n < 1000; ++n) {
    // The info file, made exclusively, reserves the name.
    const std::string entry = n == 1 ? name : name + "." + std::to_string(n);
    const std::filesystem::path infoFile = info / (entry + ".trashinfo");
    const int fd = ::open(infoFile.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0) {
      if (errno == EEXIST) continue;
      error = std::strerror(errno);
      return false;
    }
    const bool written = WriteAll(fd, record) && ::fsync(fd) == 0;
    const int writeErrno = errno;
    ::close(fd);
    if (written && ::link(source.c_str(), (files / entry).c_str()) == 0) return true;
    const int code = written ? errno : writeErrno;
    ::unlink(infoFile.c_str());
    if (code == EEXIST) continue;
    error = std::strerror(code);
    return false;
  }
  error = std::strerror(EEXIST);
  return false;
}

bool KeepBackupCopy(const std::filesystem::path& file, const std::filesystem::path& backup,
                    std::string& error) {
  // A short pending name beside it, so that any name that fits gets its backup.
  const std::filesystem::path pending =
      backup.parent_path() / (".vm-bak-" + std::to_string(::getpid()));
  std::error_code ec;
  std::filesystem::remove(pending, ec);
  ec.clear();
  std::filesystem::create_hard_link(file, pending, ec);
  if (ec) {
    ec.clear();
    std::filesystem::copy_file(file, pending, ec);
  }
  if (!ec) std::filesystem::rename(pending, backup, ec);
  if (ec) {
    error = ec.message();
    std::error_code ignored;
    std::filesystem::remove(pending, ignored);
    return false;
  }
  return true;
}

}  // namespace vm
