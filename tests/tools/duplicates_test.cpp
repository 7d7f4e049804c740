// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/duplicates.h"

#include <gtest/gtest.h>

#include <utility>

namespace vm {
namespace {

using Lines = std::vector<std::u16string>;
using Calls = std::vector<std::pair<std::int64_t, std::int64_t>>;

// Only equal texts are repeats: letter case, blanks and characters without a
// code all count, and the last two lines share their CRC-32.
TEST(RemoveDuplicateLines, KeepsTheFirstOfEqualLinesInOrder) {
  Lines lines = {u"В", u"Б", u"", u"В", u"А", u"", u"Б", u"Г"};
  EXPECT_EQ(RemoveDuplicateLines(lines, {}), 3);
  EXPECT_EQ(lines, (Lines{u"В", u"Б", u"", u"А", u"Г"}));
  lines = {u"ДА", u"да", u"ДА ", u"A?", u"A中", u"да", u"ЪЗГВИРР", u"ЖИРЗПКЖ"};
  EXPECT_EQ(RemoveDuplicateLines(lines, {}), 1);
  EXPECT_EQ(lines, (Lines{u"ДА", u"да", u"ДА ", u"A?", u"A中", u"ЪЗГВИРР", u"ЖИРЗПКЖ"}));
  lines.clear();
  EXPECT_EQ(RemoveDuplicateLines(lines, {}), 0);
}

TEST(RemoveDuplicateLines, ReportsAfterFirstEvery1024thAndLast) {
  Lines lines;
  for (int i = 0; i < 2050; ++i)
    lines.push_back(
        i % 2 == 0 ? u"ЧЁТ" : u"НЕЧЕТ" + std::u16string(1, static_cast<char16_t>(u'А' + i % 32)));
  Calls calls;
  const std::int32_t dropped = RemoveDuplicateLines(
      lines, [&](std::int64_t k, std::int64_t n) { calls.emplace_back(k, n); });
  EXPECT_EQ(calls, (Calls{{1, 2050}, {1025, 2050}, {2049, 2050}, {2050, 2050}}));
  EXPECT_EQ(dropped, 2050 - 17);  // odd lines carry 16 different letters

  calls.clear();
  lines = {u"ОДНА"};
  RemoveDuplicateLines(lines, [&](std::int64_t k, std::int64_t n) { calls.emplace_back(k, n); });
  EXPECT_EQ(calls, (Calls{{1, 1}}));

  calls.clear();
  lines = Lines(1025, u"Х");
  RemoveDuplicateLines(lines, [&](std::int64_t k, std::int64_t n) { calls.emplace_back(k, n); });
  EXPECT_EQ(calls, (Calls{{1, 1025}, {1025, 1025}}));  // line 1024 is also the last
}

}  // namespace
}  // namespace vm
