// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <new>

namespace vm {
namespace {

std::string Describe(int code) {
  return std::strerror(code);
}

}  // namespace

bool WriteAll(int fd, std::string_view bytes) {
  const char* data = bytes.data();
  std::size_t left = bytes.size();
  while (left > 0) {
    const ssize_t written = ::write(fd, data, left);
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    data += written;
    left -= static_cast<std::size_t>(written);
  }
  return true;
}

namespace {

std::filesystem::path FolderOf(const std::filesystem::path& path) {
  std::filesystem::path folder = path.parent_path();
  return folder.empty() ? std::filesystem::path(".") : folder;
}

// Opens a new, uniquely named file beside path; -1 with errno set on failure.
int CreateTemporary(const std::filesystem::path& path, std::filesystem::path& temporary) {
  static std::atomic<unsigned> counter{0};
  const std::filesystem::path folder = FolderOf(path);
  for (int attempt = 0; attempt < 100; ++attempt) {
    // Short, so that a target whose name is near the length limit still works.
    const std::string name =
        ".vm-tmp-" + std::to_string(::getpid()) + "-" + std::to_string(counter.fetch_add(1));
    temporary = folder / name;
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
}

void SyncFolder(const std::filesystem::path& folder) {
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

}  // namespace

bool WriteTemporaryBeside(const std::filesystem::path& path, std::string_view bytes,
                          std::filesystem::path& temporary, std::string& error) {
  if (path.filename().empty()) {
    error = Describe(EISDIR);
    return false;
  }
  const int fd = CreateTemporary(path, temporary);
  if (fd < 0) {
    error = Describe(errno);
    return false;
  }
  // A replaced file keeps its permissions (and its owner, where allowed).
  struct stat old {};
  if (::stat(path.c_str(), &old) == 0 && S_ISREG(old.st_mode)) {
    if (::fchown(fd, old.st_uid, old.st_gid) != 0) {
      // Only the owner's own files can be given away; the mode still holds.
    }
    ::fchmod(fd, old.st_mode & 07777);
  }

  bool ok = WriteAll(fd, bytes) && ::fsync(fd) == 0;
  int code = ok ? 0 : errno;
  if (::close(fd) != 0 && ok) {
    ok = false;
    code = errno;
  }
  if (!ok) {
    ::unlink(temporary.c_str());
    error = Describe(code);
    return false;
  }
  return true;
}

bool CommitTemporary(const std::filesystem::path& temporary, const std::filesystem::path& path,
                     std::string& error) {
  if (::rename(temporary.c_str(), path.c_str()) != 0) {
    error = Describe(errno);
    ::unlink(temporary.c_str());
    return false;
  }
  SyncFolder(FolderOf(path));
  return true;
}

bool WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes,
                         std::string& error) {
  std::filesystem::path temporary;
  return WriteTemporaryBeside(path, bytes, temporary, error) &&
         CommitTemporary(temporary, path, error);
}

bool ReadRegularFile(const std::filesystem::path& path, std::size_t maxBytes, std::string& bytes,
                     std::string& error) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    error = Describe(errno);
    return false;
  }
  struct stat info {};
  if (::fstat(fd, &info) != 0) {
    error = Describe(errno);
    ::close(fd);
    return false;
  }
  if (!S_ISREG(info.st_mode)) {
    ::close(fd);
    error = S_ISDIR(info.st_mode) ? Describe(EISDIR) : "Not a regular file";
    return false;
  }
  // At most the size the file had when opened: a file that keeps growing
  // (a log, "yes > file") is read once, not without end.
  std::string data;
  try {
    data.resize(std::min<std::size_t>(maxBytes, static_cast<std::size_t>(info.st_size)));
  } catch (const std::bad_alloc&) {
    ::close(fd);
    throw;
  }
  std::size_t got = 0;
  while (got < data.size()) {
    const ssize_t n = ::read(fd, data.data() + got, data.size() - got);
    if (n < 0) {
      if (errno == EINTR) continue;
      error = Describe(errno);
      ::close(fd);
      return false;
    }
    if (n == 0) break;
    got += static_cast<std::size_t>(n);
  }
  ::close(fd);
  data.resize(got);
  bytes = std::move(data);
  return true;
}

}  // namespace vm
