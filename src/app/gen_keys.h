// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The generate buttons' keys and mouse releases: digit keys "1".."9" (key
// codes 49..57) stand for the nine phrase counts; the window passes digit
// releases on unless the focus is in one of the three text lines.
#include <array>
#include <string>
#include <string_view>

namespace vm {

class Program;

// Phrase counts of the generate buttons, in caption order "1".."9".
inline constexpr std::array<int, 9> kGenButtonCounts = {1, 5, 10, 15, 20, 28, 44, 60, 124};
// VB-style modifier bits of a key event.
inline constexpr int kShiftMask = 1;
inline constexpr int kCtrlMask = 2;
inline constexpr int kAltMask = 4;

// Phrase count for key code 49..57, 0 for every other key.
int GenCountForKey(int keyCode);
// Caption of the button of count ("1".."9"), empty when no button has it.
std::u16string GenButtonCaption(int count);

// Key code 49..57 of a released main-keyboard digit, else 0. key is the
// toolkit's key code (digits are 49..57); x11Keycode, when not 0, is the
// hardware key code, which still names the digit row when a modifier or
// the layout turned key into another symbol. Keypad digits never count.
int DigitKeyCode(int key, bool keypad, int x11Keycode);

// True when a control of this name keeps digit keys to itself: its name
// occurs in "txtCmdtxtInLinetxtOutLine". A nameless focus keeps nothing.
bool FocusKeepsDigitKeys(std::u16string_view controlName);

// True when (x, y) lies on the button, both bounds inclusive.
bool ReleaseOverButton(int x, int y, int width, int height);

// cmdS_KeyUp: a generate key presses its button, left without a modifier
// and right with one. Returns the count whose button takes the focus, 0
// when the key is no generate key.
int cmdS_KeyUp(Program& program, int keyCode, int shift);
// Form_KeyUp: the window-wide digit keys, with Shift 0. Returns the count
// whose button takes the focus, 0 when nothing happened.
int Form_KeyUp(Program& program, std::u16string_view focusName, int keyCode);

}  // namespace vm
