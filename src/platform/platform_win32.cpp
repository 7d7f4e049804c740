// SPDX-License-Identifier: GPL-3.0-or-later
// The platform on Windows: wide (W) calls only, names as UTF-16.
#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include <fcntl.h>
#include <io.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <new>
#include <streambuf>

#include "platform/platform.h"

namespace vm::platform {
namespace {

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
// One ReadFile or WriteFile moves at most this much.
constexpr std::size_t kMaxTransfer = std::size_t{1} << 30;

std::string Utf8(std::wstring_view text) {
  if (text.empty()) return {};
  const int size = static_cast<int>(text.size());
  const int length =
      ::WideCharToMultiByte(CP_UTF8, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(std::max(length, 0)), '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, text.data(), size, out.data(), length, nullptr, nullptr);
  return out;
}

std::wstring Wide(std::string_view text) {
  if (text.empty()) return {};
  const int size = static_cast<int>(text.size());
  const int length = ::MultiByteToWideChar(CP_UTF8, 0, text.data(), size, nullptr, 0);
  std::wstring out(static_cast<std::size_t>(std::max(length, 0)), L'\0');
  ::MultiByteToWideChar(CP_UTF8, 0, text.data(), size, out.data(), length);
  return out;
}

// The errno value that a system error stands for; 0 when none fits.
int ErrnoOf(DWORD error) {
  switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME:
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
      return ENOENT;
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_CANNOT_MAKE:
      return EACCES;
    case ERROR_WRITE_PROTECT:
      return EROFS;
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
      return EEXIST;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
      return ENOSPC;
    case ERROR_BROKEN_PIPE:
    case ERROR_NO_DATA:             // Windows, when the reader has gone
    case ERROR_PIPE_NOT_CONNECTED:  // Wine, likewise
      return EPIPE;
    case ERROR_NOT_ENOUGH_MEMORY:
    case ERROR_OUTOFMEMORY:
      return ENOMEM;
    case ERROR_TOO_MANY_OPEN_FILES:
      return EMFILE;
    case ERROR_FILENAME_EXCED_RANGE:
      return ENAMETOOLONG;
    case ERROR_DIRECTORY:
      return ENOTDIR;
    case ERROR_NOT_SAME_DEVICE:
      return EXDEV;
    case ERROR_DIR_NOT_EMPTY:
      return ENOTEMPTY;
    case ERROR_INVALID_PARAMETER:
    case ERROR_INVALID_FUNCTION:
      return EINVAL;
    case ERROR_INVALID_HANDLE:
      return EBADF;
    case ERROR_NOT_SUPPORTED:
      return EPERM;
    case ERROR_CRC:
    case ERROR_READ_FAULT:
    case ERROR_WRITE_FAULT:
    case ERROR_GEN_FAILURE:
    case ERROR_IO_DEVICE:
      return EIO;
    default:
      return 0;
  }
}

// The description of a system error: the C library's words where an errno
// value fits, else the system's own message.
std::string Describe(DWORD error) {
  if (const int code = ErrnoOf(error); code != 0) return ErrorText(code);
  wchar_t* text = nullptr;
  const DWORD length = ::FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  std::wstring message = length > 0 ? std::wstring(text, length) : std::wstring();
  ::LocalFree(text);
  while (!message.empty() && (message.back() == L'\n' || message.back() == L'\r' ||
                              message.back() == L'.' || message.back() == L' '))
    message.pop_back();
  const std::string number = "system error " + std::to_string(error);
  return message.empty() ? number : Utf8(message) + " (" + number + ")";
}

std::string LastError() {
  return Describe(::GetLastError());
}

// A folder opened for writing fails as access denied; say what it is.
std::string OpenFailure(const std::filesystem::path& path) {
  const DWORD error = ::GetLastError();
  const DWORD attributes = ::GetFileAttributesW(path.c_str());
  if (error == ERROR_ACCESS_DENIED && attributes != INVALID_FILE_ATTRIBUTES &&
      (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
    return ErrorText(EISDIR);
  return Describe(error);
}

HANDLE AsHandle(std::intptr_t handle) {
  return reinterpret_cast<HANDLE>(handle);
}

bool WriteAll(HANDLE file, std::string_view bytes) {
  while (!bytes.empty()) {
    DWORD written = 0;
    const auto chunk = static_cast<DWORD>(std::min(bytes.size(), kMaxTransfer));
    if (!::WriteFile(file, bytes.data(), chunk, &written, nullptr)) return false;
    bytes.remove_prefix(written);
  }
  return true;
}

// Seconds and nanoseconds since 1970 of a FILETIME (100 ns since 1601).
void SetModified(const FILETIME& time, FileStatus& status) {
  constexpr std::int64_t kUnitsPerSecond = 10'000'000;
  constexpr std::int64_t k1601To1970 = 11'644'473'600LL * kUnitsPerSecond;
  const std::int64_t units =
      static_cast<std::int64_t>((static_cast<std::uint64_t>(time.dwHighDateTime) << 32U) |
                                time.dwLowDateTime) -
      k1601To1970;
  std::int64_t seconds = units / kUnitsPerSecond;
  std::int64_t rest = units % kUnitsPerSecond;
  if (rest < 0) {
    --seconds;
    rest += kUnitsPerSecond;
  }
  status.modifiedSeconds = seconds;
  status.modifiedNanoseconds = static_cast<std::uint32_t>(rest * 100);
}

bool StatusOf(HANDLE file, FileStatus& status, std::string& error) {
  status = FileStatus{};
  switch (::GetFileType(file)) {
    case FILE_TYPE_CHAR:
      status.kind = FileKind::kDevice;
      return true;
    case FILE_TYPE_PIPE:
      status.kind = FileKind::kPipe;
      return true;
    case FILE_TYPE_DISK:
      break;
    default:
      status.kind = FileKind::kOther;
      return true;
  }
  BY_HANDLE_FILE_INFORMATION info{};
  if (!::GetFileInformationByHandle(file, &info)) {
    error = LastError();
    return false;
  }
  status.kind = (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ? FileKind::kFolder
                                                                        : FileKind::kRegular;
  status.size = (static_cast<std::uint64_t>(info.nFileSizeHigh) << 32U) | info.nFileSizeLow;
  SetModified(info.ftLastWriteTime, status);
  return true;
}

// Output to a standard handle: bytes as they are, or, in a console, the UTF-8
// text as UTF-16 (a character split between two writes waits for its rest).
class StandardOutput : public std::streambuf {
 public:
  explicit StandardOutput(DWORD which) : handle_(::GetStdHandle(which)) {
    DWORD mode = 0;
    console_ = ::GetConsoleMode(handle_, &mode) != 0;
    setp(buffer_, buffer_ + sizeof buffer_);
  }
  StandardOutput(const StandardOutput&) = delete;
  StandardOutput& operator=(const StandardOutput&) = delete;
  ~StandardOutput() override { Flush(); }

 protected:
  int_type overflow(int_type ch) override {
    if (!Flush()) return traits_type::eof();
    if (!traits_type::eq_int_type(ch, traits_type::eof())) {
      *pptr() = traits_type::to_char_type(ch);
      pbump(1);
    }
    return traits_type::not_eof(ch);
  }
  int sync() override { return Flush() ? 0 : -1; }

 private:
  bool Flush() {
    const std::string_view pending(pbase(), static_cast<std::size_t>(pptr() - pbase()));
    const bool ok = console_ ? WriteConsoleText(pending) : WriteBytes(pending);
    setp(buffer_, buffer_ + sizeof buffer_);
    return ok;
  }

  bool WriteBytes(std::string_view bytes) {
    if (WriteAll(handle_, bytes)) return true;
    const int code = ErrnoOf(::GetLastError());
    errno = code != 0 ? code : EIO;
    return false;
  }

  bool WriteConsoleText(std::string_view bytes) {
    carry_.append(bytes);
    // Keep back the start of a character whose other bytes are still to come.
    std::size_t whole = carry_.size();
    for (std::size_t back = 1; back <= 3 && back <= carry_.size(); ++back) {
      const auto b = static_cast<unsigned char>(carry_[carry_.size() - back]);
      if ((b & 0xC0) == 0x80) continue;
      const std::size_t need = b >= 0xF0 ? 4 : b >= 0xE0 ? 3 : b >= 0xC0 ? 2 : 1;
      if (need > back) whole = carry_.size() - back;
      break;
    }
    std::wstring text = Wide(std::string_view(carry_).substr(0, whole));
    carry_.erase(0, whole);
    std::wstring_view left = text;
    while (!left.empty()) {
      DWORD written = 0;
      const auto chunk = static_cast<DWORD>(std::min<std::size_t>(left.size(), 8192));
      if (!::WriteConsoleW(handle_, left.data(), chunk, &written, nullptr) || written == 0) {
        errno = EIO;
        return false;
      }
      left.remove_prefix(written);
    }
    return true;
  }

  HANDLE handle_;
  bool console_ = false;
  char buffer_[4096];
  std::string carry_;
};

// Swaps the standard streams' buffers in for the life of the program and
// hands the old ones back (with everything written) at its end.
class StandardStreams {
 public:
  StandardStreams()
      : out_(STD_OUTPUT_HANDLE),
        err_(STD_ERROR_HANDLE),
        oldOut_(std::cout.rdbuf(&out_)),
        oldErr_(std::cerr.rdbuf(&err_)) {}
  StandardStreams(const StandardStreams&) = delete;
  StandardStreams& operator=(const StandardStreams&) = delete;
  ~StandardStreams() {
    std::cout.flush();
    std::cerr.flush();
    std::cout.rdbuf(oldOut_);
    std::cerr.rdbuf(oldErr_);
  }

 private:
  StandardOutput out_;
  StandardOutput err_;
  std::streambuf* oldOut_;
  std::streambuf* oldErr_;
};

}  // namespace

std::string ErrorText(int code) {
  // glibc's words, so that both systems say the same.
  switch (code) {
    case EPERM:
      return "Operation not permitted";
    case ENOENT:
      return "No such file or directory";
    case EIO:
      return "Input/output error";
    case EBADF:
      return "Bad file descriptor";
    case EAGAIN:
      return "Resource temporarily unavailable";
    case ENOMEM:
      return "Cannot allocate memory";
    case EACCES:
      return "Permission denied";
    case EBUSY:
      return "Device or resource busy";
    case EEXIST:
      return "File exists";
    case EXDEV:
      return "Invalid cross-device link";
    case ENOTDIR:
      return "Not a directory";
    case EISDIR:
      return "Is a directory";
    case EINVAL:
      return "Invalid argument";
    case EMFILE:
      return "Too many open files";
    case ENOSPC:
      return "No space left on device";
    case EROFS:
      return "Read-only file system";
    case EPIPE:
      return "Broken pipe";
    case ENAMETOOLONG:
      return "File name too long";
    case ENOTEMPTY:
      return "Directory not empty";
    default:
      return std::strerror(code);
  }
}

Created WriteNewFile(const std::filesystem::path& path, std::string_view bytes,
                     const NewFileOptions&, std::string& error) {
  // Permissions on Windows come from the folder the file is made in.
  const HANDLE file =
      ::CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr,
                    CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    const DWORD code = ::GetLastError();
    if (code == ERROR_FILE_EXISTS || code == ERROR_ALREADY_EXISTS ||
        (code == ERROR_ACCESS_DENIED &&
         ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES))
      return Created::kExists;
    error = Describe(code);
    return Created::kFailed;
  }
  bool ok = WriteAll(file, bytes) && ::FlushFileBuffers(file);
  DWORD code = ok ? 0 : ::GetLastError();
  if (!::CloseHandle(file) && ok) {
    ok = false;
    code = ::GetLastError();
  }
  if (ok) return Created::kDone;
  ::DeleteFileW(path.c_str());
  error = Describe(code);
  return Created::kFailed;
}

bool RenameOver(const std::filesystem::path& from, const std::filesystem::path& to,
                std::string& error) {
  // A virus scanner or an indexer may hold the old file open for a moment.
  for (int attempt = 0;; ++attempt) {
    if (::MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
      return true;
    const DWORD code = ::GetLastError();
    const bool busy = code == ERROR_SHARING_VIOLATION || code == ERROR_LOCK_VIOLATION ||
                      (code == ERROR_ACCESS_DENIED &&
                       (::GetFileAttributesW(to.c_str()) & FILE_ATTRIBUTE_DIRECTORY) == 0);
    if (!busy || attempt == 5) {
      error = OpenFailure(to);
      return false;
    }
    ::Sleep(40);
  }
}

Created LinkFile(const std::filesystem::path& existing, const std::filesystem::path& link,
                 std::string& error) {
  if (::CreateHardLinkW(link.c_str(), existing.c_str(), nullptr)) return Created::kDone;
  const DWORD code = ::GetLastError();
  if (code == ERROR_ALREADY_EXISTS || code == ERROR_FILE_EXISTS) return Created::kExists;
  error = Describe(code);
  return Created::kFailed;
}

Created MakePrivateFolder(const std::filesystem::path& folder, std::string& error) {
  if (::CreateDirectoryW(folder.c_str(), nullptr)) return Created::kDone;
  const DWORD code = ::GetLastError();
  if (code == ERROR_ALREADY_EXISTS || code == ERROR_FILE_EXISTS) return Created::kExists;
  error = Describe(code);
  return Created::kFailed;
}

bool AppendToFile(const std::filesystem::path& path, std::string_view bytes, std::string& error) {
  const HANDLE file = ::CreateFileW(path.c_str(), FILE_APPEND_DATA | SYNCHRONIZE, kShareAll,
                                    nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    error = OpenFailure(path);
    return false;
  }
  FileStatus status;
  if (!StatusOf(file, status, error) || status.kind != FileKind::kRegular) {
    ::CloseHandle(file);
    error = "Not a regular file";
    return false;
  }
  if (!WriteAll(file, bytes)) {
    error = LastError();
    ::CloseHandle(file);
    return false;
  }
  if (!::CloseHandle(file)) {
    error = LastError();
    return false;
  }
  return true;
}

bool StatFile(const std::filesystem::path& path, FileStatus& status, std::string& error) {
  // No access asked: only the attributes are read, whoever holds the file.
  const HANDLE file = ::CreateFileW(path.c_str(), 0, kShareAll, nullptr, OPEN_EXISTING,
                                    FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    error = LastError();
    return false;
  }
  const bool ok = StatusOf(file, status, error);
  ::CloseHandle(file);
  return ok;
}

InputFile::~InputFile() {
  if (handle_ != -1) ::CloseHandle(AsHandle(handle_));
}

bool InputFile::Open(const std::filesystem::path& path, bool, std::string& error) {
  // Opening never waits on Windows; a folder opens with backup semantics.
  const HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING,
                                    FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    error = LastError();
    return false;
  }
  FileStatus status;
  if (!StatusOf(file, status, error)) {
    ::CloseHandle(file);
    return false;
  }
  if (handle_ != -1) ::CloseHandle(AsHandle(handle_));
  handle_ = reinterpret_cast<std::intptr_t>(file);
  status_ = status;
  return true;
}

std::int64_t InputFile::Read(char* buffer, std::size_t size, std::string& error) {
  DWORD got = 0;
  const auto chunk = static_cast<DWORD>(std::min(size, kMaxTransfer));
  if (::ReadFile(AsHandle(handle_), buffer, chunk, &got, nullptr)) return got;
  const DWORD code = ::GetLastError();
  // The writer of a pipe has gone: its end.
  if (code == ERROR_BROKEN_PIPE || code == ERROR_HANDLE_EOF) return 0;
  error = Describe(code);
  return -1;
}

std::vector<FolderEntry> ListFolder(const std::filesystem::path& folder) {
  std::vector<FolderEntry> entries;
  WIN32_FIND_DATAW data{};
  const HANDLE find = ::FindFirstFileExW((folder / L"*").c_str(), FindExInfoBasic, &data,
                                         FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH);
  if (find == INVALID_HANDLE_VALUE) return entries;
  do {
    const std::wstring_view name = data.cFileName;
    if (name == L"." || name == L"..") continue;
    const DWORD attributes = data.dwFileAttributes;
    bool regular = (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE)) == 0;
    if ((attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) {
      FileStatus status;
      std::string ignored;
      regular = StatFile(folder / name, status, ignored) && status.kind == FileKind::kRegular;
    }
    entries.push_back({std::filesystem::path(name), regular});
  } while (::FindNextFileW(find, &data));
  ::FindClose(find);
  return entries;
}

bool FileLock::TryLock(const std::filesystem::path& path, std::string& error) {
  Unlock();
  busy_ = false;
  const HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, kShareAll, nullptr,
                                    OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    error = OpenFailure(path);
    return false;
  }
  OVERLAPPED at{};
  if (!::LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &at)) {
    const DWORD code = ::GetLastError();
    busy_ = code == ERROR_LOCK_VIOLATION;
    // As flock says it on Linux.
    error = code == ERROR_LOCK_VIOLATION ? ErrorText(EAGAIN) : Describe(code);
    ::CloseHandle(file);
    return false;
  }
  handle_ = reinterpret_cast<std::intptr_t>(file);
  return true;
}

void FileLock::Unlock() {
  if (handle_ == -1) return;
  ::CloseHandle(AsHandle(handle_));  // the lock goes with the handle
  handle_ = -1;
}

std::uint32_t ProcessId() {
  return ::GetCurrentProcessId();
}

bool ProcessAlive(std::uint32_t pid) {
  if (pid == 0) return false;
  const HANDLE process = ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION | SYNCHRONIZE, FALSE, pid);
  if (process == nullptr) return ::GetLastError() == ERROR_ACCESS_DENIED;
  const bool running = ::WaitForSingleObject(process, 0) == WAIT_TIMEOUT;
  ::CloseHandle(process);
  return running;
}

