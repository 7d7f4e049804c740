// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/duplicates.h"

#include <bit>
#include <string_view>

#include "tools/crc32.h"

namespace vm {
namespace {

template <typename Line>
std::int32_t KeepFirstOfEach(std::vector<Line>& lines, const DuplicatesProgress& progress) {
  const std::size_t total = lines.size();
  // Open addressing: a slot holds a line's CRC and its number + 1 (0: free).
  // Equal CRCs only make a line a candidate: two distinct lines may share
  // one, and only a line equal to an earlier one is dropped.
  const std::size_t capacity = std::bit_ceil(total + total / 2 + 16);
  const std::size_t mask = capacity - 1;
  std::vector<std::uint64_t> slots(capacity, 0);
  std::vector<bool> keep(total);
  clsC crc;
  for (std::size_t k = 0; k < total; ++k) {
    const std::basic_string_view<typename Line::value_type> line = lines[k];
    const auto hash = static_cast<std::uint32_t>(crc.CRC32(line));
    std::size_t at = (hash * std::uint64_t{0x9E3779B97F4A7C15}) >> 32 & mask;
    bool seen = false;
    for (;; at = (at + 1) & mask) {
      const std::uint64_t slot = slots[at];
      if (slot == 0) break;
      if (static_cast<std::uint32_t>(slot >> 32) == hash &&
          lines[static_cast<std::uint32_t>(slot) - 1U] == line) {
        seen = true;
        break;
      }
    }
    if (!seen) slots[at] = std::uint64_t{hash} << 32 | (k + 1);
    keep[k] = !seen;
    if ((k % 1024 == 0 || k + 1 == total) && progress)
      progress(static_cast<std::int64_t>(k + 1), static_cast<std::int64_t>(total));
  }
  std::vector<std::uint64_t>().swap(slots);
  std::size_t kept = 0;
  for (std::size_t k = 0; k < total; ++k) {
    if (!keep[k]) continue;
    if (kept != k) lines[kept] = std::move(lines[k]);
    ++kept;
  }
  lines.resize(kept);
  return static_cast<std::int32_t>(total - kept);
}

}  // namespace

std::int32_t RemoveDuplicateLines(std::vector<std::u16string>& lines,
                                  const DuplicatesProgress& progress) {
  return KeepFirstOfEach(lines, progress);
}

std::int32_t RemoveDuplicateLines(std::vector<std::string_view>& lines,
                                  const DuplicatesProgress& progress) {
  return KeepFirstOfEach(lines, progress);
}

}  // namespace vm
