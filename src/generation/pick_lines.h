// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Line picking: fills the phrase array from the base (or, in Chaos mode, from
// pseudo-words), avoiding recent lines through the cache when asked.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "base/phrase_base.h"
#include "generation/options.h"
#include "generation/recent_cache.h"
#include "random/random_source.h"

namespace vm {

// The "Омск" scrambling of one phrase: random hyphens inside longer words,
// then the words in random order; keepLast leaves the last word in place.
std::u16string ShuffleWords(RandomSource& random, std::u16string_view text, bool keepLast);

// phrases holds one empty element per pick. Fills phrases[0..n) with
// upper-case phrases and returns n; the elements from n on stay empty.
std::int32_t PickLines(RandomSource& random, const PhraseBase& base, const GenerationFlags& flags,
                       RecentCache& cache, std::vector<std::u16string>& phrases);

}  // namespace vm
