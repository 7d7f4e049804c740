// SPDX-License-Identifier: GPL-3.0-or-later
// The platform on Linux and other POSIX systems.
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <new>

#include "platform/platform.h"

namespace vm::platform {
namespace {

// Retries a call that an interruption cut short.
template <typename Call>
auto Retrying(Call call) {
  decltype(call()) result;
  do result = call();
  while (result < 0 && errno == EINTR);
  return result;
}

bool WriteAll(int fd, std::string_view bytes) {
  const char* data = bytes.data();
  std::size_t left = bytes.size();
  while (left > 0) {
    const ssize_t written = Retrying([&] { return ::write(fd, data, left); });
    if (written < 0) return false;
    data += written;
    left -= static_cast<std::size_t>(written);
  }
  return true;
}

FileKind KindOf(mode_t mode) {
  if (S_ISREG(mode)) return FileKind::kRegular;
  if (S_ISDIR(mode)) return FileKind::kFolder;
  if (S_ISFIFO(mode)) return FileKind::kPipe;
  if (S_ISCHR(mode) || S_ISBLK(mode)) return FileKind::kDevice;
  if (S_ISSOCK(mode)) return FileKind::kSocket;
  return FileKind::kOther;
}

FileStatus StatusOf(const struct stat& info) {
  FileStatus status;
  status.kind = KindOf(info.st_mode);
  status.size = static_cast<std::uint64_t>(info.st_size);
  status.modifiedSeconds = info.st_mtim.tv_sec;
  status.modifiedNanoseconds = static_cast<std::uint32_t>(info.st_mtim.tv_nsec);
  return status;
}

void SyncFolder(const std::filesystem::path& folder) {
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

std::filesystem::path FolderOf(const std::filesystem::path& path) {
  std::filesystem::path folder = path.parent_path();
  return folder.empty() ? std::filesystem::path(".") : folder;
}

}  // namespace

std::string ErrorText(int code) {
  return std::strerror(code);
}

Created WriteNewFile(const std::filesystem::path& path, std::string_view bytes,
                     const NewFileOptions& options, std::string& error) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC,
                        options.ownerOnly ? 0600 : 0666);
  if (fd < 0) {
    if (errno == EEXIST) return Created::kExists;
    error = ErrorText(errno);
    return Created::kFailed;
  }
  struct stat like {};
  if (!options.ownerOnly && !options.likeFile.empty() &&
      ::stat(options.likeFile.c_str(), &like) == 0 && S_ISREG(like.st_mode)) {
    if (::fchown(fd, like.st_uid, like.st_gid) != 0) {
      // Only the owner's own files can be given away; the mode still holds.
    }
    ::fchmod(fd, like.st_mode & 07777);
  }
  bool ok = WriteAll(fd, bytes) && ::fsync(fd) == 0;
  int code = ok ? 0 : errno;
  if (::close(fd) != 0 && ok) {
    ok = false;
    code = errno;
  }
  if (ok) return Created::kDone;
  ::unlink(path.c_str());
  error = ErrorText(code);
  return Created::kFailed;
}

bool RenameOver(const std::filesystem::path& from, const std::filesystem::path& to,
                std::string& error) {
  if (::rename(from.c_str(), to.c_str()) != 0) {
    error = ErrorText(errno);
    return false;
  }
  SyncFolder(FolderOf(to));
  return true;
}

Created LinkFile(const std::filesystem::path& existing, const std::filesystem::path& link,
                 std::string& error) {
  if (::link(existing.c_str(), link.c_str()) == 0) return Created::kDone;
  if (errno == EEXIST) return Created::kExists;
  error = ErrorText(errno);
  return Created::kFailed;
}

Created MakePrivateFolder(const std::filesystem::path& folder, std::string& error) {
  if (::mkdir(folder.c_str(), 0700) == 0) return Created::kDone;
  if (errno == EEXIST) return Created::kExists;
  error = ErrorText(errno);
  return Created::kFailed;
}

bool AppendToFile(const std::filesystem::path& path, std::string_view bytes, std::string& error) {
  // Non-blocking open, so that a FIFO at the path cannot hang the window.
  const int fd = ::open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_NONBLOCK | O_CLOEXEC, 0666);
  if (fd < 0) {
    error = ErrorText(errno);
    return false;
  }
  struct stat info {};
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    ::close(fd);
    error = "Not a regular file";
    return false;
  }
  if (!WriteAll(fd, bytes)) {
    error = ErrorText(errno);
    ::close(fd);
    return false;
  }
  if (::close(fd) != 0) {
    error = ErrorText(errno);
    return false;
  }
  return true;
}

bool StatFile(const std::filesystem::path& path, FileStatus& status, std::string& error) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) {
    error = ErrorText(errno);
    return false;
  }
  status = StatusOf(info);
  return true;
}

InputFile::~InputFile() {
  if (handle_ >= 0) ::close(static_cast<int>(handle_));
}

