// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// modL: the life grid animated on the picture box. 31 columns by 121 rows,
// cell (x, y) at x + 31 * y; a cursor shared by the routines picks the cell
// that LifeBirth, LifeKill, LifeNeighbours and LifeDraw act on.
#include <array>
#include <cstdint>
#include <functional>

#include "random/random_source.h"

namespace vm {

class LifeGrid {
 public:
  static constexpr int kColumns = 31;
  static constexpr int kRows = 121;
  // Plots cell (x, y) alive or dead.
  using DrawCell = std::function<void(int x, int y, bool alive)>;

  LifeGrid(RandomSource& random, DrawCell draw);

  // Sweep when more than 180 cells live, else seed three times.
  void LifeTick();
  // One random cell comes to life unless it already lives.
  void LifeSeed();
  // One pass over every cell in a random direction, updating in place.
  void LifeSweep();
  // Live neighbours of the cursor cell; outside the grid counts as dead.
  int LifeNeighbours() const;
  void LifeBirth();
  void LifeKill();
  void LifeDraw();

  bool Alive(int x, int y) const { return cells_[Offset(x, y)] != 0; }
  void SetCursor(int x, int y) { x_ = x, y_ = y; }

 private:
  static std::size_t Offset(int x, int y) { return static_cast<std::size_t>(x + kColumns * y); }

  RandomSource& random_;
  DrawCell draw_;
  std::array<std::uint8_t, kColumns * kRows> cells_{};
  std::int32_t count_ = 0;
  int x_ = 0;
  int y_ = 0;
};

}  // namespace vm
