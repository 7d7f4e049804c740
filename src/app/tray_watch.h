// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// While the window sits in the tray, only the tray icon can bring it back.
// When the tray host goes away for good (a panel crashed or was switched
// off), nothing could; so once the tray has been missing for kGoneMs
// while the window is in it, the window comes back by itself. A tray host
// that restarts within that time gets the icon again and changes nothing.
#include <cstdint>
#include <optional>

namespace vm {

class TrayWatch {
 public:
  static constexpr std::uint32_t kGoneMs = 5000;

  // One look at the tray at tick count now (milliseconds, wrapping):
  // inTray when the window is hidden with its icon added, trayAvailable
  // when a tray host runs. True when the window must come back.
  bool Look(std::int32_t now, bool inTray, bool trayAvailable);

 private:
  std::optional<std::int32_t> missingSince_;
};

}  // namespace vm
