// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The composition of one text: everything a generation run does short of
// showing and copying the result.
#include <cstdint>
#include <string>

#include "base/phrase_base.h"
#include "generation/options.h"
#include "generation/recent_cache.h"
#include "random/random_source.h"

namespace vm {

struct ComposeContext {
  RandomSource& random;
  GenerationFlags& flags;
  const PhraseBase& base;
  RecentCache& cache;
};

enum class ComposeStatus {
  kText,       // text holds the composed phrases
  kEmptyBase,  // no base loaded and chaos off
  kNoPhrases,  // nothing could be drawn; the caller retries unseeded
};

struct ComposeResult {
  ComposeStatus status = ComposeStatus::kText;
  std::u16string text;     // still with the two-character break markers
  std::int32_t count = 0;  // the requested count as the run left it (seeded runs choose it)
};

// useed != 0 makes the run reproducible: flags are overridden and the random
// source is reseeded from it. seededRetry is the retry of such a run after an
// empty pick: the same overrides, no reseed, the count as the first try left
// it. The flags keep the mood roll afterwards.
ComposeResult ComposeText(const ComposeContext& context, std::int32_t count, std::int32_t useed,
                          bool seededRetry = false);

// True when the last two characters of sep are ". ", "? " or "! ".
bool EndsInSentenceEnd(std::u16string_view sep);

}  // namespace vm
