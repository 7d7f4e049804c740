#include "generation/pick_lines.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>
#include <set>

#include "base/word_end.h"
#include "text/cp1251.h"
#include "text/letter_case.h"
#include "text/strings.h"

namespace vm {
namespace {

std::u16string WithoutHyphens(std::u16string s) {
  s.erase(std::remove(s.begin(), s.end(), u'-'), s.end());
  return s;
}

std::u16string SortedLetters(std::u16string s) {
  s.erase(std::remove_if(s.begin(), s.end(), [](char16_t c) { return c == u'-' || c == u' '; }),
          s.end());
  std::sort(s.begin(), s.end());
  return s;
}

std::vector<std::u16string> SortedWords(std::u16string_view s) {
  auto words = SplitWords(s);
  std::sort(words.begin(), words.end());
  return words;
}

// A base of exactly these lines, as they are (no upper-casing).
PhraseBase BaseOf(const std::vector<std::u16string>& lines) {
  auto text = std::make_shared<std::u16string>();
  for (const auto& line : lines) *text += line;
  auto folded = std::make_shared<std::u16string>(FoldedCopy(*text));
  PhraseBase base;
  std::size_t at = 0;
  for (const auto& line : lines) {
    base.lines.emplace_back(text->data() + at, line.size());
    base.keys.emplace_back(folded->data() + at, line.size());
    at += line.size();
  }
  base.text = std::move(text);
  base.folded = std::move(folded);
  return base;
}

PhraseBase NumberedBase(int count) {
  std::vector<std::u16string> lines;
  for (int i = 0; i < count; ++i) lines.push_back(u"СТРОКА " + Decimal(i));
  return BaseOf(lines);
}

// --- ShuffleWords ---

TEST(ShuffleWords, EmptyStaysEmptyAndOneWordKeepsItsLetters) {
  RandomSource random(1);
  EXPECT_EQ(ShuffleWords(random, u"", false), u"");
  EXPECT_EQ(ShuffleWords(random, u"", true), u"");
  bool sawHyphen = false;
  for (int i = 0; i < 300; ++i) {
    const std::u16string out = ShuffleWords(random, u"ПЕРЕПОЛОХ", i % 2 == 0);
    ASSERT_EQ(WithoutHyphens(out), u"ПЕРЕПОЛОХ");
    sawHyphen = sawHyphen || out != u"ПЕРЕПОЛОХ";
  }
  EXPECT_TRUE(sawHyphen);
}

TEST(ShuffleWords, KeepLastLeavesTheLastWordLast) {
  RandomSource random(2);
  std::set<std::u16string> firstWords;
  for (int i = 0; i < 400; ++i) {
    // The kept last word carries the rhyme: it is never hyphenated.
    const std::u16string shuffled = ShuffleWords(random, u"КОТИК ПЁСИК ХОМЯЧОК", true);
    ASSERT_TRUE(EndsWith(shuffled, u" ХОМЯЧОК")) << ToUtf8(shuffled);
    const std::u16string out = WithoutHyphens(shuffled);
    firstWords.insert(SplitWords(out)[0]);
  }
  EXPECT_EQ(firstWords, (std::set<std::u16string>{u"КОТИК", u"ПЁСИК"}));
}

TEST(ShuffleWords, OrderIsAUniformPermutation) {
  RandomSource random(3);
  std::map<std::u16string, int> orders;
  for (int i = 0; i < 6000; ++i) {
    const std::u16string out = ShuffleWords(random, u"А Б В", false);
    ASSERT_EQ(SortedWords(out), (std::vector<std::u16string>{u"А", u"Б", u"В"}));
    ++orders[out];
  }
  ASSERT_EQ(orders.size(), 6U);
  for (const auto& [order, count] : orders) EXPECT_NEAR(count, 1000, 150) << ToUtf8(order);
}

TEST(ShuffleWords, HyphensOnlyInsideLongWordsWithTwoLettersEitherSide) {
  RandomSource random(4);
  const std::u16string text = u"ДОМ АБВГДЕЖЗИК ЛЕС ЁЖИК ИЮ";
  int multiHyphen = 0;
  for (int i = 0; i < 2000; ++i) {
    const std::u16string out = ShuffleWords(random, text, false);
    ASSERT_EQ(SortedLetters(out), SortedLetters(text));
    for (const auto& word : SplitWords(out)) {
      const auto pieces = Split(word, u"-");
      if (WithoutHyphens(word).size() <= 3) {
        ASSERT_EQ(pieces.size(), 1U) << ToUtf8(word);
      }
      for (const auto& piece : pieces) ASSERT_GE(piece.size(), 2U) << ToUtf8(word);
      if (pieces.size() > 2) ++multiHyphen;
    }
  }
  EXPECT_GT(multiHyphen, 0);  // a word may take more than one hyphen
}

TEST(ShuffleWords, DoubleBlanksGiveEmptyWordsThatTravel) {
  RandomSource random(5);
  std::set<std::u16string> seen;
  for (int i = 0; i < 200; ++i) seen.insert(ShuffleWords(random, u"А  Б", false));
  // Words "А", "" and "Б": the empty one in the middle or at either end
  // (trailing blanks are removed).
  EXPECT_EQ(seen, (std::set<std::u16string>{u"А  Б", u"Б  А", u" А Б", u" Б А", u"А Б", u"Б А"}));
}

TEST(ShuffleWords, LongTextsArePermutedWithoutLosingWords) {
  RandomSource random(6);
  std::u16string text;
  for (int i = 0; i < 20000; ++i) text += (i ? u" " : u"") + Decimal(i);
  const std::u16string out = ShuffleWords(random, text, true);
  EXPECT_EQ(SortedWords(WithoutHyphens(out)), SortedWords(text));
  EXPECT_TRUE(EndsWith(WithoutHyphens(out), u" 19999"));
}

// --- PickLines ---

TEST(PickLines, DrawsOneLinePerPickInDrawOrder) {
  const PhraseBase base = NumberedBase(10);
  RandomSource random(11);
  RandomSource twin(11);
  RecentCache cache;
  std::vector<std::u16string> phrases(4);
  EXPECT_EQ(PickLines(random, base, GenerationFlags{}, cache, phrases), 4);
  for (const auto& phrase : phrases) EXPECT_EQ(phrase, base.lines[RandomUpTo(twin, 9)]);
  EXPECT_EQ(cache.WritePosition(), 0);  // the cache is left alone when off
}

TEST(PickLines, CacheSearchFollowsAnIgnoredPlainDraw) {
  const PhraseBase base = NumberedBase(1000);
  GenerationFlags flags;
  flags.UseCache = true;
  RecentCache cache;
  cache.Reset(base.UBound());
  RandomSource random(12);
  RandomSource twin(12);
  std::vector<std::u16string> phrases(1);
  ASSERT_EQ(PickLines(random, base, flags, cache, phrases), 1);
  twin.Next();
  const std::int32_t expected = RandomUpTo(twin, 999);
  EXPECT_EQ(phrases[0], base.lines[expected]);
  EXPECT_EQ(cache.Slot(1), expected);
}

TEST(PickLines, StopsAfterAsManyPicksAsLines) {
  const PhraseBase base = BaseOf({u"ОДИН", u"ДВА", u"ТРИ"});
  for (std::uint32_t seed = 1; seed <= 50; ++seed) {
    RandomSource random(seed);
    RecentCache cache;
    std::vector<std::u16string> phrases(5);
    ASSERT_EQ(PickLines(random, base, GenerationFlags{}, cache, phrases), 3);
    for (int i = 0; i < 3; ++i) EXPECT_FALSE(phrases[i].empty());
    EXPECT_TRUE(phrases[3].empty());
    EXPECT_TRUE(phrases[4].empty());
  }
}

TEST(PickLines, EmptyBaseDrawsNothing) {
  RandomSource random(13);
  RandomSource twin(13);
  RecentCache cache;
  std::vector<std::u16string> phrases(3);
  EXPECT_EQ(PickLines(random, PhraseBase{}, GenerationFlags{}, cache, phrases), 0);
  EXPECT_EQ(random.Next(), twin.Next());
}

TEST(PickLines, EmptyLinesFreeTheirSlotForTheNextPick) {
  const PhraseBase base = BaseOf({u"", u"  КОТ  ", u"", u"пёс"});
  int shortRuns = 0;
  for (std::uint32_t seed = 1; seed <= 100; ++seed) {
    RandomSource random(seed);
    RecentCache cache;
    std::vector<std::u16string> phrases(4);
    const std::int32_t n = PickLines(random, base, GenerationFlags{}, cache, phrases);
    ASSERT_GE(n, 0);
    ASSERT_LE(n, 4);
    for (int i = 0; i < 4; ++i) {
      if (i < n) {
        EXPECT_TRUE(phrases[i] == u"КОТ" || phrases[i] == u"ПЁС") << ToUtf8(phrases[i]);
      } else {
        EXPECT_TRUE(phrases[i].empty());
      }
    }
    if (n < 4) ++shortRuns;
  }
  EXPECT_GT(shortRuns, 50);
}

TEST(PickLines, OmskShufflesEachLineAndUpperCases) {
  const PhraseBase base = BaseOf({u"жили были дед да баба"});
  GenerationFlags flags;
  flags.Omsk = true;
  RandomSource random(14);
  std::set<std::u16string> seen;
  for (int i = 0; i < 100; ++i) {
    RecentCache cache;
    std::vector<std::u16string> phrases(1);
    ASSERT_EQ(PickLines(random, base, flags, cache, phrases), 1);
    EXPECT_EQ(SortedWords(WithoutHyphens(phrases[0])), SortedWords(u"ЖИЛИ БЫЛИ ДЕД ДА БАБА"));
    seen.insert(phrases[0]);
  }
  EXPECT_GT(seen.size(), 20U);
}

TEST(PickLines, CacheAvoidsRepeatsWithinItsSize) {
  const PhraseBase base = NumberedBase(1000);
  GenerationFlags flags;
  flags.UseCache = true;
  RecentCache cache;
  cache.Reset(base.UBound());
  const auto s = static_cast<std::size_t>(cache.Size());
  RandomSource random(15);
  std::vector<std::u16string> history;
  for (int run = 0; run < 100; ++run) {
    std::vector<std::u16string> phrases(10);
    const std::int32_t n = PickLines(random, base, flags, cache, phrases);
    ASSERT_EQ(n, 10);
    history.insert(history.end(), phrases.begin(), phrases.end());
  }
  for (std::size_t i = 0; i < history.size(); ++i) {
    for (std::size_t j = i + 1; j < std::min(history.size(), i + s); ++j)
      ASSERT_NE(history[i], history[j]) << i << " " << j;
  }
  // Without the cache the same draws do repeat within that distance.
  std::set<std::u16string> window;
  RandomSource plain(15);
  RecentCache unused;
  std::vector<std::u16string> phrases(s);
  PickLines(plain, base, GenerationFlags{}, unused, phrases);
  window.insert(phrases.begin(), phrases.end());
  EXPECT_LT(window.size(), s);
}

TEST(PickLines, CacheRefusingEveryDrawLeavesNothing) {
  const PhraseBase base = BaseOf({u"ЕДИНСТВЕННАЯ"});
  GenerationFlags flags;
  flags.UseCache = true;
  RecentCache cache;
  cache.Reset(base.UBound());
  RandomSource random(16);
  std::vector<std::u16string> phrases(1);
  EXPECT_EQ(PickLines(random, base, flags, cache, phrases), 1);
  std::vector<std::u16string> again(1);
  EXPECT_EQ(PickLines(random, base, flags, cache, again), 0);
  EXPECT_TRUE(again[0].empty());
  cache.Clear();
  EXPECT_EQ(PickLines(random, base, flags, cache, again), 1);
}

TEST(PickLines, ChaosMakesUpperCasePhrasesOfUpToSevenPseudoWords) {
  GenerationFlags flags;
  flags.Chaos = true;
  RandomSource random(17);
  RecentCache cache;
  std::set<std::size_t> wordCounts;
  std::set<std::size_t> wordLengths;
  int dropped = 0;
  for (int run = 0; run < 300; ++run) {
    std::vector<std::u16string> phrases(10);
    const std::int32_t n = PickLines(random, PhraseBase{}, flags, cache, phrases);
    dropped += 10 - n;
    for (int i = 0; i < 10; ++i) {
      if (i >= n) {
        EXPECT_TRUE(phrases[i].empty());
        continue;
      }
      const std::u16string& p = phrases[i];
      ASSERT_FALSE(p.empty());
      EXPECT_EQ(p, Upper(p));
      const auto words = SplitWords(p);
      wordCounts.insert(words.size());
      for (const auto& w : words) {
        wordLengths.insert(w.size());
        for (char16_t c : w) ASSERT_TRUE(c >= u'А' && c <= u'Я') << ToUtf8(p);
      }
    }
  }
  EXPECT_EQ(wordCounts, (std::set<std::size_t>{1, 2, 3, 4, 5, 6, 7}));
  EXPECT_EQ(wordLengths, (std::set<std::size_t>{2, 4, 5, 6, 7, 8, 9, 10}));
  EXPECT_NEAR(dropped, 3000 * 0.07, 60);  // a word count of 1 gives an empty phrase
}

}  // namespace
}  // namespace vm
