// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/duplicates.h"

#include <string_view>
#include <unordered_set>

#include "tools/crc32.h"

namespace vm {

std::int32_t RemoveDuplicateLines(
    std::vector<std::u16string>& lines,
    const std::function<void(std::int64_t walked, std::int64_t total)>& progress) {
  const std::size_t total = lines.size();
  // Equal CRCs only make a line a candidate: two distinct lines may share
  // one, and only a line equal to an earlier one is dropped.
  clsC crc;
  const auto hash = [&crc](std::u16string_view line) {
    return static_cast<std::size_t>(static_cast<std::uint32_t>(crc.CRC32(line)));
  };
  std::unordered_set<std::u16string_view, decltype(hash)> seen(total, hash);
  std::vector<bool> keep(total);
  for (std::size_t k = 0; k < total; ++k) {
    keep[k] = seen.insert(lines[k]).second;
    if ((k % 1024 == 0 || k + 1 == total) && progress)
      progress(static_cast<std::int64_t>(k + 1), static_cast<std::int64_t>(total));
  }
  seen = {};
  std::size_t kept = 0;
  for (std::size_t k = 0; k < total; ++k) {
    if (!keep[k]) continue;
    if (kept != k) lines[kept] = std::move(lines[k]);
    ++kept;
  }
  lines.resize(kept);
  return static_cast<std::int32_t>(total - kept);
}

}  // namespace vm
