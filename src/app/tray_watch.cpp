// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/tray_watch.h"

namespace vm {

bool TrayWatch::Look(std::int32_t now, bool inTray, bool trayAvailable) {
  if (!inTray || trayAvailable) {
    missingSince_.reset();
    return false;
  }
  if (!missingSince_) missingSince_ = now;
  const std::uint32_t missing =
      static_cast<std::uint32_t>(now) - static_cast<std::uint32_t>(*missingSince_);
  if (missing < kGoneMs) return false;
  missingSince_.reset();
  return true;
}

}  // namespace vm
