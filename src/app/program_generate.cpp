// SPDX-License-Identifier: GPL-3.0-or-later
// Generation runs and the console commands.
#include "app/program.h"
#include "base/rhyme_search.h"
#include "base/word_end.h"
#include "generation/compose.h"
#include "text/letter_case.h"
#include "text/strings.h"
#include "tools/crc32.h"

namespace vm {
namespace {

// Nested retries after an empty pick stop here.
constexpr int kRetryLimit = 64;

}  // namespace

Program::GenerateOutcome Program::SHIT(std::int32_t count, std::int32_t useed) {
  if (busy_) return GenerateOutcome::kBusy;
  const ComposeContext context{random_, flags_, base_, cache_};
  ComposeResult result;
  const bool seeded = useed != 0;
  // A retry goes on from where the random source stands; a seeded run's
  // retry keeps its overrides, so its text still depends on the seed alone.
  for (int attempt = 0;; ++attempt) {
    result = ComposeText(context, count, attempt == 0 ? useed : 0, seeded && attempt > 0);
    if (result.status != ComposeStatus::kNoPhrases) break;
    count = result.count;
    if (attempt + 1 >= kRetryLimit) break;
  }
  lastRun_ = {flags_, result.count};
  // A seeded run hands the flags back to the check boxes and the random
  // source back to the clock, whichever way it ended.
  if (seeded) {
    ReadOptions();
    random_.SeedFromClock();
  }

  if (result.status == ComposeStatus::kEmptyBase) {
    ShowCentred(u"Я ОБКАКАЛСЯ. ПОЧЕМУ?");
    return GenerateOutcome::kEmptyBase;
  }
  if (result.status == ComposeStatus::kNoPhrases) {
    ShowCentred(u"Не взлетело. Слишком мало строк?");
    return GenerateOutcome::kNoPhrases;
  }
  std::u16string text;
  if (seeded) {
    text = std::move(result.text);
  } else {
    text = shell_.PrologueText();
    text += result.text;
    text += shell_.EpilogueText();
  }
  ReplaceAll(text, kBreakMarker, kCrLf);
  shell_.ShowText(text, Alignment::kLeft);
  if (!shell_.IsWindowVisible() || flags_.AutoCopy) CopyToClipboard(text);
  return GenerateOutcome::kText;
}

void Program::CopyToClipboard(std::u16string_view text) {
  if (text.empty()) return;
  shell_.CopyToClipboard(text, flags_.CopyUnicode);
}

bool Program::FindRhymes(std::u16string_view text, bool lineMode) {
  if (busy_) return false;
  StopAutoMode();
  const std::int32_t limit = 32 + RandomUpTo(random_, 16);
  if (text.empty()) return false;
  const std::u16string word = Upper(LastWord(text, true, false, 0));

  std::u16string result;
  std::int32_t found = 0;
  // Offers one entry; false once the pass has to stop.
  const auto offer = [&](const std::u16string& entry) {
    if (!Contains(result, entry)) {
      result += entry;
      ++found;
    }
    return found <= limit;
  };

  if (lineMode) {
    std::vector<std::int32_t> numbers;
    for (const std::int32_t ending : {3, 2}) {
      const std::int32_t last = FindRhymeLines(random_, base_, word, ending, numbers, 31);
      for (std::int32_t k = 0; k <= last; ++k) {
        std::u16string entry(
            base_.lines[static_cast<std::size_t>(numbers[static_cast<std::size_t>(k)])]);
        entry += kCrLf;
        if (!offer(entry)) break;
      }
    }
  } else {
    std::vector<std::u16string> list;
    const std::pair<std::int32_t, int> passes[] = {{3, 33}, {2, 65}};
    for (const auto& [ending, draws] : passes) {
      if (found > limit) break;
      std::int32_t tries = 6000;
      const std::int32_t last = FindRhymeWords(random_, base_, word, ending, list, true, tries);
      if (last < 0) continue;
      for (int d = 0; d < draws; ++d) {
        const std::u16string& picked = list[static_cast<std::size_t>(RandomUpTo(random_, last))];
        if (!offer(word + u" — " + picked + std::u16string(kCrLf))) break;
      }
    }
  }

  std::u16string shown = word;
  shown += kCrLf;
  shown.append(std::min<std::size_t>(word.size(), 10), u'—');
  shown += kCrLf;
  shown += result.empty() ? std::u16string(u"Очень жаль, но не нашлось СЛОВА, брат.") : result;
  shell_.ShowText(shown, Alignment::kLeft);
  return true;
}

Program::GenerateOutcome Program::GenerateFromSeed(std::u16string_view text) {
  if (busy_) return GenerateOutcome::kBusy;
  StopAutoMode();
  if (text.empty()) return GenerateOutcome::kNothing;
  clsC crc;
  // A text whose CRC is 0 would run unseeded; it gets a fixed seed instead.
  constexpr std::int32_t kSeedForCrcZero = 0x5EED;
  const std::int32_t seed = crc.CRC32(text);
  return SHIT(0, seed != 0 ? seed : kSeedForCrcZero);
}

}  // namespace vm