bool InputFile::Open(const std::filesystem::path& path, bool wait, std::string& error) {
  const int flags = O_RDONLY | O_CLOEXEC | O_NOCTTY | (wait ? 0 : O_NONBLOCK);
  const int fd = Retrying([&] { return ::open(path.c_str(), flags); });
  if (fd < 0) {
    error = ErrorText(errno);
    return false;
  }
  struct stat info {};
  if (::fstat(fd, &info) != 0) {
    error = ErrorText(errno);
    ::close(fd);
    return false;
  }
  if (handle_ >= 0) ::close(static_cast<int>(handle_));
  handle_ = fd;
  status_ = StatusOf(info);
  return true;
}

std::int64_t InputFile::Read(char* buffer, std::size_t size, std::string& error) {
  const ssize_t n = Retrying([&] { return ::read(static_cast<int>(handle_), buffer, size); });
  if (n < 0) error = ErrorText(errno);
  return n;
}

std::vector<FolderEntry> ListFolder(const std::filesystem::path& folder) {
  std::vector<FolderEntry> entries;
  DIR* dir = ::opendir(folder.c_str());
  if (dir == nullptr) return entries;
  while (const dirent* entry = ::readdir(dir)) {
    const std::string_view name = entry->d_name;
    if (name == "." || name == "..") continue;
    bool regular = entry->d_type == DT_REG;
    if (entry->d_type == DT_LNK || entry->d_type == DT_UNKNOWN) {
      struct stat info {};
      regular = ::fstatat(::dirfd(dir), entry->d_name, &info, 0) == 0 && S_ISREG(info.st_mode);
    }
    entries.push_back({std::filesystem::path(name), regular});
  }
  ::closedir(dir);
  return entries;
}

bool FileLock::TryLock(const std::filesystem::path& path, std::string& error) {
  Unlock();
  busy_ = false;
  const int fd = Retrying([&] { return ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666); });
  if (fd < 0) {
    error = ErrorText(errno);
    return false;
  }
  // flock belongs to the open file, so a second lock fails even within one process.
  if (Retrying([&] { return ::flock(fd, LOCK_EX | LOCK_NB); }) != 0) {
    busy_ = errno == EWOULDBLOCK;
    error = ErrorText(errno);
    ::close(fd);
    return false;
  }
  handle_ = fd;
  return true;
}

void FileLock::Unlock() {
  if (handle_ < 0) return;
  ::close(static_cast<int>(handle_));
  handle_ = -1;
}

std::uint32_t ProcessId() {
  return static_cast<std::uint32_t>(::getpid());
}

bool ProcessAlive(std::uint32_t pid) {
  // 0 and values past INT_MAX would name process groups.
  if (pid == 0 || pid > static_cast<std::uint32_t>(INT_MAX)) return false;
  return ::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM;
}

bool LocalTime(std::time_t t, std::tm& local) {
  return ::localtime_r(&t, &local) != nullptr;
}

void AdviseLargePages([[maybe_unused]] void* memory, [[maybe_unused]] std::size_t bytes) {
#if defined(MADV_HUGEPAGE)
  constexpr std::uintptr_t kHugePage = std::uintptr_t{2} << 20;
  const auto from = (reinterpret_cast<std::uintptr_t>(memory) + kHugePage - 1) & ~(kHugePage - 1);
  const auto to = (reinterpret_cast<std::uintptr_t>(memory) + bytes) & ~(kHugePage - 1);
  if (from < to) ::madvise(reinterpret_cast<void*>(from), to - from, MADV_HUGEPAGE);
#endif
}

void* AllocateLarge(std::size_t bytes) {
#if defined(MADV_HUGEPAGE)
  constexpr std::size_t kHugePage = std::size_t{2} << 20;
  if (bytes >= kHugePage) {
    const std::size_t rounded = (bytes + kHugePage - 1) & ~(kHugePage - 1);
    void* memory = std::aligned_alloc(kHugePage, rounded);
    if (memory == nullptr) throw std::bad_alloc();
    // Only advice: without transparent huge pages the memory works as well.
    AdviseLargePages(memory, rounded);
    return memory;
  }
#endif
  void* memory = std::malloc(bytes == 0 ? 1 : bytes);
  if (memory == nullptr) throw std::bad_alloc();
  return memory;
}

void FreeLarge(void* memory) {
  std::free(memory);
}

std::int32_t TickCount() {
  timespec now{};
  ::clock_gettime(CLOCK_MONOTONIC, &now);
  const auto ms = static_cast<std::uint64_t>(now.tv_sec) * 1000U +
                  static_cast<std::uint64_t>(now.tv_nsec) / 1'000'000U;
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(ms));
}

void PrepareStandardStreams() {
  std::signal(SIGPIPE, SIG_IGN);
}

std::vector<std::string> CommandLineArguments(int argc, char** argv) {
  return argc > 1 ? std::vector<std::string>(argv + 1, argv + argc) : std::vector<std::string>();
}

}  // namespace vm::platform
