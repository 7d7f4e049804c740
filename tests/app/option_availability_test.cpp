// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/option_availability.h"

#include <gtest/gtest.h>

#include <map>
#include <vector>

namespace vm {
namespace {

std::map<int, bool> Enabled(const OptionBoxes& boxes) {
  std::map<int, bool> enabled;
  for (const auto& row : OptionAvailabilities(boxes)) enabled[row.index] = row.enabled;
  return enabled;
}

TEST(OptionAvailabilityTest, RowsComeInTheirOrderAndSkipTheAlwaysAvailableBoxes) {
  std::vector<int> order;
  for (const auto& row : OptionAvailabilities(DesignOptionBoxes())) order.push_back(row.index);
  EXPECT_EQ(order, (std::vector<int>{4, 2, 3, 5, 6, 8, 10, 12, 13, 14, 9, 15, 16, 1}));
}

TEST(OptionAvailabilityTest, DesignStatesGreyOutOnlyClassicTagsAndMixedCase) {
  const auto enabled = Enabled(DesignOptionBoxes());
  for (const auto& [index, on] : enabled) {
    EXPECT_EQ(on, index != kOptClassicTags && index != kOptMixedCase) << index;
  }
}

TEST(OptionAvailabilityTest, EntropyGreysOutTheRolledOptions) {
  OptionBoxes boxes = DesignOptionBoxes();
  boxes[kOptEntropy] = 1;
  boxes[kOptMarkup] = 1;
  boxes[kOptNoCapsLock] = 0;
  const auto enabled = Enabled(boxes);
  for (int i : {2, 3, 5, 6, 8, 9, 10, 12, 13, 14, 15, 16}) EXPECT_FALSE(enabled.at(i)) << i;
  EXPECT_TRUE(enabled.at(kOptUseCache));
  EXPECT_TRUE(enabled.at(kOptCopyUnicode));
}

TEST(OptionAvailabilityTest, ChaosGreysOutCacheOmskAndMorph) {
  OptionBoxes boxes = DesignOptionBoxes();
  boxes[kOptChaos] = 1;
  auto enabled = Enabled(boxes);
  EXPECT_FALSE(enabled.at(kOptUseCache));
  EXPECT_FALSE(enabled.at(kOptOmsk));
  EXPECT_FALSE(enabled.at(kOptWordMorph));
  EXPECT_TRUE(enabled.at(kOptChaos));
  boxes[kOptChaos] = 2;  // grey counts as clear
  enabled = Enabled(boxes);
  EXPECT_TRUE(enabled.at(kOptUseCache));
  EXPECT_TRUE(enabled.at(kOptWordMorph));
}

TEST(OptionAvailabilityTest, DependentBoxesFollowTheirMasters) {
  OptionBoxes boxes = DesignOptionBoxes();
  boxes[kOptMarkup] = 1;
  boxes[kOptNoCapsLock] = 0;
  boxes[kOptAutoCopy] = 0;
  const auto enabled = Enabled(boxes);
  EXPECT_TRUE(enabled.at(kOptClassicTags));
  EXPECT_TRUE(enabled.at(kOptMixedCase));
  EXPECT_FALSE(enabled.at(kOptCopyUnicode));
}

}  // namespace
}  // namespace vm
