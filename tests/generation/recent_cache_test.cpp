#include "generation/recent_cache.h"

#include <gtest/gtest.h>

namespace vm {
namespace {

std::int32_t SizeFor(std::int32_t ubound) {
  RecentCache cache;
  cache.Reset(ubound);
  return cache.Size();
}

TEST(RecentCache, SizeIsFifteenPercentPlusOneRoundedHalfEvenAndCapped) {
  EXPECT_EQ(SizeFor(-1), 1);     // empty base
  EXPECT_EQ(SizeFor(0), 1);      // 1 line
  EXPECT_EQ(SizeFor(9), 2);      // 10 lines: 2.35
  EXPECT_EQ(SizeFor(10), 2);     // 2.5 rounds to even
  EXPECT_EQ(SizeFor(30), 6);     // 5.5 rounds to even
  EXPECT_EQ(SizeFor(50), 8);     // 8.5 rounds to even
  EXPECT_EQ(SizeFor(999), 151);  // 1000 lines
  EXPECT_EQ(SizeFor(1999), 256);
  EXPECT_EQ(SizeFor(1'000'000), 256);
  EXPECT_EQ(RecentCache().Size(), 1);
}

TEST(RecentCache, ResetFreesEverySlotAndRewindsThePosition) {
  RecentCache cache;
  cache.Reset(30);
  for (std::int32_t line = 0; line < 4; ++line) ASSERT_TRUE(cache.Admit(line));
  cache.Reset(30);
  EXPECT_EQ(cache.WritePosition(), 0);
  for (std::int32_t k = 1; k <= cache.Size(); ++k) EXPECT_EQ(cache.Slot(k), -1);
  EXPECT_TRUE(cache.Admit(2));
  EXPECT_EQ(cache.Slot(1), 2);
}

TEST(RecentCache, RingOverwritesTheOldestFirst) {
  RecentCache cache;
  cache.Reset(9);  // S = 2
  EXPECT_TRUE(cache.Admit(5));
  EXPECT_TRUE(cache.Admit(6));
  EXPECT_EQ(cache.WritePosition(), 2);
  EXPECT_FALSE(cache.Admit(5));
  EXPECT_FALSE(cache.Admit(6));
  EXPECT_EQ(cache.WritePosition(), 2);  // refusals record nothing
  EXPECT_TRUE(cache.Admit(7));          // wraps to slot 1, forgetting 5
  EXPECT_EQ(cache.WritePosition(), 1);
  EXPECT_EQ(cache.Slot(1), 7);
  EXPECT_EQ(cache.Slot(2), 6);
  EXPECT_FALSE(cache.Admit(6));
  EXPECT_TRUE(cache.Admit(5));  // overwrites 6
  EXPECT_EQ(cache.Slot(2), 5);
  EXPECT_TRUE(cache.Admit(6));
}

TEST(RecentCache, KeysMatchWholeNumbersOnlyModuloTenToTheEighth) {
  RecentCache cache;
  cache.Reset(999);
  EXPECT_TRUE(cache.Admit(42));
  EXPECT_TRUE(cache.Admit(4));
  EXPECT_TRUE(cache.Admit(420));
  EXPECT_FALSE(cache.Admit(42));
  EXPECT_FALSE(cache.Admit(4));
  // Only the last 8 digits are kept, so these stand for the same line.
  EXPECT_FALSE(cache.Admit(100'000'042));
  EXPECT_TRUE(cache.Admit(100'000'043));
  EXPECT_FALSE(cache.Admit(43));
}

TEST(RecentCache, NegativeLinesAreRefusedWithoutTrace) {
  RecentCache cache;
  cache.Reset(9);
  EXPECT_FALSE(cache.Admit(-1));
  EXPECT_FALSE(cache.Admit(-42));
  EXPECT_EQ(cache.WritePosition(), 0);
  EXPECT_EQ(cache.Slot(1), -1);
}

TEST(RecentCache, ClearFreesSlotsButKeepsThePosition) {
  RecentCache cache;
  cache.Reset(30);  // S = 6
  for (std::int32_t line : {10, 11, 12}) ASSERT_TRUE(cache.Admit(line));
  cache.Clear();
  EXPECT_EQ(cache.WritePosition(), 3);
  for (std::int32_t k = 1; k <= cache.Size(); ++k) EXPECT_EQ(cache.Slot(k), -1);
  EXPECT_TRUE(cache.Admit(10));
  EXPECT_EQ(cache.WritePosition(), 4);
  EXPECT_EQ(cache.Slot(4), 10);
}

}  // namespace
}  // namespace vm
