// SPDX-License-Identifier: GPL-3.0-or-later
#include "generation/lyrics.h"

#include "base/rhyme_search.h"
#include "generation/phrase_transforms.h"
#include "generation/pick_lines.h"
#include "text/letter_case.h"
#include "text/strings.h"

namespace vm {
namespace {

constexpr std::int32_t kLastCandidate = 31;

// A partner from candidates 0..last: random draws first, then in order, each
// admitted by the cache; -1 when the cache refuses them all.
std::int32_t AdmittedCandidate(RandomSource& random, RecentCache& cache,
                               const std::vector<std::int32_t>& candidates, std::int32_t last) {
  cache.Admit(-1);
  for (std::int32_t draw = 0; draw <= last; ++draw) {
    const std::int32_t line = candidates[static_cast<std::size_t>(RandomUpTo(random, last))];
    if (cache.Admit(line)) return line;
  }
  for (std::int32_t i = 0; i <= last; ++i) {
    const std::int32_t line = candidates[static_cast<std::size_t>(i)];
    if (cache.Admit(line)) return line;
  }
  return -1;
}

}  // namespace

void PairRhymes(RandomSource& random, const PhraseBase& base, const GenerationFlags& flags,
                RecentCache& cache, std::vector<std::u16string>& phrases) {
  const std::size_t even = phrases.size() - phrases.size() % 2;
  if (even > 0) phrases.resize(even);

  std::vector<std::u16string> couplets;
  couplets.reserve(phrases.size());
  std::vector<std::int32_t> candidates(kLastCandidate + 1);
  for (std::size_t i = 1; i < phrases.size(); i += 2) {
    const std::u16string& given = phrases[i - 1];
    std::int32_t last = FindRhymeLines(random, base, given, 3, candidates, kLastCandidate);
    if (last == -1) last = FindRhymeLines(random, base, given, 2, candidates, kLastCandidate);
    if (last == -1) continue;

    std::int32_t partner;
    if (flags.UseCache) {
      partner = AdmittedCandidate(random, cache, candidates, last);
      if (partner < 0) continue;
    } else {
      partner = candidates[static_cast<std::size_t>(RandomUpTo(random, last))];
    }
    const std::u16string_view line = TrimBlanks(base.lines[static_cast<std::size_t>(partner)]);
    phrases[i] = Upper(flags.Omsk ? ShuffleWords(random, line, true) : std::u16string(line));
    couplets.push_back(std::move(phrases[i - 1]));
    couplets.push_back(std::move(phrases[i]));
  }
  if (!couplets.empty()) phrases = std::move(couplets);

  // Cross rhyme: AABB becomes ABAB in every full quatrain.
  if (Chance(random, 0.2F)) {
    for (std::size_t j = 4; j <= phrases.size(); j += 4)
      zcs_SwapStrings(phrases[j - 3], phrases[j - 2]);
  }
}

}  // namespace vm
