// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/tray_menu.h"

#include <gtest/gtest.h>

namespace vm {
namespace {

TEST(TrayMenuTest, WithoutAutoModeTheGenerateSubmenuListsTheNineButtons) {
  const TrayMenuState state = BuildTrayMenuState(0);
  EXPECT_TRUE(state.genVisible);
  EXPECT_FALSE(state.autoVisible);
  const char16_t* tags[] = {u"1", u"5", u"10", u"15", u"20", u"28", u"44", u"60", u"124"};
  for (std::size_t k = 0; k < 9; ++k) {
    EXPECT_EQ(state.gen[k].caption, std::u16string(1, static_cast<char16_t>(u'1' + k)));
    EXPECT_EQ(state.gen[k].tag, tags[k]);
  }
}

TEST(TrayMenuTest, InAutoModeOnlyTheAutoMarkerShows) {
  const TrayMenuState state = BuildTrayMenuState(44);
  EXPECT_FALSE(state.genVisible);
  EXPECT_TRUE(state.autoVisible);
}

TEST(TrayMenuTest, TheTooltipSaysWhenAutoModeIsOn) {
  EXPECT_EQ(TrayTooltip(0), u"Verbalomatic");
  EXPECT_EQ(TrayTooltip(124), u"Verbalomatic: АКТИВИРОВАН");
}

TEST(TrayMenuTest, TagsReadAsNumbers) {
  EXPECT_EQ(TrayTagCount(u"124"), 124);
  EXPECT_EQ(TrayTagCount(u"5"), 5);
  EXPECT_EQ(TrayTagCount(u""), 0);
  EXPECT_EQ(TrayTagCount(u"x"), 0);
}

}  // namespace
}  // namespace vm
