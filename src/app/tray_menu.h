// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the tray icon shows: its tooltip and the entries of its menu.
#include <array>
#include <string>
#include <string_view>

namespace vm {

inline constexpr std::u16string_view kApplicationTitle = u"Verbalomatic";
inline constexpr std::u16string_view kAutoTooltipSuffix = u": АКТИВИРОВАН";

struct TrayGenEntry {
  std::u16string caption;  // "1".."9"
  std::u16string tag;      // the button's phrase count in decimal
};

struct TrayMenuState {
  bool genVisible = false;   // mnuTrayGen, "Сгенерировать"
  bool autoVisible = false;  // mnuTrayGenA, "[ Авто ]"
  // mnuTrayGenT(0..8); filled only when auto mode is off, else left empty.
  std::array<TrayGenEntry, 9> gen;
};

// The tooltip given to the icon when it is added.
std::u16string TrayTooltip(int autoGen);
// The menu as it opens with auto mode at autoGen (0 = off).
TrayMenuState BuildTrayMenuState(int autoGen);
// mnuTrayGenT_Click: the Tag text of the chosen entry as a number (0 when it is none).
int TrayTagCount(std::u16string_view tag);

}  // namespace vm
