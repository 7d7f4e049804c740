// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The rhyme searches over a phrase base: random samples of the base whose
// rhyme keys share an ending with the folded last word of a query.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "base/phrase_base.h"
#include "random/random_source.h"

namespace vm {

// Up to highestIndex + 1 line numbers (with repeats) whose keys end in the
// last endingLength letters of word's folded last word, other than lines
// ending in that word or a piece of it. 1024 draws; none when the base is
// empty. numbers grows to at least highestIndex + 1 places. Returns the index
// of the last number filled, -1 when none.
std::int32_t FindRhymeLines(RandomSource& random, const PhraseBase& base, std::u16string_view word,
                            std::int32_t endingLength, std::vector<std::int32_t>& numbers,
                            std::int32_t highestIndex);

// Words of the base that rhyme with word: last words of lines whose keys end
// in the ending, and blank-separated pieces inside lines whose folded end is
// the ending. list is emptied first and may hold repeats. While tries is not
// 0, each iteration decrements it (stopping when it reaches 0) and samples a
// random line; with tries 0 the lines are scanned in order. At most as many
// iterations as the base has lines. sameWordCheck drops the query word itself
// and words ending in it or in a piece of it. Returns the last list index.
std::int32_t FindRhymeWords(RandomSource& random, const PhraseBase& base, std::u16string_view word,
                            std::int32_t endingLength, std::vector<std::u16string>& list,
                            bool sameWordCheck, std::int32_t& tries);
// The same, with the words as views into base's lines (valid while base is).
std::int32_t FindRhymeWords(RandomSource& random, const PhraseBase& base, std::u16string_view word,
                            std::int32_t endingLength, std::vector<std::u16string_view>& list,
                            bool sameWordCheck, std::int32_t& tries);

}  // namespace vm
