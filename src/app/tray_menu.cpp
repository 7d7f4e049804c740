// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/tray_menu.h"

#include "app/gen_keys.h"
#include "text/strings.h"

namespace vm {

std::u16string TrayTooltip(int autoGen) {
  std::u16string tip(kApplicationTitle);
  if (autoGen != 0) tip += kAutoTooltipSuffix;
  return tip;
}

TrayMenuState BuildTrayMenuState(int autoGen) {
  TrayMenuState state;
  state.genVisible = autoGen == 0;
  state.autoVisible = !state.genVisible;
  if (autoGen == 0) {
    for (std::size_t k = 0; k < kGenButtonCounts.size(); ++k) {
      state.gen[k].caption = GenButtonCaption(kGenButtonCounts[k]);
      state.gen[k].tag = Decimal(kGenButtonCounts[k]);
    }
  }
  return state;
}

int TrayTagCount(std::u16string_view tag) {
  const std::u16string_view digits = TrimBlanks(tag);
  int value = 0;
  for (const char16_t c : digits) {
    if (c < u'0' || c > u'9' || value > 100000) break;
    value = value * 10 + (c - u'0');
  }
  return value;
}

}  // namespace vm
