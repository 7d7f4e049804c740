// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// TmrAUX: the 40 ms timer. Every tick advances the life grid while the
// window is visible; every beat refreshes the option availability, now and
// then rewrites the chaos tooltip and the caption, and runs auto-generation.
#include <string>

#include "app/beat_clock.h"
#include "app/life_grid.h"
#include "random/random_source.h"

namespace vm {

class Program;

class AuxTimer {
 public:
  static constexpr int kIntervalMs = 40;

  explicit AuxTimer(Program& program);

  void TmrAUX_Timer();

 private:
  Program& program_;
  BeatClock beat_;
  LifeGrid life_;
};

// A new tooltip for the chaos check box: two pseudo-words joined by a dash,
// ended like a sentence, trailing blanks removed.
std::u16string MakeChaosTooltip(RandomSource& random);

}  // namespace vm
