#include "tools/duplicates.h"

#include <unordered_set>

#include "tools/crc32.h"

namespace vm {

std::int32_t RemoveDuplicateLines(
    std::vector<std::u16string>& lines,
    const std::function<void(std::int64_t walked, std::int64_t total)>& progress) {
  const std::size_t total = lines.size();
  clsC crc;
  std::unordered_set<std::int32_t> seen;
  seen.reserve(total);
  std::size_t kept = 0;
  for (std::size_t k = 0; k < total; ++k) {
    if (seen.insert(crc.CRC32(lines[k])).second) {
      if (kept != k) lines[kept] = std::move(lines[k]);
      ++kept;
    }
    if ((k % 1024 == 0 || k + 1 == total) && progress)
      progress(static_cast<std::int64_t>(k + 1), static_cast<std::int64_t>(total));
  }
  lines.resize(kept);
  return static_cast<std::int32_t>(total - kept);
}

}  // namespace vm
