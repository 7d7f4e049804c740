// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/file_time.h"

#include <cstdint>
#include <ctime>
#include <string>

#include "platform/platform.h"
#include "text/strings.h"

namespace vm {

std::u16string FileTimeText(const std::filesystem::path& path) {
  platform::FileStatus status;
  std::string error;
  if (!platform::StatFile(path, status, error)) return u"?";
  // Whole seconds toward zero, the sub-second part keeping the sign.
  constexpr std::int64_t kBillion = 1'000'000'000;
  std::int64_t seconds = status.modifiedSeconds;
  std::int64_t subSecond = status.modifiedNanoseconds;
  if (seconds < 0 && subSecond > 0) {
    ++seconds;
    subSecond -= kBillion;
  }
  std::tm local{};
  if (!platform::LocalTime(static_cast<std::time_t>(seconds), local)) return u"?";
  // Whole seconds miss a file rewritten within the same second: the stamp
  // also carries the sub-second part and the size.
  const std::string text = std::to_string(local.tm_year + 1900) + "-" +
                           std::to_string(local.tm_mon + 1) + "-" + std::to_string(local.tm_mday) +
                           " " + std::to_string(local.tm_hour) + ":" +
                           std::to_string(local.tm_min) + ":" + std::to_string(local.tm_sec) + "." +
                           std::to_string(subSecond) + " " + std::to_string(status.size);
  return Ascii(text);
}

}  // namespace vm
