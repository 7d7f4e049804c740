// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Lyrics: rhymed couplets built from the picked phrases.
#include <string>
#include <vector>

#include "base/phrase_base.h"
#include "generation/options.h"
#include "generation/recent_cache.h"
#include "random/random_source.h"

namespace vm {

// Pairs the phrases into couplets: an odd last phrase is dropped, every
// second phrase is replaced by a base line rhyming with the one before it
// (couplets without a partner are left out, unless none is found at all),
// and one time in five the couplets are crossed into ABAB quatrains.
// Reads UseCache and Omsk.
void PairRhymes(RandomSource& random, const PhraseBase& base, const GenerationFlags& flags,
                RecentCache& cache, std::vector<std::u16string>& phrases);

}  // namespace vm
