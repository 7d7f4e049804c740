// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/tray_watch.h"

#include <gtest/gtest.h>

#include <limits>
#include <vector>

namespace vm {
namespace {

struct Look {
  std::int64_t now;  // taken modulo 2^32, as the tick count wraps
  bool inTray;
  bool available;
  bool show;
};

constexpr std::int64_t kMax = std::numeric_limits<std::int32_t>::max();
constexpr std::int64_t kGone = TrayWatch::kGoneMs;

TEST(TrayWatchTest, TheWindowComesBackWhenTheTrayStaysMissing) {
  const std::vector<std::vector<Look>> runs = {
      // Missing for the whole time while in the tray: back once, then quiet.
      {{1000, true, false, false},
       {1000 + kGone - 1, true, false, false},
       {1000 + kGone, true, false, true},
       {1040 + kGone, false, false, false}},
      // A tray host that returns in time resets the count.
      {{0, true, false, false},
       {kGone - 40, true, true, false},
       {kGone, true, false, false},
       {2 * kGone - 1, true, false, false},
       {2 * kGone, true, false, true}},
      // Shown windows and working trays never call it back.
      {{0, false, false, false},
       {10 * kGone, false, false, false},
       {20 * kGone, true, true, false},
       {30 * kGone, true, true, false}},
      // The tick count wraps past its largest value.
      {{kMax - 100, true, false, false}, {kMax - 100 + kGone, true, false, true}},
  };
  for (std::size_t r = 0; r < runs.size(); ++r) {
    TrayWatch watch;
    for (const Look& look : runs[r]) {
      const std::int32_t now = static_cast<std::int32_t>(static_cast<std::uint32_t>(look.now));
      EXPECT_EQ(watch.Look(now, look.inTray, look.available), look.show)
          << "run " << r << " at " << look.now;
    }
  }
}

}  // namespace
}  // namespace vm
