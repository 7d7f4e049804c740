// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/gen_keys.h"

#include <gtest/gtest.h>

namespace vm {
namespace {

TEST(GenKeysTest, DigitKeysMapToTheNineCounts) {
  const int expected[] = {1, 5, 10, 15, 20, 28, 44, 60, 124};
  for (int k = 0; k < 9; ++k) EXPECT_EQ(GenCountForKey(49 + k), expected[k]);
  EXPECT_EQ(GenCountForKey(48), 0);  // "0"
  EXPECT_EQ(GenCountForKey(58), 0);
  EXPECT_EQ(GenButtonCaption(124), u"9");
  EXPECT_EQ(GenButtonCaption(2), u"");
}

TEST(GenKeysTest, OnlyMainKeyboardDigitsCountWhateverTheyTypeWithModifiers) {
  EXPECT_EQ(DigitKeyCode('5', false, 0), '5');
  EXPECT_EQ(DigitKeyCode('5', true, 0), 0);      // keypad
  EXPECT_EQ(DigitKeyCode('5', true, 14), 0);     // keypad, whatever the key code
  EXPECT_EQ(DigitKeyCode('%', false, 14), '5');  // Shift+5 on X11
  EXPECT_EQ(DigitKeyCode('(', false, 18), '9');
  EXPECT_EQ(DigitKeyCode('%', false, 0), 0);
  EXPECT_EQ(DigitKeyCode('0', false, 19), 0);  // the "0" key is no generate key
}

TEST(GenKeysTest, OnlyTheThreeTextLinesKeepDigitKeys) {
  for (const auto* name : {u"txtCmd", u"txtInLine", u"txtOutLine"})
    EXPECT_TRUE(FocusKeepsDigitKeys(name));
  for (const auto* name : {u"txtMain", u"opt", u"cmdS", u"cmdC", u"imgRandom", u"", u"TXTCMD"})
    EXPECT_FALSE(FocusKeepsDigitKeys(name));
  EXPECT_TRUE(FocusKeepsDigitKeys(u"Line"));  // a plain substring search
}

TEST(GenKeysTest, AReleaseOnTheButtonsEdgeStillCounts) {
  EXPECT_TRUE(ReleaseOverButton(0, 0, 57, 25));
  EXPECT_TRUE(ReleaseOverButton(57, 25, 57, 25));
  EXPECT_FALSE(ReleaseOverButton(-1, 10, 57, 25));
  EXPECT_FALSE(ReleaseOverButton(58, 10, 57, 25));
  EXPECT_FALSE(ReleaseOverButton(10, 26, 57, 25));
}

}  // namespace
}  // namespace vm
