// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/life_grid.h"

#include <utility>

namespace vm {
namespace {
constexpr std::int32_t kCrowded = 180;
constexpr std::int32_t kOvercrowded = 360;
}  // namespace

LifeGrid::LifeGrid(RandomSource& random, DrawCell draw) : random_(random), draw_(std::move(draw)) {}

void LifeGrid::LifeTick() {
  if (count_ > kCrowded) {
    LifeSweep();
  } else {
    for (int i = 0; i < 3; ++i) LifeSeed();
  }
}

void LifeGrid::LifeSeed() {
  x_ = RandomUpTo(random_, kColumns - 1);
  y_ = RandomUpTo(random_, kRows - 1);
  if (!Alive(x_, y_)) LifeBirth();
}

void LifeGrid::LifeSweep() {
  const bool columnsDown = random_.Next() > 0.5F;
  const bool rowsDown = random_.Next() > 0.5F;
  for (int i = 0; i < kColumns; ++i) {
    x_ = columnsDown ? kColumns - 1 - i : i;
    for (int j = 0; j < kRows; ++j) {
      y_ = rowsDown ? kRows - 1 - j : j;
      const int n = LifeNeighbours();
      if (Alive(x_, y_)) {
        if (n == 2 || n == 3) {
          if (Chance(random_, 0.5F) && count_ > kOvercrowded) LifeKill();
        } else if (count_ > kCrowded) {
          LifeKill();
        }
      } else if (n == 3) {
        LifeBirth();
      }
    }
  }
}

int LifeGrid::LifeNeighbours() const {
  int n = 0;
  for (int dy = -1; dy <= 1; ++dy) {
    for (int dx = -1; dx <= 1; ++dx) {
      if (dx == 0 && dy == 0) continue;
      const int x = x_ + dx;
      const int y = y_ + dy;
      if (x >= 0 && x < kColumns && y >= 0 && y < kRows && Alive(x, y)) ++n;
    }
  }
  return n;
}

void LifeGrid::LifeBirth() {
  cells_[Offset(x_, y_)] = 1;
  LifeDraw();
  ++count_;
}

void LifeGrid::LifeKill() {
  cells_[Offset(x_, y_)] = 0;
  LifeDraw();
  --count_;
}

void LifeGrid::LifeDraw() {
  if (draw_) draw_(x_, y_, Alive(x_, y_));
}

}  // namespace vm
