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
  RandomSource random(1), twin(1);
  std::vector<std::int32_t> few(2, -5);
  EXPECT_EQ(FindRhymeLines(random, base, u"КОТ", 2, few, 4), 4);
  EXPECT_EQ(few.size(), 5u);
  for (std::int32_t n : few) EXPECT_TRUE(n == 0 || n == 1) << n;
  EXPECT_EQ(FindRhymeLines(twin, PhraseBase{}, u"КОТ", 2, few, 31), -1);
  EXPECT_EQ(FindRhymeLines(twin, base, u"КОТ", 2, few, -1), -1);  // no room: nothing stored
  EXPECT_EQ(twin.Next(), RandomSource(1).Next());
}

TEST(RhymeWords, EndAndInnerMatches) {
  const PhraseBase base = MakeBase({u"ЖИЛ КОТ", u"ЖИЛ СКОТ", u"ВОЛ-ГОД", u"ВОТ, КОТ ПОШЁЛ",
                                    u"«ВОТ ТАК", u"РОТ НА ЗАМКЕ", u"ДРОЗД ИДЁТ", u"ЖИЛ ВОТ."});
  // End matches give the last word after any hyphen; inner matches give the
  // pieces as they stand (punctuation included) and need a blank after them.
  EXPECT_EQ(Words(base, u"КОТ", 2, true), (S{u"ГОД", u"«ВОТ", u"РОТ"}));
  EXPECT_EQ(Words(base, u"КОТ", 2, false), (S{u"КОТ", u"СКОТ", u"ГОД", u"«ВОТ", u"РОТ"}));
}

TEST(RhymeWords, TryCounter) {
  const PhraseBase base = MakeBase(std::vector<std::u16string>(10, u"ВОТ"));
  std::vector<std::u16string_view> list;
  RandomSource random(11), twin(11);
  std::int32_t tries = 6000;  // one decrement and one draw per iteration, ten iterations
  EXPECT_EQ(FindRhymeWords(random, base, u"КОТ", 2, list, true, tries), 9);
  EXPECT_EQ(tries, 5990);
  for (int i = 0; i < 10; ++i) twin.Next();
  EXPECT_EQ(random.Next(), twin.Next());

  tries = 3;  // 3 -> 2 and 2 -> 1 draw; 1 -> 0 ends the search
  EXPECT_EQ(FindRhymeWords(random, base, u"КОТ", 2, list, true, tries), 1);
  EXPECT_EQ(tries, 0);
  twin.Next();
  twin.Next();
  EXPECT_EQ(random.Next(), twin.Next());

  // A counter of 0 scans the lines in order without drawing.
  const PhraseBase ordered = MakeBase({u"ВОТ", u"ГОД", u"РОТ"});
  EXPECT_EQ(FindRhymeWords(random, ordered, u"КОТ", 2, list, true, tries), 2);
  EXPECT_EQ(list, (std::vector<std::u16string_view>{u"ВОТ", u"ГОД", u"РОТ"}));
  EXPECT_EQ(random.Next(), twin.Next());
}

}  // namespace
}  // namespace vm
