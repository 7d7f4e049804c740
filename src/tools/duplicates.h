// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Drops repeated lines of a base, keeping the first of each and the order.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace vm {

// A line is dropped only when its text equals an earlier line's (the CRC-32
// of its Windows-1251 bytes is just the hash). Kept lines are moved, not copied.
// progress(walked, total) runs after line 0, every 1024th line and the last.
// Returns the number of lines dropped.
std::int32_t RemoveDuplicateLines(
    std::vector<std::u16string>& lines,
    const std::function<void(std::int64_t walked, std::int64_t total)>& progress);

}  // namespace vm
