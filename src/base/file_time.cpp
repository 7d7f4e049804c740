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
  const std::string text = std::to_string(local.tm_year + 1900) + "-" +
                           std::to_string(local.tm_mon + 1) + "-" + std::to_string(local.tm_mday) +
                           " " + std::to_string(local.tm_hour) + ":" +
                           std::to_string(local.tm_min) + ":" + std::to_string(local.tm_sec);
  return Ascii(text);
}

}  // namespace vm
