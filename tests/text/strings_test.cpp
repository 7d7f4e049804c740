// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/strings.h"

#include <gtest/gtest.h>

namespace vm {
namespace {

using V = std::vector<std::u16string>;

TEST(Strings, SplitCountsSeparators) {
  EXPECT_EQ(Split(u"", u"\r\n"), V{});
  EXPECT_EQ(Split(u"A", u"\r\n"), V{u"A"});
  EXPECT_EQ(Split(u"A\r\nB\r\n", u"\r\n"), (V{u"A", u"B", u""}));
  EXPECT_EQ(Split(u"\r\n", u"\r\n"), (V{u"", u""}));
  EXPECT_EQ(SplitWords(u""), V{u""});
  EXPECT_EQ(SplitWords(u"A  B"), (V{u"A", u"", u"B"}));
}

TEST(Strings, ReplaceAllIsLeftToRightNonOverlapping) {
  std::u16string s = u"A\r\n\r\nB";
  ReplaceAll(s, u"\n\r", u"\r\n");
  EXPECT_EQ(s, u"A\r\r\n\nB");
  std::u16string t = u"aaaa";
  ReplaceAll(t, u"aa", u"b");
  EXPECT_EQ(t, u"bb");
  ReplaceAll(t, u"", u"x");
  EXPECT_EQ(t, u"bb");
}

TEST(Strings, ContainsFollowsTheProgramsRules) {
  EXPECT_FALSE(Contains(u"", u""));
  EXPECT_FALSE(Contains(u"", u"A"));
  EXPECT_TRUE(Contains(u"A", u""));
  EXPECT_TRUE(Contains(u"КОТ", u"ОТ"));
  EXPECT_FALSE(Contains(u"КОТ", u"СКОТ"));
}

TEST(Strings, TrimsTouchOnlyBlanks) {
  EXPECT_EQ(TrimBlanks(u"  a b \t "), u"a b \t");
  EXPECT_EQ(TrimRightBlanks(u" a  "), u" a");
  EXPECT_EQ(Right(u"ABCDE", 3), u"CDE");
  EXPECT_EQ(Right(u"AB", 3), u"AB");
}

}  // namespace
}  // namespace vm
