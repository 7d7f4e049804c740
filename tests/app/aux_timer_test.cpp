// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/aux_timer.h"

#include <gtest/gtest.h>

#include <set>

#include "desktop_fixture.h"
#include "text/strings.h"

namespace vm {
namespace {

using test::DesktopFixture;

class AuxTimerTest : public ::testing::Test {
 protected:
  // Runs ticks 40 ms apart, starting at the next tick count.
  void Ticks(int n) {
    for (int i = 0; i < n; ++i) {
      f.shell.tick += 40;
      timer.TmrAUX_Timer();
    }
  }
  // Runs n beats (each three ticks).
  void Beats(int n) { Ticks(3 * n); }

  DesktopFixture f;
  AuxTimer timer{f.program};
};

TEST_F(AuxTimerTest, AvailabilityIsRefreshedOnBeatsOnly) {
  f.shell.tick = 1000;
  f.shell.enabledStates.fill(true);
  timer.TmrAUX_Timer();  // the first tick is a beat
  EXPECT_FALSE(f.shell.enabledStates[kOptClassicTags]);
  EXPECT_FALSE(f.shell.enabledStates[kOptMixedCase]);
  EXPECT_TRUE(f.shell.enabledStates[kOptPunctuation]);

  f.shell.options[kOptEntropy] = 1;
  Ticks(2);  // 1040, 1080: no beat
  EXPECT_TRUE(f.shell.enabledStates[kOptPunctuation]);
  Ticks(1);  // 1120
  EXPECT_FALSE(f.shell.enabledStates[kOptPunctuation]);
  EXPECT_TRUE(f.shell.enabledStates[kOptUseCache]);
}

TEST_F(AuxTimerTest, TheLifeGridMovesOnlyWhileTheWindowIsVisible) {
  f.shell.visible = false;
  Ticks(30);
  EXPECT_EQ(f.shell.cellsDrawn, 0);
  EXPECT_EQ(timer.Life().LifeCount(), 0);
  f.shell.visible = true;
  Ticks(1);  // not a beat, the grid moves anyway
  EXPECT_GT(f.shell.cellsDrawn, 0);
  EXPECT_EQ(timer.Life().LifeCount(), f.shell.cellsDrawn);
}

TEST_F(AuxTimerTest, AutoModeGeneratesOncePerBeatUnlessCtrlIsHeld) {
  timer.TmrAUX_Timer();  // tick 0: a beat without auto mode
  EXPECT_EQ(f.Shown(), 0U);
  f.program.PressGenButton(10, 2);
  Beats(5);
  EXPECT_EQ(f.Shown(), 5U);
  f.shell.controlHeld = true;
  Beats(5);
  EXPECT_EQ(f.Shown(), 5U);
  f.shell.controlHeld = false;
  Beats(1);
  EXPECT_EQ(f.Shown(), 6U);
  f.program.PressGenButton(10, 2);  // off again
  Beats(3);
  EXPECT_EQ(f.Shown(), 6U);
}

TEST_F(AuxTimerTest, NowAndThenTheCaptionIsPutBack) {
  const std::u16string loaded = f.shell.caption;
  ASSERT_FALSE(loaded.empty());
  f.shell.caption = u"чужой заголовок";
  int beats = 0;
  while (f.shell.caption != loaded && beats < 1000) {
    Beats(1);
    ++beats;
  }
  EXPECT_EQ(f.shell.caption, loaded);
  EXPECT_GT(beats, 1);  // 3 % of beats, not every one
}

TEST_F(AuxTimerTest, TheChaosTooltipChangesOnAboutOneBeatInTen) {
  int changes = 0;
  std::u16string last = f.shell.chaosTooltip;
  for (int i = 0; i < 1000; ++i) {
    Beats(1);
    if (f.shell.chaosTooltip != last) ++changes, last = f.shell.chaosTooltip;
  }
  EXPECT_GT(changes, 60);
  EXPECT_LT(changes, 140);
}

TEST(ChaosTooltipTest, TwoPseudoWordsJoinedByADashEndLikeASentence) {
  RandomSource random(3);
  std::set<std::u16string> seen;
  for (int i = 0; i < 300; ++i) {
    const std::u16string tip = MakeChaosTooltip(random);
    seen.insert(tip);
    const auto dash = tip.find(u'-');
    ASSERT_NE(dash, std::u16string::npos);
    EXPECT_GE(dash, 2U);
    EXPECT_LE(dash, 3U);
    EXPECT_TRUE(tip[0] >= u'А' && tip[0] <= u'Я') << ToUtf8(tip);
    EXPECT_NE(tip.back(), u' ');
    EXPECT_NE(std::u16string_view(u".?!").find(tip.back()), std::u16string_view::npos)
        << ToUtf8(tip);
  }
  EXPECT_GT(seen.size(), 250U);
}

}  // namespace
}  // namespace vm
