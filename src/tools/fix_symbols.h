// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The character clean-up of base text, shared by the formatter and the import.
#include <cstdint>
#include <functional>
#include <string>

namespace vm {

struct FixSymbolsProgress {
  // Called after every 500,500 positions of a pass.
  std::function<void()> yield;
  // Called at the end of a pass that counted changes, before the next pass.
  std::function<void(std::int32_t passChanges)> passDone;
};

inline constexpr std::int32_t kFixSymbolsYieldEvery = 500'500;

// Rewrites text in place and returns the number of changes. Passes run until
// one counts nothing; deleted characters are marked with code 0 meanwhile
// and removed in one sweep at the end (only when something was counted).
std::int32_t FixSymbols(std::u16string& text, const FixSymbolsProgress& progress);

}  // namespace vm
