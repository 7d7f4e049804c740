// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/rhyme_search.h"

#include <gtest/gtest.h>

#include <set>

#include "text/strings.h"

namespace vm {
namespace {

using S = std::set<std::u16string>;

PhraseBase MakeBase(const std::vector<std::u16string>& lines) {
  IndexTimings timings;
  return IndexBaseText(
      Join(lines, kCrLf), [] { return std::int64_t{0}; }, timings);
}

// The distinct lines FindRhymeLines offers for word.
S Lines(const PhraseBase& base, std::u16string_view word, std::int32_t n, std::uint32_t seed = 7) {
  RandomSource random(seed);
  std::vector<std::int32_t> numbers;
  const std::int32_t last = FindRhymeLines(random, base, word, n, numbers, 31);
  S out;
  for (std::int32_t i = 0; i <= last; ++i) out.emplace(base.lines[numbers[i]]);
  return out;
}

S Words(const PhraseBase& base, std::u16string_view word, std::int32_t n, bool check) {
  RandomSource random(3);
  std::vector<std::u16string> list;
  std::int32_t tries = 0;
  FindRhymeWords(random, base, word, n, list, check, tries);
  return {list.begin(), list.end()};
}

TEST(RhymeLines, SameWordCheckAndFolding) {
  const PhraseBase cat = MakeBase({u"ЖИЛ КОТ", u"ЖИЛ СКОТ", u"ЖИЛ ОТ", u"ЖИЛ ВОТ", u"ЖИЛ ГОД"});
  EXPECT_EQ(Lines(cat, u"КОТ", 3), S{});
  EXPECT_EQ(Lines(cat, u"КОТ", 2), (S{u"ЖИЛ ВОТ", u"ЖИЛ ГОД"}));
  const PhraseBase tone = MakeBase({u"ЭТО ДОМ", u"ЭТО ЗВОН"});
  EXPECT_EQ(Lines(tone, u"ТОН", 3), S{});
  EXPECT_EQ(Lines(tone, u"ТОН", 2), S{u"ЭТО ЗВОН"});
  const PhraseBase drag = MakeBase({u"СТАРЫЙ ВОЛОК", u"ЛОК", u"ПОТОЛОК", u"ВОЛОК."});
  EXPECT_EQ(Lines(drag, u"ПОД ПОТОЛОК", 3), S{u"СТАРЫЙ ВОЛОК"});
}

TEST(RhymeLines, HyphensEndTheWordOnBothSides) {
  const PhraseBase base = MakeBase({u"ВОЛ-ОТ", u"ВОЛ-ГОД"});
  EXPECT_EQ(Lines(base, u"ЧТО-КОТ", 2), S{u"ВОЛ-ГОД"});
  EXPECT_EQ(Lines(base, u"ЧТО-КОТ", 2, 99), Lines(base, u"КОТ", 2, 99));
}

TEST(RhymeLines, FillsUpToTheHighestIndexAndDrawsNothingOnAnEmptyBase) {
  const PhraseBase base = MakeBase({u"ВОТ", u"ГОД", u"КОТ"});
  RandomSource random(1);
  std::vector<std::int32_t> few(2, -5);
  EXPECT_EQ(FindRhymeLines(random, base, u"КОТ", 2, few, 4), 4);
  EXPECT_EQ(few.size(), 5U);
  for (std::int32_t n : few) EXPECT_TRUE(n == 0 || n == 1) << n;
  RandomSource fresh(1);
  EXPECT_EQ(FindRhymeLines(fresh, PhraseBase{}, u"КОТ", 2, few, 31), -1);
  EXPECT_EQ(FindRhymeLines(fresh, base, u"КОТ", 2, few, -1), -1);  // no room: nothing stored
  EXPECT_EQ(fresh.Next(), RandomSource(1).Next());
}

TEST(RhymeWords, EndAndInnerMatches) {
  const PhraseBase base = MakeBase({u"ЖИЛ КОТ", u"ЖИЛ СКОТ", u"ВОЛ-ГОД", u"ВОТ, КОТ ПОШЁЛ",
                                    u"«ВОТ ТАК", u"РОТ НА ЗАМКЕ", u"ДРОЗД ИДЁТ", u"ЖИЛ ВОТ."});
  // End matches give the last word after any hyphen; inner matches give the
  // pieces as they stand (punctuation included) and need a blank after them.
  EXPECT_EQ(Words(base, u"КОТ", 2, true), (S{u"ГОД", u"«ВОТ", u"РОТ"}));
  EXPECT_EQ(Words(base, u"КОТ", 2, false), (S{u"КОТ", u"СКОТ", u"ГОД", u"«ВОТ", u"РОТ"}));
}

// Three-letter endings go through the keys' digests; a base kept in UTF-16
// (a character without a Windows-1251 code) answers as the one-byte form.
TEST(RhymeWords, ThreeLetterEndingsInEitherForm) {
  for (const std::u16string last : {u"ПЁС", u"ПЁС☺"}) {
    const PhraseBase base =
        MakeBase({u"ВОТ ЭКОТ БЫЛ", u"ЖИЛ КОТ", u"ЖИЛ СКОТ", u"ДРОЗД", u"РОТ", last});
    EXPECT_EQ(base.keys.IsNarrow(), last.size() == 3);
    EXPECT_EQ(Words(base, u"КОТ", 3, false), (S{u"ЭКОТ", u"СКОТ", u"КОТ"}));
    EXPECT_EQ(Words(base, u"СКОТ", 3, true), S{u"ЭКОТ"});
    EXPECT_EQ(Words(base, u"ГРОСТ", 3, false), S{u"ДРОЗД"});
    EXPECT_EQ(Words(base, u"ГРОТ", 3, false), S{u"РОТ"});  // a key as long as the ending
    EXPECT_EQ(Lines(base, u"ПРОКОТ", 3), S{u"ЖИЛ СКОТ"});
  }
}

}  // namespace
}  // namespace vm
