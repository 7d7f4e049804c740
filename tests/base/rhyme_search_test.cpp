#include "base/rhyme_search.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "text/strings.h"

namespace vm {
namespace {

PhraseBase MakeBase(const std::vector<std::u16string>& lines) {
  IndexTimings timings;
  return IndexBaseText(
      Join(lines, kCrLf), [] { return std::int64_t{0}; }, timings);
}

// The set of line texts FindRhymeLines offers for word.
std::set<std::u16string> OfferedLines(const PhraseBase& base, std::u16string_view word,
                                      std::int32_t n, std::uint32_t seed = 7) {
  RandomSource random(seed);
  std::vector<std::int32_t> numbers;
  const std::int32_t last = FindRhymeLines(random, base, word, n, numbers, 31);
  std::set<std::u16string> out;
  for (std::int32_t i = 0; i <= last; ++i) out.insert(base.lines[numbers[i]]);
  return out;
}

std::set<std::u16string> OfferedWords(const PhraseBase& base, std::u16string_view word,
                                      std::int32_t n, bool check) {
  RandomSource random(3);
  std::vector<std::u16string> list;
  std::int32_t tries = 0;
  FindRhymeWords(random, base, word, n, list, check, tries);
  return {list.begin(), list.end()};
}

using S = std::set<std::u16string>;

TEST(RhymeLines, ShortQueryRhymesOnlyThroughTheTwoLetterPass) {
  const PhraseBase base = MakeBase({u"ЖИЛ КОТ", u"ЖИЛ СКОТ", u"ЖИЛ ОТ", u"ЖИЛ ВОТ", u"ЖИЛ ГОД"});
  EXPECT_EQ(OfferedLines(base, u"КОТ", 3), S{});
  EXPECT_EQ(OfferedLines(base, u"кот", 2), S{});  // lower case never matches the keys
  EXPECT_EQ(OfferedLines(base, u"КОТ", 2), (S{u"ЖИЛ ВОТ", u"ЖИЛ ГОД"}));
}

TEST(RhymeLines, FoldedSameWordIsNotARhyme) {
  const PhraseBase base = MakeBase({u"ЭТО ДОМ", u"ЭТО ЗВОН"});
  EXPECT_EQ(OfferedLines(base, u"ТОН", 3), S{});
  EXPECT_EQ(OfferedLines(base, u"ТОН", 2), S{u"ЭТО ЗВОН"});
}

TEST(RhymeLines, LongerQueryFindsThreeLetterRhymes) {
  const PhraseBase base = MakeBase({u"СТАРЫЙ ВОЛОК", u"ЛОК", u"ПОТОЛОК", u"ВОЛОК."});
  EXPECT_EQ(OfferedLines(base, u"ПОД ПОТОЛОК", 3), S{u"СТАРЫЙ ВОЛОК"});
}

TEST(RhymeLines, PunctuationAfterTheLastWordBlocksTheEndMatch) {
  const PhraseBase base = MakeBase({u"ВОТ.", u"ВОТ"});
  EXPECT_EQ(OfferedLines(base, u"КОТ", 2), S{u"ВОТ"});
}

TEST(RhymeLines, HyphensEndTheWordOnBothSides) {
  const PhraseBase base = MakeBase({u"ВОЛ-ОТ", u"ВОЛ-ГОД"});
  EXPECT_EQ(OfferedLines(base, u"КОТ", 2), S{u"ВОЛ-ГОД"});
  EXPECT_EQ(OfferedLines(base, u"ЧТО-КОТ", 2), S{u"ВОЛ-ГОД"});
  EXPECT_EQ(OfferedLines(base, u"ЧТО-КОТ", 2, 99), OfferedLines(base, u"КОТ", 2, 99));
}

TEST(RhymeLines, FillsUpToTheHighestIndexAndGrowsTheArray) {
  const PhraseBase base = MakeBase({u"ВОТ", u"ГОД", u"КОТ"});
  RandomSource random(1);
  std::vector<std::int32_t> numbers;
  EXPECT_EQ(FindRhymeLines(random, base, u"КОТ", 2, numbers, 31), 31);
  ASSERT_GE(numbers.size(), 32u);
  for (std::int32_t n : numbers) EXPECT_TRUE(n == 0 || n == 1) << n;

  std::vector<std::int32_t> few(2, -5);
  EXPECT_EQ(FindRhymeLines(random, base, u"КОТ", 2, few, 4), 4);
  EXPECT_EQ(few.size(), 5u);
}

TEST(RhymeLines, EmptyBaseDrawsNothing) {
  const PhraseBase base;
  RandomSource random(5), twin(5);
  std::vector<std::int32_t> numbers;
  EXPECT_EQ(FindRhymeLines(random, base, u"КОТ", 2, numbers, 31), -1);
  EXPECT_EQ(random.Next(), twin.Next());
}

TEST(RhymeWords, EndAndInnerMatches) {
  const PhraseBase base = MakeBase({u"ЖИЛ КОТ", u"ЖИЛ СКОТ", u"ВОЛ-ГОД", u"ВОТ, КОТ ПОШЁЛ",
                                    u"«ВОТ ТАК", u"РОТ НА ЗАМКЕ", u"ДРОЗД ИДЁТ"});
  // End matches give the line's last word after any hyphen; inner matches give
  // pieces as they stand, punctuation included, and need a blank after them.
  EXPECT_EQ(OfferedWords(base, u"КОТ", 2, true), (S{u"ГОД", u"«ВОТ", u"РОТ"}));
  EXPECT_EQ(OfferedWords(base, u"КОТ", 2, false), (S{u"КОТ", u"СКОТ", u"ГОД", u"«ВОТ", u"РОТ"}));
}

TEST(RhymeWords, EmptyWordFindsOnlyEmptyPieces) {
  const PhraseBase base = MakeBase({u"ГОД  ВОТ", u"КОТ ГОД"});
  EXPECT_EQ(OfferedWords(base, u"ЭТО ", 3, true), S{u""});
}

TEST(RhymeWords, TryCounterZeroScansInOrderWithoutDrawing) {
  const PhraseBase base = MakeBase({u"ВОТ", u"ГОД", u"РОТ"});
  RandomSource random(9), twin(9);
  std::vector<std::u16string> list{u"OLD"};
  std::int32_t tries = 0;
  EXPECT_EQ(FindRhymeWords(random, base, u"КОТ", 2, list, true, tries), 2);
  EXPECT_EQ(list, (std::vector<std::u16string>{u"ВОТ", u"ГОД", u"РОТ"}));
  EXPECT_EQ(tries, 0);
  EXPECT_EQ(random.Next(), twin.Next());

  std::vector<std::u16string_view> views;
  EXPECT_EQ(FindRhymeWords(random, base, u"КОТ", 2, views, true, tries), 2);
  EXPECT_EQ(views, (std::vector<std::u16string_view>{u"ВОТ", u"ГОД", u"РОТ"}));
}

TEST(RhymeWords, TryCounterBoundsIterationsAndDraws) {
  std::vector<std::u16string> lines(10, u"ВОТ");
  const PhraseBase base = MakeBase(lines);
  std::vector<std::u16string> list;

  RandomSource random(11), twin(11);
  std::int32_t tries = 6000;
  EXPECT_EQ(FindRhymeWords(random, base, u"КОТ", 2, list, true, tries), 9);
  EXPECT_EQ(tries, 5990);  // one decrement per iteration, ten iterations
  for (int i = 0; i < 10; ++i) twin.Next();
  EXPECT_EQ(random.Next(), twin.Next());

  RandomSource ends(4), endsTwin(4);
  tries = 3;  // 3 -> 2 and 2 -> 1 draw; 1 -> 0 ends the search
  EXPECT_EQ(FindRhymeWords(ends, base, u"КОТ", 2, list, true, tries), 1);
  EXPECT_EQ(tries, 0);
  endsTwin.Next();
  endsTwin.Next();
  EXPECT_EQ(ends.Next(), endsTwin.Next());

  tries = 1;
  EXPECT_EQ(FindRhymeWords(ends, base, u"КОТ", 2, list, true, tries), -1);
  EXPECT_TRUE(list.empty());
}

TEST(RhymeWords, EmptyBaseLeavesTheCounter) {
  const PhraseBase base;
  RandomSource random(2);
  std::vector<std::u16string> list{u"X"};
  std::int32_t tries = 2048;
  EXPECT_EQ(FindRhymeWords(random, base, u"КОТ", 3, list, false, tries), -1);
  EXPECT_TRUE(list.empty());
  EXPECT_EQ(tries, 2048);
}

}  // namespace
}  // namespace vm
