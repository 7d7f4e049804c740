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

// Rewrites a text's Windows-1251 codes in place, one byte per character as
// EncodeCp1251 gives them (a character without a code stands as '?'), and
// returns the number of changes. Passes run until one counts nothing;
// deleted characters are marked with code 0 meanwhile and removed in one
// sweep at the end (only when something was counted).
std::int32_t FixSymbols(std::string& codes, const FixSymbolsProgress& progress);
// FixSymbols over codes[0, length) short of its last step: the deleted
// characters are still there as code 0, for the caller to drop on its own
// next pass. premarked: changes of the first pass that the caller made
// already, as markers where the rules would put them; codes then hold no
// NUL of their own.
std::int32_t FixSymbolsMarked(char* codes, std::size_t length, const FixSymbolsProgress& progress,
                              std::int32_t premarked = 0);

// Whether the first pass deletes a CR followed by LF that comes after a code
// `previous` and does nothing else there, counting 2, whatever the rules do
// at `previous` (they keep it, make it a letter or delete it, and read no
// CR after it): a caller may write such a CR as a marker at once.
bool FirstPassDeletesCrAfter(std::uint8_t previous);

}  // namespace vm
