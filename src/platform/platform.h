// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Everything that differs between Linux and Windows, behind one interface:
// files written whole and durably, creation without replacing, second links,
// locks, processes, local time, file stamps, folder listings, reads that never
// block on a FIFO, the standard streams and the command line, a monotonic
// tick count. platform_posix.cpp and platform_win32.cpp implement it; no
// other file of the logic or the command line includes a system header.
//
// File names are std::filesystem::path throughout. On Windows they are UTF-16
// and never pass through the ANSI code page. A failure is described in the C
// library's English words ("No such file or directory"), the same on both
// systems.
#include <cstddef>
#include <cstdint>
#include <ctime>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace vm::platform {

// A path from UTF-8 text, and the UTF-8 text of a path. On Linux both copy
// the bytes as they are.
inline std::filesystem::path PathFromUtf8(std::string_view utf8) {
  return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}
inline std::string Utf8OfPath(const std::filesystem::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

// The description of an errno value, as glibc words it.
std::string ErrorText(int code);

// ---- Writing

enum class Created { kDone, kExists, kFailed };

struct NewFileOptions {
  // Readable and writable by its owner alone; else the usual permissions.
  bool ownerOnly = false;
  // When this names a regular file, the new file takes its permissions (and,
  // where allowed, its owner).
  std::filesystem::path likeFile;
};

// Writes bytes to a new file at path and flushes them to the disk (fsync,
// FlushFileBuffers). Never replaces: kExists when the name is taken. A failed
// write removes the new file again.
Created WriteNewFile(const std::filesystem::path& path, std::string_view bytes,
                     const NewFileOptions& options, std::string& error);

// Renames from over to in one step, whatever to held before, and makes the
// change durable (rename and a flush of the folder; MoveFileExW with
// MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH). On failure both stay.
bool RenameOver(const std::filesystem::path& from, const std::filesystem::path& to,
                std::string& error);

// Gives an existing file a second name (a hard link). Never replaces.
Created LinkFile(const std::filesystem::path& existing, const std::filesystem::path& link,
                 std::string& error);

// Makes a folder that only its owner may enter. kExists when the name is taken.
Created MakePrivateFolder(const std::filesystem::path& folder, std::string& error);

// Appends bytes to a regular file, creating it when missing. A folder, FIFO
// or device at path is refused without blocking.
bool AppendToFile(const std::filesystem::path& path, std::string_view bytes, std::string& error);

// ---- Reading

enum class FileKind { kRegular, kFolder, kPipe, kDevice, kSocket, kOther };

struct FileStatus {
  FileKind kind = FileKind::kOther;
  std::uint64_t size = 0;
  // Last write, since 1970-01-01 00:00 UTC.
  std::int64_t modifiedSeconds = 0;
  std::uint32_t modifiedNanoseconds = 0;
};

// What path names, links followed. False with error when it cannot be told.
bool StatFile(const std::filesystem::path& path, FileStatus& status, std::string& error);

// A file open for reading, closed with the object.
class InputFile {
 public:
  InputFile() = default;
  InputFile(const InputFile&) = delete;
  InputFile& operator=(const InputFile&) = delete;
  ~InputFile();

  // Opens path. Unless wait is set the open never blocks: a FIFO without a
  // writer opens at once (and reads as empty). A folder opens too; its kind
  // tells.
  bool Open(const std::filesystem::path& path, bool wait, std::string& error);
  // Kind and size of the open file.
  const FileStatus& Status() const { return status_; }
  // Reads up to size bytes: their count, 0 at the end, -1 with error.
  std::int64_t Read(char* buffer, std::size_t size, std::string& error);

 private:
  std::intptr_t handle_ = -1;
  FileStatus status_;
};

struct FolderEntry {
  std::filesystem::path name;  // the name alone, without the folder
  bool regular = false;        // a regular file, links followed
};

// The entries of folder in listing order, without "." and "..". A folder that
// cannot be read lists nothing.
std::vector<FolderEntry> ListFolder(const std::filesystem::path& folder);

// ---- Processes and time

// An advisory lock on a file, held until Unlock, the object's end or the end
// of the process (a crash or a kill included).
class FileLock {
 public:
  FileLock() = default;
  FileLock(const FileLock&) = delete;
  FileLock& operator=(const FileLock&) = delete;
  ~FileLock() { Unlock(); }

  // Creates path when missing. False at once when another holder has it
  // (another process, or another FileLock of this one).
  bool TryLock(const std::filesystem::path& path, std::string& error);
  void Unlock();
  bool Held() const { return handle_ != -1; }
  // After a failed TryLock: true when another holder has the lock, false
  // when no lock could be made at all.
  bool Busy() const { return busy_; }

 private:
  std::intptr_t handle_ = -1;
  bool busy_ = false;
};

std::uint32_t ProcessId();
// True while the process pid runs (also when it belongs to another user).
bool ProcessAlive(std::uint32_t pid);

// The local calendar time of t. False when it cannot be converted.
bool LocalTime(std::time_t t, std::tm& local);

// Milliseconds of a monotonic clock, wrapping as a signed 32-bit count.
std::int32_t TickCount();

// ---- Memory

// bytes bytes of memory, left uncleared (throws std::bad_alloc), and their
// release. A big block asks the system for large pages where it has them, so
// that filling it takes one page fault per 2 MiB rather than one per 4 KiB.
void* AllocateLarge(std::size_t bytes);
void FreeLarge(void* memory);
// The same for memory allocated otherwise, before it is first touched: only
// the whole large pages inside it, and only as advice.
void AdviseLargePages(void* memory, std::size_t bytes);

// ---- A console program

// Standard input, output and error pass bytes unchanged (no CR LF
// translation: the output is UTF-8 with LF, as written). A reader that goes
// away makes writes fail with EPIPE instead of ending the process. In a
// Windows console the text is written as UTF-16.
void PrepareStandardStreams();

// The arguments after the program name, as UTF-8 (on Windows from the wide
// command line, whatever the code page).
std::vector<std::string> CommandLineArguments(int argc, char** argv);

}  // namespace vm::platform
