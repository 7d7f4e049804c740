// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The beat test of the 40 ms timer: a beat at most every 120 ms of the tick
// count, never made up when late, restarted when the count changes sign.
#include <cstdint>

namespace vm {

// Milliseconds of a monotonic clock, wrapping as a signed 32-bit count.
std::int32_t SteadyTickCount();

class BeatClock {
 public:
  static constexpr std::int32_t kBeatMs = 120;

  // True when the tick at now is a beat; moves the next beat on.
  bool IsBeat(std::int32_t now);

 private:
  std::int32_t nextTick_ = 0;
};

}  // namespace vm
