// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/beat_clock.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <vector>

namespace vm {
namespace {

constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();

std::vector<bool> Beats(BeatClock& clock, const std::vector<std::int32_t>& ticks) {
  std::vector<bool> beats;
  for (std::int32_t t : ticks) beats.push_back(clock.IsBeat(t));
  return beats;
}

TEST(BeatClockTest, FirstTickIsABeatThenEvery120Ms) {
  BeatClock clock;
  EXPECT_EQ(Beats(clock, {1000, 1040, 1080, 1120, 1160, 1200, 1240}),
            (std::vector<bool>{true, false, false, true, false, false, true}));
  EXPECT_EQ(clock.NextTick(), 1360);
}

TEST(BeatClockTest, ALateBeatIsNotMadeUp) {
  BeatClock clock;
  EXPECT_TRUE(clock.IsBeat(0));
  EXPECT_TRUE(clock.IsBeat(900));
  EXPECT_EQ(clock.NextTick(), 1020);
  EXPECT_FALSE(clock.IsBeat(940));
}

TEST(BeatClockTest, ANegativeCountAtStartSkipsTheFirstBeat) {
  BeatClock clock;
  EXPECT_FALSE(clock.IsBeat(-1000));
  EXPECT_EQ(clock.NextTick(), -880);
  EXPECT_FALSE(clock.IsBeat(-920));
  EXPECT_TRUE(clock.IsBeat(-880));
}

TEST(BeatClockTest, BeatsPauseAcrossTheSignChangeAndResume120MsLater) {
  BeatClock clock;
  ASSERT_TRUE(clock.IsBeat(kMax - 100));
  EXPECT_EQ(clock.NextTick(), kMin + 19);  // wrapped silently
  EXPECT_FALSE(clock.IsBeat(kMax - 60));
  EXPECT_FALSE(clock.IsBeat(kMax - 20));
  EXPECT_EQ(clock.NextTick(), kMin + 99);
  EXPECT_FALSE(clock.IsBeat(kMin + 19));
  EXPECT_FALSE(clock.IsBeat(kMin + 59));
  EXPECT_TRUE(clock.IsBeat(kMin + 99));
}

}  // namespace
}  // namespace vm