bool LocalTime(std::time_t t, std::tm& local) {
  constexpr std::int64_t kUnitsPerSecond = 10'000'000;
  constexpr std::int64_t k1601To1970 = 11'644'473'600LL;
  const std::int64_t seconds = static_cast<std::int64_t>(t) + k1601To1970;
  if (seconds < 0 || seconds > INT64_MAX / kUnitsPerSecond) return false;
  const auto units = static_cast<std::uint64_t>(seconds * kUnitsPerSecond);
  const FILETIME file{static_cast<DWORD>(units), static_cast<DWORD>(units >> 32U)};
  SYSTEMTIME utc{};
  SYSTEMTIME here{};
  // The zone's rules for that date, summer time included.
  if (!::FileTimeToSystemTime(&file, &utc) ||
      !::SystemTimeToTzSpecificLocalTime(nullptr, &utc, &here))
    return false;
  local = std::tm{};
  local.tm_year = here.wYear - 1900;
  local.tm_mon = here.wMonth - 1;
  local.tm_mday = here.wDay;
  local.tm_hour = here.wHour;
  local.tm_min = here.wMinute;
  local.tm_sec = here.wSecond;
  local.tm_wday = here.wDayOfWeek;
  static constexpr int kDaysBefore[] = {0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334};
  const int year = here.wYear;
  const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  local.tm_yday = kDaysBefore[local.tm_mon] + here.wDay - 1 + (leap && local.tm_mon > 1 ? 1 : 0);
  local.tm_isdst = -1;
  return true;
}

// Large pages need a privilege users do not have: plain heap memory.
void* AllocateLarge(std::size_t bytes) {
  void* memory = std::malloc(bytes == 0 ? 1 : bytes);
  if (memory == nullptr) throw std::bad_alloc();
  return memory;
}

void FreeLarge(void* memory) {
  std::free(memory);
}

void AdviseLargePages(void* /*memory*/, std::size_t /*bytes*/) {}

std::int32_t TickCount() {
  return static_cast<std::int32_t>(::GetTickCount());
}

void PrepareStandardStreams() {
  ::_setmode(::_fileno(stdin), _O_BINARY);
  ::_setmode(::_fileno(stdout), _O_BINARY);
  ::_setmode(::_fileno(stderr), _O_BINARY);
  static StandardStreams streams;
}

std::vector<std::string> CommandLineArguments(int, char**) {
  std::vector<std::string> arguments;
  int count = 0;
  wchar_t** wide = ::CommandLineToArgvW(::GetCommandLineW(), &count);
  if (wide == nullptr) return arguments;
  for (int i = 1; i < count; ++i) arguments.push_back(Utf8(wide[i]));
  ::LocalFree(wide);
  return arguments;
}

}  // namespace vm::platform
