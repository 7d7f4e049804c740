// SPDX-License-Identifier: GPL-3.0-or-later
#include "generation/pick_lines.h"

#include "generation/pseudo_word.h"
#include "text/letter_case.h"
#include "text/strings.h"

namespace vm {
namespace {

constexpr std::int32_t kCacheAttempts = 33;

std::u16string AddHyphens(RandomSource& random, const std::u16string& word) {
  const auto length = static_cast<std::int64_t>(word.size());
  std::u16string out;
  out.reserve(word.size() * 2);
  std::int64_t lastHyphen = 0;
  bool stopped = false;
  for (std::int64_t a = 1; a <= length; ++a) {
    out.push_back(word[static_cast<std::size_t>(a - 1)]);
    if (!stopped && a - lastHyphen >= 2 && length - a >= 2 && Chance(random, 0.1F)) {
      out.push_back(u'-');
      lastHyphen = a;
      stopped = Chance(random, 0.5F);
    }
  }
  return out;
}

// Words per phrase in Chaos mode; the last pass adds no word, so the phrase
// has one word fewer than this.
std::int32_t ChaosWordCount(float x) {
  if (x <= 0.07F) return 1;
  if (x <= 0.22F) return 2;
  if (x <= 0.45F) return 3;
  if (x <= 0.65F) return 4;
  if (x <= 0.75F) return 5;
  if (x <= 0.85F) return 6;
  if (x <= 0.95F) return 7;
  return 8;
}

std::int32_t ChaosLengthClass(float y) {
  if (y <= 0.15F) return 0;
  if (y <= 0.3F) return 2;
  if (y <= 0.5F) return 3;
  if (y <= 0.74F) return 4;
  if (y <= 0.82F) return 5;
  if (y <= 0.9F) return 6;
  if (y <= 0.95F) return 7;
  return 8;
}

std::u16string ChaosPhrase(RandomSource& random) {
  const std::int32_t words = ChaosWordCount(random.Next());
  std::u16string phrase;
  for (std::int32_t j = 1; j <= words; ++j) {
    const std::int32_t lengthClass = ChaosLengthClass(random.Next());
    if (j == words) break;
    const auto mode = static_cast<std::uint8_t>(RandomUpTo(random, 1) + 1);
    phrase += MakePseudoWord(random, lengthClass + 2, mode, false);
    phrase += u' ';
  }
  return Upper(TrimBlanks(phrase));
}

// A line number admitted by the cache, or -1 when every attempt was refused.
std::int32_t CachedLine(RandomSource& random, std::int32_t ubound, RecentCache& cache) {
  cache.Admit(-1);  // refused without a draw; records nothing
  for (std::int32_t i = 0; i < kCacheAttempts; ++i) {
    const std::int32_t line = RandomUpTo(random, ubound);
    if (cache.Admit(line)) return line;
  }
  return -1;
}

}  // namespace

std::u16string ShuffleWords(RandomSource& random, std::u16string_view text, bool keepLast) {
  if (text.empty()) return {};
  std::vector<std::u16string> words = SplitWords(text);
  const auto last = static_cast<std::int32_t>(words.size()) - 1;
  for (std::int32_t i = 0; i <= last; ++i) {
    std::u16string& word = words[static_cast<std::size_t>(i)];
    if (!Chance(random, 0.5F) || word.size() < 4) continue;
    // The kept last word carries the rhyme: its draws are still taken, so the
    // later ones stay in place, but it keeps its spelling.
    std::u16string hyphenated = AddHyphens(random, word);
    if (!(keepLast && i == last)) word = std::move(hyphenated);
  }

  const std::int32_t m = keepLast && last > 0 ? last - 1 : last;
  const auto count = static_cast<std::size_t>(m) + 1;
  std::vector<bool> taken(count, false);
  std::size_t takenCount = 0;
  std::u16string out;
  out.reserve(text.size() * 2 + words.size());
  // Drawing until an untaken number comes up is what fixes the draw sequence.
  // A miss streak this long is practically impossible unless some numbers
  // cannot be drawn at all (beyond 2^24 words); the rest then go in order.
  const std::size_t missLimit = 64 * count + 1024;
  std::size_t misses = 0;
  while (takenCount < count && misses < missLimit) {
    const auto k = static_cast<std::size_t>(RandomUpTo(random, m));
    if (taken[k]) {
      ++misses;
      continue;
    }
    misses = 0;
    taken[k] = true;
    ++takenCount;
    out += words[k];
    out += u' ';
  }
  for (std::size_t k = 0; k < count && takenCount < count; ++k) {
    if (taken[k]) continue;
    taken[k] = true;
    ++takenCount;
    out += words[k];
    out += u' ';
  }
  if (m < last) out += words[static_cast<std::size_t>(last)];
  TrimRightBlanksInPlace(out);
  return out;
}

std::int32_t PickLines(RandomSource& random, const PhraseBase& base, const GenerationFlags& flags,
                       RecentCache& cache, std::vector<std::u16string>& phrases) {
  const std::int32_t ubound = base.UBound();
  const auto picks = static_cast<std::int64_t>(phrases.size());
  std::int32_t r = 0;
  for (std::int64_t pick = 1; pick <= picks; ++pick) {
    ++r;
    std::u16string& slot = phrases[static_cast<std::size_t>(r - 1)];
    if (flags.Chaos) {
      slot = ChaosPhrase(random);
    } else {
      if (pick > static_cast<std::int64_t>(ubound) + 1) {
        --r;
        break;
      }
      // Drawn even when the cache replaces it: the later draws depend on it.
      std::int32_t line = RandomUpTo(random, ubound);
      if (flags.UseCache) line = CachedLine(random, ubound, cache);
      if (line >= 0) {
        std::u16string text(TrimBlanks(base.lines[static_cast<std::size_t>(line)]));
        if (flags.Omsk) text = ShuffleWords(random, text, false);
        UpperInPlace(text);
        slot = std::move(text);
      }
    }
    if (slot.empty() && r > 0) --r;
  }
  return r;
}

}  // namespace vm
