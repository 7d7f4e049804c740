// SPDX-License-Identifier: GPL-3.0-or-later
// The golden transcripts pin whole texts; these pin what they meet only by
// chance: ranges, the letters and words a rule may touch, and shares over many
// draws from a seeded source.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <map>
#include <set>

#include "base/phrase_base.h"
#include "generation/char_transforms.h"
#include "generation/lyrics.h"
#include "generation/options.h"
#include "generation/phrase_transforms.h"
#include "generation/pick_lines.h"
#include "generation/pseudo_word.h"
#include "generation/recent_cache.h"
#include "generation/separator.h"
#include "text/cp1251.h"
#include "text/letter_case.h"
#include "text/strings.h"

namespace vm {
namespace {

using Lines = std::vector<std::u16string>;

PhraseBase BaseOf(const Lines& lines) {
  IndexTimings timings;
  return IndexBaseText(
      Join(lines, kCrLf), [] { return std::int64_t{0}; }, timings);
}

// Shares of the results of f over n draws from one seeded source.
template <typename F>
std::map<std::u16string, double> Shares(int n, F f) {
  RandomSource random(20240607);
  std::map<std::u16string, double> shares;
  for (int i = 0; i < n; ++i) shares[f(random)] += 1.0 / n;
  return shares;
}

TEST(RandomSource, RangesInBothDirectionsAndJumpsAhead) {
  for (const auto& [n, lo, hi] : {std::tuple{0, 0, 0}, {4, 0, 4}, {-3, -3, 0}, {31, 0, 31}}) {
    RandomSource random(5);
    std::set<std::int32_t> seen;
    for (int i = 0; i < 2000; ++i) seen.insert(RandomUpTo(random, n));
    EXPECT_EQ(seen.size(), static_cast<std::size_t>(hi - lo + 1));
    EXPECT_TRUE(*seen.begin() == lo && *seen.rbegin() == hi) << n;
  }
  for (const std::uint64_t steps : {0U, 1U, 7U, 64U, 123457U}) {
    RandomSource jumped(99), walked(99);
    jumped.Advance(steps);
    for (std::uint64_t i = 0; i < steps; ++i) walked.Next();
    EXPECT_EQ(jumped.Next(), walked.Next()) << steps;
  }
}

// The goldens pin the kinds of separators; their longest runs are too rare there.
TEST(MakeSeparator, RunsInTheirLengths) {
  // Ellipses of 2 to 6 stops, up to 3 "?" or 5 "!", mixed runs of 1 to 3 of each.
  const auto runs = Shares(40000, [](RandomSource& r) { return MakeSeparator(r, true, true, 0); });
  for (const char16_t* s :
       {u"..", u"......", u"\?\?\?", u"!!!!!", u"\?\?\?!!!", u"!!!\?\?\?", u"?!", u"!?"})
    EXPECT_TRUE(runs.count(std::u16string(s) + u" ")) << ToUtf8(s);
  for (const char16_t* s : {u".......", u"\?\?\?\?", u"!!!!!!", u"\?\?\?\?!", u"!!!!?"})
    EXPECT_FALSE(runs.count(std::u16string(s) + u" ")) << ToUtf8(s);
}

TEST(MangleSpeech, EveryLetterOfTheTableInItsShares) {
  std::ifstream table(VM_TEST_DATA "/speech_defects.txt");
  int rows = 0;
  for (std::string cell; std::getline(table, cell);) {
    if (cell.empty() || cell[0] == '#') continue;
    const std::u16string entry = FromUtf8(cell);
    std::map<char16_t, double> expected{{entry[0], 1.0}};
    for (std::size_t at = 2; at < entry.size();) {
      const std::size_t next = entry.find_first_not_of(u".0123456789", at + 1);
      const double share = std::stod(ToUtf8(entry.substr(at + 1, next - at - 1)));
      expected[entry[at]] += share;
      expected[entry[0]] -= share;
      at = next;
    }
    RandomSource random(77);
    std::u16string text(20000, entry[0]);
    MangleSpeech(random, text);
    std::map<char16_t, double> seen;
    for (const char16_t c : text) seen[c] += 1.0 / 20000;
    for (const auto& [c, share] : seen)
      EXPECT_NEAR(share, expected[c], 0.02) << ToUtf8(std::u16string{entry[0], u'>', c});
    ++rows;
  }
  EXPECT_EQ(rows, 41);
}

TEST(LatinLookalikes, ReplacesExactlyTheTable) {
  const std::u16string table = u"ІАЕКНОРСТХіаеорсух";
  std::u16string text;
  for (char16_t c = 0x0400; c <= 0x04FF; ++c) text += c;
  std::u16string expected = text;
  for (std::size_t i = 0; i < table.size(); ++i)
    std::replace(expected.begin(), expected.end(), table[i], u"IAEKHOPCTXiaeopcyx"[i]);
  LatinLookalikes(text);
  EXPECT_EQ(text, expected);
}

// AddTypos on one phrase under 400 seeds.
Lines Typos(const std::u16string& phrase, bool spareEnd) {
  Lines out;
  for (std::uint32_t seed = 1; seed <= 400; ++seed) {
    RandomSource random(seed);
    Lines phrases{phrase};
    AddTypos(random, phrases, spareEnd);
    out.push_back(phrases[0]);
  }
  return out;
}

TEST(AddTypos, OnlyInnerUpperCaseLettersAwayFromTheEnds) {
  int changed = 0, thirdLast = 0;
  for (const auto& p : Typos(u"ЖББББББББББЗЦЧ", false)) {
    EXPECT_TRUE(StartsWith(p, u"Ж") && EndsWith(p, u"Ч")) << ToUtf8(p);
    changed += p != u"ЖББББББББББЗЦЧ";
  }
  for (const auto& p : Typos(u"ЖББББББББББЗЦЧ", true)) {
    EXPECT_TRUE(StartsWith(p, u"Ж") && EndsWith(p, u"ЗЦЧ")) << ToUtf8(p);
    thirdLast += !EndsWith(p, u"БЗЦЧ");
  }
  EXPECT_GT(changed, 100);
  EXPECT_GT(thirdLast, 0);
  for (const std::u16string phrase :
       {u"БВ", u"", u"ББ ББ ББ ББ ББ ББ", u"жжжжжжжж", u"ЁЁЁЁЁЁЁЁ", u"12,.!?-«»"})
    for (const auto& p : Typos(phrase, false)) EXPECT_EQ(p, phrase);
  // Deletions: 0.065 * 0.5 per consonant, 0.065 * 0.4 * 0.5 per vowel; a
  // replacement may be any letter of the alphabet, the last one included.
  std::set<char16_t> letters;
  for (const auto& [letter, lost] : {std::pair{u'Б', 3250.0}, {u'Ь', 3250.0}, {u'Э', 1300.0}}) {
    RandomSource random(2024);
    Lines phrases(100, std::u16string(1002, letter));
    AddTypos(random, phrases, false);
    double gone = 0;
    for (const auto& p : phrases) {
      gone += static_cast<double>(1002 - p.size());
      letters.insert(p.begin(), p.end());
    }
    EXPECT_NEAR(gone, lost, lost * 0.12);
  }
  EXPECT_EQ(letters.size(), 32U);
}

TEST(ShuffleWords, PermutesUniformlyKeepsTheLastAndHyphenatesOnlyInside) {
  std::map<std::u16string, int> firsts;
  for (std::uint32_t seed = 1; seed <= 600; ++seed) {
    RandomSource random(seed);
    const std::u16string out = ShuffleWords(random, u"КОТИК ПЁСИК КОТ ХОМЯЧОК", true);
    ASSERT_TRUE(EndsWith(out, u" ХОМЯЧОК")) << ToUtf8(out);  // never hyphenated
    std::u16string plain = out;
    std::erase(plain, u'-');
    auto words = SplitWords(plain);
    ++firsts[words[0]];
    std::sort(words.begin(), words.end());
    ASSERT_EQ(words, (Lines{u"КОТ", u"КОТИК", u"ПЁСИК", u"ХОМЯЧОК"}));
    // A hyphen needs two letters before it and two after it.
    for (const auto& word : SplitWords(out))
      for (std::size_t at = word.find(u'-'); at != std::u16string::npos;
           at = word.find(u'-', at + 1))
        EXPECT_TRUE(at >= 2 && at + 3 <= word.size()) << ToUtf8(word);
  }
  EXPECT_EQ(firsts.size(), 3U);
  for (const auto& [word, n] : firsts) EXPECT_NEAR(n, 200, 45) << ToUtf8(word);
  RandomSource random(3);
  EXPECT_EQ(ShuffleWords(random, u"", false), u"");
}

TEST(RecentCache, SizeRingAndKeys) {
  for (const auto& [ubound, size] :
       {std::pair{-1, 1}, {0, 1}, {9, 2}, {999, 151}, {1799, 256}, {1'000'000, 256}}) {
    RecentCache cache;
    cache.Reset(ubound);
    EXPECT_EQ(cache.Size(), size) << ubound;
  }
  RecentCache cache;
  cache.Reset(19);  // four slots
  EXPECT_FALSE(cache.Admit(-1));
  for (const int line : {0, 42, 100'000'042, 7})
    EXPECT_EQ(cache.Admit(line), line != 100'000'042) << line;  // equal modulo 10^8
  EXPECT_FALSE(cache.Admit(0));
  EXPECT_TRUE(cache.Admit(8));  // the fourth slot
  EXPECT_TRUE(cache.Admit(9));  // overwrites 0, the oldest
  EXPECT_TRUE(cache.Admit(0));  // overwrites 42
  EXPECT_FALSE(cache.Admit(7));
  EXPECT_EQ(cache.WritePosition(), 2);
  cache.Clear();
  EXPECT_TRUE(cache.Admit(7));
  EXPECT_EQ(cache.WritePosition(), 3);
}

TEST(PickLines, StopsAtTheLineCountSkipsEmptyLinesAndAvoidsRecentOnes) {
  GenerationFlags flags;
  RecentCache cache;
  RandomSource random(1);
  Lines phrases(5);
  EXPECT_EQ(PickLines(random, BaseOf({u"ОДИН", u"ДВА", u"ТРИ"}), flags, cache, phrases), 3);
  EXPECT_EQ(PickLines(random, BaseOf({}), flags, cache, phrases), 0);
  for (std::uint32_t seed = 1; seed <= 200; ++seed) {
    RandomSource r(seed);
    Lines slots(4);
    const auto n = PickLines(r, BaseOf({u"", u"  кот  ", u" ", u"ПЁС"}), flags, cache, slots);
    for (std::size_t i = 0; i < slots.size(); ++i)
      ASSERT_TRUE(i < static_cast<std::size_t>(n) ? slots[i] == u"КОТ" || slots[i] == u"ПЁС"
                                                  : slots[i].empty());
  }
  Lines numbered;
  for (int i = 0; i < 2000; ++i) numbered.push_back(u"СТРОКА " + Decimal(i));
  const PhraseBase base = BaseOf(numbered);
  flags.UseCache = true;
  cache.Reset(base.UBound());
  Lines history;
  for (int run = 0; run < 40; ++run) {
    Lines slots(10);
    PickLines(random, base, flags, cache, slots);
    history.insert(history.end(), slots.begin(), slots.end());
  }
  for (std::size_t i = 0; i < history.size(); ++i)
    for (std::size_t j = i + 1; j < history.size() && j < i + 256; ++j)
      ASSERT_NE(history[i], history[j]) << i << " " << j;
  // Chaos needs no base: upper-case phrases of one to seven pseudo-words.
  flags.Chaos = true;
  std::set<std::size_t> counts;
  for (int run = 0; run < 300; ++run) {
    Lines slots(4);
    for (std::int32_t i = 0, n = PickLines(random, PhraseBase{}, flags, cache, slots); i < n; ++i) {
      ASSERT_EQ(slots[i], Upper(slots[i]));
      counts.insert(SplitWords(slots[i]).size());
    }
  }
  EXPECT_EQ(counts, (std::set<std::size_t>{1, 2, 3, 4, 5, 6, 7}));
}

TEST(MakePseudoWord, LengthsModesAndLetterRules) {
  std::set<std::u16string> doubled;
  for (std::uint32_t seed = 1; seed <= 3000; ++seed) {
    RandomSource random(seed);
    EXPECT_EQ(MakePseudoWord(random, 1, 1, false), u"");
    const auto mode = static_cast<std::uint8_t>(seed % 3);
    const auto length = static_cast<std::int32_t>(2 + seed % 9);
    const std::u16string w = MakePseudoWord(random, length, mode, seed % 2 == 0);
    ASSERT_EQ(w.size(), static_cast<std::size_t>(length));
    const std::u16string_view starts = mode == 1   ? u"БВГДЖЗКЛМНПРСТФХЦЧШЩ"
                                       : mode == 2 ? u"АЕИОУЭЮЯ"
                                                   : u"АБВГДЕЖЗИКЛМНОПРСТУФХЦЧШЩЭЮЯ";
    ASSERT_NE(starts.find(UpperChar(w[0])), std::u16string::npos) << ToUtf8(w);
    ASSERT_EQ(w[0] == UpperChar(w[0]), seed % 2 == 0) << ToUtf8(w);
    for (std::size_t i = 1; i < w.size(); ++i) {
      ASSERT_TRUE(w[i] == LowerChar(w[i]) && w[i] != u'ь' && w[i] != u'ъ') << ToUtf8(w);
      ASSERT_TRUE(i + 1 == w.size() || (w[i] != u'й' && w[i] != u'ы')) << ToUtf8(w);
      if (LowerChar(w[i]) == LowerChar(w[i - 1])) doubled.insert(std::u16string(2, w[i]));
      ASSERT_FALSE(i >= 2 && w[i] == w[i - 1] && w[i] == w[i - 2]) << ToUtf8(w);
    }
  }
  EXPECT_EQ(doubled, (std::set<std::u16string>{u"аа", u"ии", u"нн", u"оо"}));
}

TEST(PairRhymes, CoupletsCrossRhymesShuffledPartnersAndUnpairedPhrases) {
  const PhraseBase base =
      BaseOf({u"ВОТ И ВОТ", u"СТАРЫЙ ДОБРЫЙ ГОД", u"ТЯЖЁЛЫЙ ВЕС", u"ПОД НАВЕС", u"ЖИЛ КОТ"});
  const std::set<std::u16string> cat = {u"ВОТ И ВОТ", u"СТАРЫЙ ДОБРЫЙ ГОД"};
  const std::set<std::u16string> forest = {u"ТЯЖЁЛЫЙ ВЕС", u"ПОД НАВЕС"};
  int aabb = 0, abab = 0;
  std::set<std::u16string> shuffledPartners;
  GenerationFlags omsk;
  omsk.Omsk = true;
  for (std::uint32_t seed = 1; seed <= 300; ++seed) {
    RandomSource random(seed);
    RecentCache cache;
    Lines p = {u"ЖИЛ КОТ", u"X", u"БЫЛ ЛЕС", u"Y", u"ЛИШНЯЯ"};
    PairRhymes(random, base, GenerationFlags{}, cache, p);
    ASSERT_EQ(p.size(), 4U);
    if (cat.count(p[1]) && forest.count(p[3])) ++aabb;
    if (p[1] == u"БЫЛ ЛЕС" && cat.count(p[2]) && forest.count(p[3])) ++abab;
    // The shuffled partner's last word, the rhyme, stays last.
    Lines shuffled = {u"ЖИЛ КОТ", u"X"};
    PairRhymes(random, base, omsk, cache, shuffled);
    ASSERT_TRUE(EndsWith(shuffled[1], u"ВОТ") || EndsWith(shuffled[1], u"ГОД"))
        << ToUtf8(shuffled[1]);
    shuffledPartners.insert(shuffled[1]);
    Lines lone = {u"ДЕНЬ", u"X", u"ПЕНЬ"};  // no partner: unrhymed, odd phrase dropped
    PairRhymes(random, base, GenerationFlags{}, cache, lone);
    ASSERT_EQ(lone, (Lines{u"ДЕНЬ", u"X"}));
  }
  EXPECT_EQ(aabb + abab, 300);
  EXPECT_NEAR(abab, 60, 25);
  EXPECT_GT(shuffledPartners.size(), 2U);
}

TEST(PhraseTransforms, TagsMorphsPunctuationWindowAndQuotes) {
  for (const bool classic : {false, true}) {
    const auto shares = Shares(2000, [&](RandomSource& r) {
      std::u16string p = u"Ф";
      WrapInTags(r, p, classic);
      return p;
    });
    std::set<std::u16string> seen;
    for (const auto& [s, share] : shares) seen.insert(s);
    const std::set<std::u16string> expected =
        classic ? std::set<std::u16string>{u"**Ф**", u"%%Ф%%", u"__Ф__", u"*Ф*"}
                : std::set<std::u16string>{u"[b]Ф[/b]", u"[spoiler]Ф[/spoiler]", u"[u]Ф[/u]",
                                           u"[s]Ф[/s]"};
    EXPECT_EQ(seen, expected);
  }
  // Only words longer than three letters with a table ending; in lyrics
  // mode never the last word; a base line that is just the ending is a word too.
  const PhraseBase base = BaseOf({u"ОН КРАСНЫЙ", u"НЫЙ"});
  std::set<std::u16string> morphed;
  for (std::uint32_t seed = 1; seed <= 200; ++seed) {
    RandomSource random(seed);
    Lines p = {u"ЗЕЛЁНЫЙ НЫЙ СТОЛИК ЗЕЛЁНЫЙ"};
    MorphWords(random, base, p, true);
    const auto words = SplitWords(p[0]);
    ASSERT_EQ(words.size(), 4U);
    ASSERT_EQ(words[1] + words[2] + words[3], u"НЫЙСТОЛИКЗЕЛЁНЫЙ");
    morphed.insert(words[0]);
  }
  EXPECT_EQ(morphed, (std::set<std::u16string>{u"ЗЕЛЁНЫЙ", u"КРАСНЫЙ", u"НЫЙ"}));
  // Separators only inside the middle window of the words, never after the last.
  for (std::uint32_t seed = 1; seed <= 200; ++seed) {
    RandomSource random(seed);
    std::u16string text = u"ОДИН ДВА ТРИ ЧЕТЫРЕ ПЯТЬ ШЕСТЬ СЕМЬ ВОСЕМЬ ДЕВЯТЬ ДЕСЯТЬ ОДИННАДЦАТЬ";
    QuoteAndPunctuate(random, text, 0, 1);
    std::size_t word = 0;  // the index of the word a mark follows
    for (const auto& token : SplitWords(text)) {
      if (token != u"—") ++word;
      const bool mark = token == u"—" || token.back() == u',';
      EXPECT_TRUE(!mark || (word >= 4 && word <= 7)) << ToUtf8(text);
    }
    EXPECT_NE(text.back(), u',');
  }
  // A long text's budget of 255 quotes holds instead of wrapping round.
  RandomSource random(1);
  std::u16string text;
  for (int i = 0; i < 2000; ++i) text += u"СЛОВО ";
  QuoteAndPunctuate(random, text, 1, 0);
  EXPECT_EQ(
      std::count(text.begin(), text.end(), u'"') + 2 * std::count(text.begin(), text.end(), u'«'),
      2 * 255);
  // The about box's quotes: one word in five gets guillemets.
  const auto quotes = Shares(5000, [](RandomSource& r) {
    std::u16string w = u"СЛОВО";
    QuoteWord(r, w);
    return w;
  });
  EXPECT_NEAR(quotes.at(u"«СЛОВО»"), 0.2, 0.02);
  EXPECT_NEAR(quotes.at(u"\"СЛОВО\""), 0.8, 0.02);
}

}  // namespace
}  // namespace vm
