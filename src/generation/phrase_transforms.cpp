// SPDX-License-Identifier: GPL-3.0-or-later
#include "generation/phrase_transforms.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "base/rhyme_search.h"
#include "generation/separator.h"
#include "text/strings.h"

namespace vm {
namespace {

struct TagPair {
  std::u16string_view open;
  std::u16string_view close;
};

constexpr TagPair kBracketTags[4] = {
    {u"[b]", u"[/b]"}, {u"[spoiler]", u"[/spoiler]"}, {u"[u]", u"[/u]"}, {u"[s]", u"[/s]"}};
constexpr TagPair kClassicTags[4] = {{u"**", u"**"}, {u"%%", u"%%"}, {u"__", u"__"}, {u"*", u"*"}};

// Word endings worth morphing; an ending qualifies when it occurs in the text.
constexpr std::u16string_view kMorphEndings =
    u"НЫЙ НАЯ НОЙ НЫЕ ЕЛА АЛА ТАЛ БАЛ СИТ ВАЛ ДЕТ АТЬ НЫМ РИТ ЙТЕ ИТЕ "
    u"ИТЬ ДАЛ ЬСЯ ШУТ ШАТ ПИТ РИЛ ДИТ ТСЯ ИЖУ АЛИ АЮТ УШИ ВЕМ ИШЬ ИСЬ "
    u"КАЯ ЩАТ НИТ ЗЕТ УЕТ НЕТ ЬМИ ЛСЯ ИЛА МАЛ ДЯТ НЯЛ ЕШЬ ШЕН МЕМ АЕТ "
    u"НАЛ РАЛ ПЕЛ ОВИ АСЬ ЯЮТ ТЯТ ЬЕТ ОРЮ ЧЕТ ЬЮТ ЯТЬ ТРИ СИЛ ЛЯЛ ДЕЛ "
    u"УЛО ЧИТ ТЕТ ВИТ АШУ САЛ ЯЕМ ЗИЛ СЛА СЛО УТЬ ПАЛ СТЬ ЕБУ НИЛ ВИЛ "
    u"ЗАЛ ЬТЕ ВАЯ ИЛИ ЧИЛ ГАЛ ИЛО СУТ ЯЕТ ТИТ КИЕ ЛАЯ ТАЯ ОГО АВЬ НЯЯ "
    u"УСЬ УЛИ ОСИ КИЙ ЛАЛ НУЮ БЬЮ ЖУТ КОЙ ЧЕЕ ПЫМ ТЫМ ЗЛИ НУЛ ЖЕТ ЖИЛ "
    u"ДОХ ШЛО ЗИЙ ТЫЙ ВЫЕ ЫЛИ ДАЮ ЖАТ НОЕ ОСЬ ЛЫЕ ВОМ РХУ ЖАЛ ТЫХ ХАЛ "
    u"ИБИ ШЕЛ АЛО МОЙ АЕМ ОХО ГЛИ ИВУ ШАЛ ЕТЬ УЛА ЩЕТ ОВО РЕТ ХЛИ СЕТ "
    u"АЖИ ЕЛИ ЬШЕ ЗТЬ НЫХ КАЛ КИХ ОМУ РАЯ НИЯ ЬНО ЕДУ ДУТ РВУ ВЫЙ ВУТ "
    u"ТУЮ ШИЙ ИВО ДИЛ НИЕ НУТ ЯЛИ КАЙ ННО ЫМИ ТЫЕ АНА ЕНА ЙСЯ ЛУЮ КЛО "
    u"НИЙ ЕЖУ ЧИЕ ЙСЯ КОЙ АТЬ ХЛИ АЛИ БЕТ АЮТ ЩИЙ НЕЕ ЕТЕ ГАЯ ЩАЛ ЖНО "
    u"МАЮ МЕЛ СЕН";

constexpr std::int32_t kMorphTries = 2048;

// (length / 32) + 1, as an 8-bit counter; held at 255 for long texts instead
// of wrapping round to a small or zero budget.
std::uint8_t Budget(std::size_t length) {
  return static_cast<std::uint8_t>(std::min<std::size_t>(length / 32 + 1, 255));
}

}  // namespace

void WrapInTags(RandomSource& random, std::u16string& phrase, bool classicTags) {
  const auto k = static_cast<std::size_t>(RandomUpTo(random, 3));
  const TagPair& tags = classicTags ? kClassicTags[k] : kBracketTags[k];
  phrase.insert(0, tags.open);
  phrase.append(tags.close);
}

void MorphWords(RandomSource& random, const PhraseBase& base, std::vector<std::u16string>& phrases,
                bool keepLast) {
  std::vector<std::u16string_view> found;
  for (std::u16string& phrase : phrases) {
    std::vector<std::u16string> words = SplitWords(phrase);
    const std::size_t considered = keepLast ? words.size() - 1 : words.size();
    bool changed = false;
    for (std::size_t j = 0; j < considered; ++j) {
      if (words[j].size() <= 3 || !Chance(random, 0.5F)) continue;
      const std::u16string_view ending = Right(words[j], 3);
      if (!Contains(kMorphEndings, ending)) continue;
      std::int32_t tries = kMorphTries;
      const std::int32_t last = FindRhymeWords(random, base, ending, 3, found, false, tries);
      if (last < 0) continue;
      words[j] = found[static_cast<std::size_t>(RandomUpTo(random, last))];
      changed = true;
    }
    if (changed) phrase = Join(words, u" ");
  }
}

void QuoteAndPunctuate(RandomSource& random, std::u16string& text, double quoteChance,
                       double separatorChance) {
  std::vector<std::u16string> words = SplitWords(text);
  const auto u = static_cast<std::int64_t>(words.size()) - 1;
  std::uint8_t quoteBudget = Budget(text.size());
  std::uint8_t separatorBudget = Budget(text.size());
  const std::int64_t lo = RoundHalfEven(static_cast<double>(u) * 0.3);
  const std::int64_t hi = RoundHalfEven(static_cast<double>(u) * 0.6);
  const auto quoteP = static_cast<float>(quoteChance);
  const auto separatorP = static_cast<float>(separatorChance);

  for (std::int64_t i = 0; i <= u; ++i) {
    std::u16string& word = words[static_cast<std::size_t>(i)];
    if (Chance(random, quoteP) && word.size() > 2 && quoteBudget != 0) {
      QuoteWord(random, word);
      --quoteBudget;
    }
    const bool separate = Chance(random, separatorP) && word.size() > 2 && i < u && lo <= i &&
                          i <= hi && separatorBudget != 0;
    if (i == u) break;
    if (separate) {
      word += MakeSeparator(random, false, false, 100);
      --separatorBudget;
    } else {
      word += u' ';
    }
  }
  text = Join(words, u"");
}

void QuoteWord(RandomSource& random, std::u16string& word) {
  if (Chance(random, 0.2F)) {
    word = u"«" + word + u"»";
  } else {
    word = u"\"" + word + u"\"";
  }
}

void zcs_SwapStrings(std::u16string& a, std::u16string& b) {
  a.swap(b);
}

}  // namespace vm
