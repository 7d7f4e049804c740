// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/output_text.h"

#include <gtest/gtest.h>

namespace vm {
namespace {

TEST(OutputTextTest, EveryKindOfLineBreakShowsAsOne) {
  OutputText out;
  out.Set(u"А\r\nБ\nВ\rГ\r\n");
  EXPECT_EQ(out.Text(), u"А\r\nБ\nВ\rГ\r\n");
  EXPECT_EQ(out.Display(), u"А\nБ\nВ\nГ\n");
}

TEST(OutputTextTest, ASelectionGivesBackTheExactCharacters) {
  OutputText out;
  out.Set(u"РАЗ\r\nДВА\r\nТРИ");
  EXPECT_EQ(out.Slice(0, out.Display().size()), u"РАЗ\r\nДВА\r\nТРИ");
  EXPECT_EQ(out.Slice(2, 5), u"З\r\nД");
  EXPECT_EQ(out.Slice(3, 4), u"\r\n");
  EXPECT_EQ(out.Slice(4, 7), u"ДВА");
}

TEST(OutputTextTest, EmptyAndOutOfRangeSelectionsAreSafe) {
  OutputText out;
  out.Set(u"ОК");
  EXPECT_EQ(out.Slice(1, 1), u"");
  EXPECT_EQ(out.Slice(2, 1), u"");
  EXPECT_EQ(out.Slice(1, 99), u"К");
  out.Set(u"");
  EXPECT_EQ(out.Slice(0, 5), u"");
}

}  // namespace
}  // namespace vm
