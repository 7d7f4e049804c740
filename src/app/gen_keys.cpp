// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/gen_keys.h"

#include "app/program.h"

namespace vm {
namespace {
constexpr int kKey1 = 49;
constexpr int kKey9 = 57;
// Hardware key codes of the digit row "1".."9" on X11 (evdev).
constexpr int kX11Key1 = 10;
constexpr int kX11Key9 = 18;
constexpr std::u16string_view kTextLines = u"txtCmdtxtInLinetxtOutLine";
}  // namespace

int GenCountForKey(int keyCode) {
  if (keyCode < kKey1 || keyCode > kKey9) return 0;
  return kGenButtonCounts[static_cast<std::size_t>(keyCode - kKey1)];
}

std::u16string GenButtonCaption(int count) {
  for (std::size_t k = 0; k < kGenButtonCounts.size(); ++k) {
    if (kGenButtonCounts[k] == count) return std::u16string(1, static_cast<char16_t>(u'1' + k));
  }
  return {};
}

int DigitKeyCode(int key, bool keypad, int x11Keycode) {
  if (keypad) return 0;
  if (key >= kKey1 && key <= kKey9) return key;
  if (x11Keycode >= kX11Key1 && x11Keycode <= kX11Key9) return kKey1 + (x11Keycode - kX11Key1);
  return 0;
}

bool FocusKeepsDigitKeys(std::u16string_view controlName) {
  return !controlName.empty() && kTextLines.find(controlName) != std::u16string_view::npos;
}

bool ReleaseOverButton(int x, int y, int width, int height) {
  return x >= 0 && x <= width && y >= 0 && y <= height;
}

int cmdS_KeyUp(Program& program, int keyCode, int shift) {
  const int count = GenCountForKey(keyCode);
  if (count == 0) return 0;
  program.PressGenButton(count, shift == 0 ? 1 : 2);
  return count;
}

int Form_KeyUp(Program& program, std::u16string_view focusName, int keyCode) {
  if (FocusKeepsDigitKeys(focusName)) return 0;
  return cmdS_KeyUp(program, keyCode, 0);
}

}  // namespace vm
