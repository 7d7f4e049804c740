// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/beat_clock.h"

#include "platform/platform.h"

namespace vm {
namespace {
// now + 120 with silent 32-bit wrap.
std::int32_t Later(std::int32_t now) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(now) +
                                   static_cast<std::uint32_t>(BeatClock::kBeatMs));
}
}  // namespace

bool BeatClock::IsBeat(std::int32_t now) {
  if ((now < 0) != (nextTick_ < 0)) {
    nextTick_ = Later(now);
    return false;
  }
  if (now >= nextTick_) {
    nextTick_ = Later(now);
    return true;
  }
  return false;
}

std::int32_t SteadyTickCount() {
  return platform::TickCount();
}

}  // namespace vm
