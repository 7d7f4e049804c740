// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/life_grid.h"

#include <gtest/gtest.h>

#include <vector>

namespace vm {
namespace {

// A grid whose draw calls are mirrored into a picture, as the window does.
struct Fixture {
  explicit Fixture(std::uint32_t seed)
      : random(seed), grid(random, [this](int x, int y, bool alive) {
          picture[static_cast<std::size_t>(x + LifeGrid::kColumns * y)] = alive;
          ++draws;
        }) {}

  void Birth(int x, int y) {
    grid.SetCursor(x, y);
    grid.LifeBirth();
  }
  int CountAlive() const {
    int n = 0;
    for (int y = 0; y < LifeGrid::kRows; ++y)
      for (int x = 0; x < LifeGrid::kColumns; ++x) n += grid.Alive(x, y) ? 1 : 0;
    return n;
  }
  bool PictureMatchesGrid() const {
    for (int y = 0; y < LifeGrid::kRows; ++y)
      for (int x = 0; x < LifeGrid::kColumns; ++x)
        if (picture[static_cast<std::size_t>(x + LifeGrid::kColumns * y)] != grid.Alive(x, y))
          return false;
    return true;
  }
  // Live cells on every third column and row: no two touch, and no dead cell
  // sees more than one of them.
  void FillIsolated(int wanted) {
    for (int y = 0; y < LifeGrid::kRows && wanted > 0; y += 3)
      for (int x = 0; x < LifeGrid::kColumns && wanted > 0; x += 3, --wanted) Birth(x, y);
  }

  RandomSource random;
  std::vector<bool> picture = std::vector<bool>(LifeGrid::kColumns * LifeGrid::kRows);
  int draws = 0;
  LifeGrid grid;
};

TEST(LifeGridTest, CountAndPictureFollowTheGridOverManyTicks) {
  for (std::uint32_t seed : {1U, 2U}) {
    Fixture f(seed);
    bool swept = false;
    for (int i = 0; i < 400; ++i) {
      swept = swept || f.grid.LifeCount() > 180;
      f.grid.LifeTick();
      ASSERT_EQ(f.grid.LifeCount(), f.CountAlive()) << "seed " << seed << " tick " << i;
    }
    EXPECT_TRUE(swept);
    EXPECT_TRUE(f.PictureMatchesGrid());
  }
}

TEST(LifeGridTest, NeighboursStopAtTheEdgesWithoutWrapping) {
  Fixture f(1);
  f.Birth(1, 0);
  f.Birth(0, 1);
  f.Birth(1, 1);
  f.Birth(30, 120);  // the opposite corner
  f.Birth(30, 0);
  f.Birth(0, 120);
  f.grid.SetCursor(0, 0);
  EXPECT_EQ(f.grid.LifeNeighbours(), 3);
  f.grid.SetCursor(30, 120);
  EXPECT_EQ(f.grid.LifeNeighbours(), 0);
  f.grid.SetCursor(1, 1);
  EXPECT_EQ(f.grid.LifeNeighbours(), 2);  // the cell itself does not count
}

TEST(LifeGridTest, LonelyCellsDieOnlyWhileMoreThan180Live) {
  Fixture f(3);
  f.FillIsolated(451);
  ASSERT_EQ(f.grid.LifeCount(), 451);
  f.grid.LifeSweep();
  EXPECT_EQ(f.grid.LifeCount(), 180);
  EXPECT_EQ(f.CountAlive(), 180);
  EXPECT_TRUE(f.PictureMatchesGrid());
}

TEST(LifeGridTest, TickSweepsAbove180AndSeedsAtOrBelow) {
  Fixture above(5);
  above.FillIsolated(181);
  above.grid.LifeTick();
  EXPECT_EQ(above.grid.LifeCount(), 180);

  Fixture at(5);
  at.FillIsolated(180);
  at.grid.LifeTick();
  EXPECT_GE(at.grid.LifeCount(), 180);
  EXPECT_LE(at.grid.LifeCount(), 183);
  EXPECT_TRUE(at.grid.Alive(0, 0));
}

TEST(LifeGridTest, StableCellsAreThinnedOnlyAbove360) {
  // Blocks of four: every live cell has three neighbours.
  auto fillBlocks = [](Fixture& f, int blocks) {
    for (int y = 0; y + 1 < LifeGrid::kRows && blocks > 0; y += 3)
      for (int x = 0; x + 1 < LifeGrid::kColumns && blocks > 0; x += 3, --blocks) {
        f.Birth(x, y);
        f.Birth(x + 1, y);
        f.Birth(x, y + 1);
        f.Birth(x + 1, y + 1);
      }
  };
  Fixture few(9);
  fillBlocks(few, 90);  // 360 cells
  few.grid.LifeSweep();
  EXPECT_EQ(few.grid.LifeCount(), 360);

  Fixture many(9);
  fillBlocks(many, 150);  // 600 cells
  many.grid.LifeSweep();
  EXPECT_LT(many.grid.LifeCount(), 600);
  EXPECT_EQ(many.grid.LifeCount(), many.CountAlive());
}

}  // namespace
}  // namespace vm
