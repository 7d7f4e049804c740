// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/file_time.h"

#include <chrono>
#include <ctime>
#include <string>

#include "text/strings.h"

namespace vm {

std::u16string FileTimeText(const std::filesystem::path& path) {
  std::error_code ec;
  const auto stamp = std::filesystem::last_write_time(path, ec);
  if (ec) return u"?";
  const auto sys = std::chrono::file_clock::to_sys(stamp);
  const std::time_t t = std::chrono::system_clock::to_time_t(
      std::chrono::time_point_cast<std::chrono::system_clock::duration>(sys));
  std::tm local{};
  if (localtime_r(&t, &local) == nullptr) return u"?";
  // Whole seconds miss a file rewritten within the same second: the stamp
  // also carries the sub-second part and the size.
  const auto subSecond =
      std::chrono::duration_cast<std::chrono::nanoseconds>(sys.time_since_epoch()).count() %
      1'000'000'000;
  const auto size = std::filesystem::file_size(path, ec);
  const std::string text =
      std::to_string(local.tm_year + 1900) + "-" + std::to_string(local.tm_mon + 1) + "-" +
      std::to_string(local.tm_mday) + " " + std::to_string(local.tm_hour) + ":" +
      std::to_string(local.tm_min) + ":" + std::to_string(local.tm_sec) + "." +
      std::to_string(subSecond) + " " + (ec ? std::string("?") : std::to_string(size));
  return Ascii(text);
}

}  // namespace vm
