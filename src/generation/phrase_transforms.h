// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Transforms of whole phrases and words: markup tags, word morphing by
// rhyme, and the quoting and punctuating of a running text.
#include <string>
#include <vector>

#include "base/phrase_base.h"
#include "random/random_source.h"

namespace vm {

// Encloses the phrase in one of four tag pairs, bracket tags or, with
// classicTags, the classic ones ("**", "%%", "__", "*").
void WrapInTags(RandomSource& random, std::u16string& phrase, bool classicTags);

// Replaces some words longer than three letters whose last three letters are
// a known ending by base words with the same ending. keepLast spares each
// phrase's last word.
void MorphWords(RandomSource& random, const PhraseBase& base, std::vector<std::u16string>& phrases,
                bool keepLast);

// Quotes some words and puts commas or dashes after some words in the middle
// of the text (word positions 30 % to 60 %), within budgets set by the length.
void QuoteAndPunctuate(RandomSource& random, std::u16string& text, double quoteChance,
                       double separatorChance);

// «word» one time in five, otherwise "word".
void QuoteWord(RandomSource& random, std::u16string& word);

// Exchanges two strings without copying their characters.
void zcs_SwapStrings(std::u16string& a, std::u16string& b);

}  // namespace vm
