// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Transforms that change single characters: typos, random case, speech
// defects and Latin look-alike letters.
#include <string>
#include <vector>

#include "random/random_source.h"

namespace vm {

// Typos inside the words of each (upper-case) phrase: a letter of the typo
// alphabet, never the first or last character (the last three with
// spareEnd) nor one beside a blank, may be replaced or deleted.
void AddTypos(RandomSource& random, std::vector<std::u16string>& phrases, bool spareEnd);

// Every character upper or lower case at even odds, one draw each.
void RandomCase(RandomSource& random, std::u16string& phrase);

// Lisps and devoicing: letters of the speech-defect table become their
// drawn outcomes, one character for one.
void MangleSpeech(RandomSource& random, std::u16string& text);

// Cyrillic letters that look Latin become Latin; no randomness.
void LatinLookalikes(std::u16string& text);

}  // namespace vm
