// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/base_input.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdint>
#include <new>

#include "platform/platform.h"

namespace vm {
namespace {

constexpr std::size_t kChunk = std::size_t{1} << 16;

std::string TooLong(std::size_t limit) {
  return "longer than " + ByteSizeText(limit) + ", more than a base may hold";
}

// Appends what readSome gives until it reports the end (0) or an error (-1,
// with error set).
template <typename ReadSome>
bool ReadToEnd(ReadSome readSome, std::size_t limit, std::string& bytes, std::string& error) {
  std::array<char, kChunk> chunk;
  for (;;) {
    const std::int64_t n = readSome(chunk.data(), chunk.size(), error);
    if (n < 0) return false;
    if (n == 0) return true;
    if (bytes.size() + static_cast<std::size_t>(n) > limit) {
      error = TooLong(limit);
      return false;
    }
    bytes.append(chunk.data(), static_cast<std::size_t>(n));
  }
}

bool Readable(platform::FileKind kind) {
  return kind == platform::FileKind::kRegular || kind == platform::FileKind::kPipe;
}

std::string Refused(platform::FileKind kind) {
  const char* what = kind == platform::FileKind::kFolder   ? "a folder"
                     : kind == platform::FileKind::kDevice ? "a device"
                     : kind == platform::FileKind::kSocket ? "a socket"
                                                           : "not a regular file";
  return std::string(what) + ", not a file or pipe";
}

bool ReadPath(const std::string& name, std::size_t limit, std::string& bytes, std::string& error) {
  const std::filesystem::path path = platform::PathFromUtf8(name);
  platform::FileStatus status;
  if (!platform::StatFile(path, status, error)) return false;
  if (!Readable(status.kind)) {
    error = Refused(status.kind);
    return false;
  }
  if (status.kind == platform::FileKind::kRegular && status.size > limit) {
    error = TooLong(limit);
    return false;
  }
  // Blocks on a FIFO until a writer opens it, as cat does.
  platform::InputFile file;
  if (!file.Open(path, true, error)) return false;
  // The name may have been pointed elsewhere since the stat.
  if (!Readable(file.Status().kind)) {
    error = Refused(file.Status().kind);
    return false;
  }
  if (file.Status().kind == platform::FileKind::kRegular)
    bytes.reserve(static_cast<std::size_t>(std::min<std::uint64_t>(limit, file.Status().size)));
  return ReadToEnd([&file](char* buffer, std::size_t size,
                           std::string& why) { return file.Read(buffer, size, why); },
                   limit, bytes, error);
}

}  // namespace

bool ReadBaseInput(const std::string& name, std::istream& in, std::size_t limit, std::string& bytes,
                   std::string& error) {
  bytes.clear();
  try {
    if (name != "-") return ReadPath(name, limit, bytes, error);
    return ReadToEnd(
        [&in](char* buffer, std::size_t size, std::string& why) -> std::int64_t {
          in.read(buffer, static_cast<std::streamsize>(size));
          if (in.bad()) {
            why = platform::ErrorText(EIO);
            return -1;
          }
          return in.gcount();
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
