// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// modRName: pronounceable Russian-looking nonsense words, built letter by
// letter from vowel/consonant alternation and a table of letter pairs.
#include <cstdint>
#include <string>

#include "random/random_source.h"

namespace vm {

// A lower-case word of length letters (empty below 2). mode 1 starts with a
// consonant, mode 2 with a vowel, anything else with any letter; capitalise
// upper-cases the first letter.
std::u16string MakePseudoWord(RandomSource& random, std::int32_t length, std::uint8_t mode,
                              bool capitalise);

}  // namespace vm
