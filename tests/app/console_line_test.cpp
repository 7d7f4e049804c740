// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/console_line.h"

#include <gtest/gtest.h>

#include "desktop_fixture.h"
#include "text/strings.h"

namespace vm {
namespace {

using test::DesktopFixture;

TEST(ConsoleLineTest, ButtonsAreAvailableOnlyWithText) {
  EXPECT_FALSE(ConsoleLine::ButtonsEnabled(u""));
  EXPECT_TRUE(ConsoleLine::ButtonsEnabled(u" "));
}

TEST(ConsoleLineTest, EnterRunsTheRhymingWordsBeforeAnyClick) {
  DesktopFixture f;
  ConsoleLine console;
  EXPECT_EQ(console.Tag(), u"");
  EXPECT_EQ(console.DefaultButton(), -1);
  console.EnterPressed(f.program, u"мокрый кот");
  ASSERT_EQ(f.Shown(), 1U);
  EXPECT_TRUE(StartsWith(f.shell.shown, u"КОТ\r\n———\r\n")) << ToUtf8(f.shell.shown);
  EXPECT_TRUE(Contains(f.shell.shown, u"КОТ — ")) << ToUtf8(f.shell.shown);
  EXPECT_EQ(console.Tag(), u"0");
}

TEST(ConsoleLineTest, AClickBecomesTheCommandThatEnterRepeatsOnce) {
  DesktopFixture f;
  ConsoleLine console;
  console.cmdC_Click(f.program, kCmdSeed, u"зерно");
  ASSERT_EQ(f.Shown(), 1U);
  const std::u16string first = f.shell.shown;
  EXPECT_EQ(console.Tag(), u"2");
  EXPECT_EQ(console.DefaultButton(), kCmdSeed);
  console.EnterPressed(f.program, u"зерно");
  ASSERT_EQ(f.Shown(), 2U);
  EXPECT_EQ(f.shell.shown, first);  // the same seed gives the same text
}

}  // namespace
}  // namespace vm
