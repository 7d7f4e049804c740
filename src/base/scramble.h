// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>
#include <string_view>

namespace vm {

// XOR of every character's Windows-1251 code with (length AND 30) + 1. The
// length does not change, so the scrambler is its own inverse. Characters
// without a code count as '?'.
std::u16string ScrambleText(std::u16string_view text);

}  // namespace vm
