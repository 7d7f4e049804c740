// SPDX-License-Identifier: GPL-3.0-or-later
#include "generation/compose.h"

#include <cmath>
#include <vector>

#include "base/word_end.h"
#include "generation/char_transforms.h"
#include "generation/lyrics.h"
#include "generation/phrase_transforms.h"
#include "generation/pick_lines.h"
#include "generation/separator.h"
#include "text/letter_case.h"
#include "text/strings.h"

namespace vm {

bool EndsInSentenceEnd(std::u16string_view sep) {
  const std::u16string_view tail = Right(sep, 2);
  return tail == u". " || tail == u"? " || tail == u"! ";
}

namespace {

void RollMood(RandomSource& random, GenerationFlags& flags, bool seeded) {
  flags.Punctuation = Chance(random, 0.5F);
  flags.NoCapsLock = Chance(random, 0.8F);
  flags.MixedCase = Chance(random, 0.5F);
  flags.Typos = Chance(random, 0.5F);
  flags.Omsk = Chance(random, 0.15F);
  flags.ParagraphBreaks = Chance(random, 0.5F);
  if (!seeded) flags.Chaos = Chance(random, 0.15F);
  flags.Lyrics = Chance(random, 0.3F);
  flags.SpeechDefects = Chance(random, 0.15F);
  flags.WordMorph = Chance(random, 0.15F);
}

void AppendBreak(std::u16string& p) {
  TrimRightBlanksInPlace(p);
  p += kBreakMarker;
}

// Case, separators, punctuation, tags and breaks of every phrase, in order.
void LayOut(RandomSource& random, const GenerationFlags& flags, std::vector<std::u16string>& ps) {
  const auto n = static_cast<std::int32_t>(ps.size());
  std::u16string sep = u" ";
  bool capitaliseNext = false;
  for (std::int32_t i = 1; i <= n; ++i) {
    std::u16string& p = ps[static_cast<std::size_t>(i - 1)];
    const bool last = i == n;
    if ((flags.NoCapsLock || flags.MixedCase) && !p.empty()) {
      if (flags.NoCapsLock)
        LowerInPlace(p);
      else
        RandomCase(random, p);
      if (i == 1 || flags.Lyrics) {
        p[0] = UpperChar(p[0]);
      } else if (flags.Punctuation || capitaliseNext) {
        if (EndsInSentenceEnd(sep)) p[0] = UpperChar(p[0]);
        capitaliseNext = false;
      }
    }

    sep = LastWordView(p, true).size() > 2 ? MakeSeparator(random, true, false, 64) : u" ";

    if (flags.Punctuation) {
      if (last) {
        sep = MakeSeparator(random, true, true, 100);
        p += sep;
        TrimRightBlanksInPlace(p);
      } else {
        if (flags.Lyrics && i % 2 == 1 && EndsInSentenceEnd(sep)) sep.assign(1, u' ');
        p += sep;
      }
    } else if (!last) {
      p += u' ';
    }

    if (flags.Markup && Chance(random, 0.1F)) {
      TrimRightBlanksInPlace(p);
      WrapInTags(random, p, flags.ClassicTags);
      if (!last) p += u' ';
    }

    if (flags.Lyrics && !last) AppendBreak(p);

    if (flags.ParagraphBreaks && !last) {
      if (flags.Lyrics) {
        if (i % 4 == 0 && (Right(sep, 2) == u" " || EndsInSentenceEnd(sep)) && Chance(random, 0.8F))
          p += kBreakMarker;
      } else if (Chance(random, 0.22F) && EndsInSentenceEnd(sep)) {
        if (flags.NoCapsLock) capitaliseNext = true;
        AppendBreak(p);
        if (!Chance(random, 0.42F)) p += kBreakMarker;
      }
    }
  }
}

}  // namespace

ComposeResult ComposeText(const ComposeContext& context, std::int32_t count, std::int32_t useed,
                          bool seededRetry) {
  RandomSource& random = context.random;
  GenerationFlags& flags = context.flags;
  ComposeResult result;

  const bool seeded = useed != 0 || seededRetry;
  if (seeded) {
    flags.Entropy = true;
    flags.UseCache = false;
    flags.Markup = false;
    flags.Chaos = false;
  }
  if (useed != 0) {
    random.Seed(static_cast<std::uint32_t>(useed));
    count = RandomUpTo(random, 31) + 1;
  }
  result.count = count;
  if (flags.Entropy) RollMood(random, flags, seeded);

  if (context.base.UBound() == -1 && !flags.Chaos) {
    result.status = ComposeStatus::kEmptyBase;
    return result;
  }

  std::int32_t n = count + RandomUpTo(random, 4);
  if (!flags.Chaos) {
    if (flags.Lyrics)
      n += RandomUpTo(random, static_cast<std::int32_t>(RoundHalfEven(count / 10.0)));
    if (flags.UseCache && context.base.UBound() - context.cache.Size() <= n) context.cache.Clear();
  }

  std::vector<std::u16string> phrases(static_cast<std::size_t>(n > 0 ? n : 0));
  const std::int32_t picked =
      phrases.empty() ? 0 : PickLines(random, context.base, flags, context.cache, phrases);
  if (picked == 0) {
    result.status = ComposeStatus::kNoPhrases;
    return result;
  }
  phrases.resize(static_cast<std::size_t>(picked));

  if (flags.Lyrics && !flags.Chaos) PairRhymes(random, context.base, flags, context.cache, phrases);
  if (flags.WordMorph && !flags.Chaos) MorphWords(random, context.base, phrases, flags.Lyrics);
  if (flags.Typos) AddTypos(random, phrases, flags.Lyrics);

  LayOut(random, flags, phrases);

  std::size_t total = 0;
  for (const auto& p : phrases) total += p.size();
  result.text.reserve(total);
  for (const auto& p : phrases) result.text += p;

  if (flags.SpeechDefects) MangleSpeech(random, result.text);
  if (flags.LatinLetters) LatinLookalikes(result.text);
  return result;
}

}  // namespace vm
