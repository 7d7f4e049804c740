// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/base_input.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstring>
#include <new>

namespace vm {
namespace {

constexpr std::size_t kChunk = std::size_t{1} << 16;

std::string TooLong(std::size_t limit) {
  return "longer than " + ByteSizeText(limit) + ", more than a base may hold";
}

// Appends what read_some gives until it reports the end (0) or an error (-1).
template <typename ReadSome>
bool ReadToEnd(ReadSome readSome, std::size_t limit, std::string& bytes, std::string& error) {
  std::array<char, kChunk> chunk;
  for (;;) {
    const long n = readSome(chunk.data(), chunk.size());
    if (n < 0) {
      error = std::strerror(errno);
      return false;
    }
    if (n == 0) return true;
    if (bytes.size() + static_cast<std::size_t>(n) > limit) {
      error = TooLong(limit);
      return false;
    }
    bytes.append(chunk.data(), static_cast<std::size_t>(n));
  }
}

const char* RefusedKind(mode_t mode) {
  if (S_ISDIR(mode)) return "a folder";
  if (S_ISCHR(mode) || S_ISBLK(mode)) return "a device";
  if (S_ISSOCK(mode)) return "a socket";
  return "not a regular file";
}

bool ReadPath(const std::string& name, std::size_t limit, std::string& bytes, std::string& error) {
  struct stat info {};
  if (::stat(name.c_str(), &info) != 0) {
    error = std::strerror(errno);
    return false;
  }
  if (!S_ISREG(info.st_mode) && !S_ISFIFO(info.st_mode)) {
    error = std::string(RefusedKind(info.st_mode)) + ", not a file or pipe";
    return false;
  }
  if (S_ISREG(info.st_mode) && static_cast<std::size_t>(info.st_size) > limit) {
    error = TooLong(limit);
    return false;
  }
  // Blocks on a FIFO until a writer opens it, as cat does.
  int fd = -1;
  do fd = ::open(name.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY);
  while (fd < 0 && errno == EINTR);
  if (fd < 0) {
    error = std::strerror(errno);
    return false;
  }
  // The name may have been pointed elsewhere since the stat.
  if (::fstat(fd, &info) != 0 || (!S_ISREG(info.st_mode) && !S_ISFIFO(info.st_mode))) {
    error = std::string(RefusedKind(info.st_mode)) + ", not a file or pipe";
    ::close(fd);
    return false;
  }
  if (S_ISREG(info.st_mode)) bytes.reserve(std::min(limit, static_cast<std::size_t>(info.st_size)));
  const bool ok = ReadToEnd(
      [fd](char* buffer, std::size_t size) -> long {
        ssize_t n;
        do n = ::read(fd, buffer, size);
        while (n < 0 && errno == EINTR);
        return n;
      },
      limit, bytes, error);
  ::close(fd);
  return ok;
}

}  // namespace

bool ReadBaseInput(const std::string& name, std::istream& in, std::size_t limit, std::string& bytes,
                   std::string& error) {
  bytes.clear();
  try {
    if (name != "-") return ReadPath(name, limit, bytes, error);
    return ReadToEnd(
        [&in](char* buffer, std::size_t size) -> long {
          in.read(buffer, static_cast<std::streamsize>(size));
          if (in.bad()) {
            errno = EIO;
            return -1;
          }
          return static_cast<long>(in.gcount());
        },
        limit, bytes, error);
  } catch (const std::bad_alloc&) {
    error = "out of memory after " + std::to_string(bytes.size()) + " bytes";
    bytes = std::string();
    return false;
  }
}

std::string ByteSizeText(std::size_t bytes) {
  constexpr std::array<const char*, 4> kUnits = {"bytes", "KiB", "MiB", "GiB"};
  std::size_t unit = 0;
  while (unit + 1 < kUnits.size() && bytes >= 1024 && bytes % 1024 == 0) {
    bytes /= 1024;
    ++unit;
  }
  return std::to_string(bytes) + " " + kUnits[unit];
}

}  // namespace vm
