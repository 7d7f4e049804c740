// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Which option check boxes are available, refreshed on every timer beat.
#include <array>

#include "generation/options.h"

namespace vm {

struct OptionAvailability {
  int index;
  bool enabled;
};

// The fourteen rows in the order they are applied. Boxes 0, 7, 11 and 17 are
// never greyed out, so they have no row.
std::array<OptionAvailability, 14> OptionAvailabilities(const OptionBoxes& boxes);

}  // namespace vm
