// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The make-up of frmMain as data: every control with its index, place (in
// twips), caption and tooltip. The check boxes start as DesignOptionBoxes().
#include <array>
#include <span>
#include <string_view>

namespace vm::shell {

inline constexpr int kTwipsPerPixel = 15;
inline constexpr int Px(int twips) {
  return twips / kTwipsPerPixel;
}

struct Twips {
  int left, top, width, height;
};

struct ControlSpec {
  std::string_view name;  // objectName
  int index;              // -1 for controls that are not in an array
  Twips place;
  std::u16string_view caption;
  std::u16string_view tooltip;
};

struct OptionSpec {
  int index;
  Twips place;
  std::u16string_view caption;
  std::u16string_view tooltip;
};

inline constexpr Twips kClientArea{0, 0, 8880, 5025};
inline constexpr int kLineNarrowWidth = 645;  // txtInLine and txtOutLine while not edited

// txtMain, cmdS(1..124), txtCmd, cmdC(0..2), txtInLine, txtOutLine,
// imgRandom and lblBack(0, 2).
std::span<const ControlSpec> Controls();
// opt(0..17) in index order.
std::span<const OptionSpec> Options();
const ControlSpec& Control(std::string_view name, int index = -1);

// The check boxes the widened prologue (row 1) and epilogue (row 2) lines
// cover, in the order they are hidden and shown again.
inline constexpr std::array<int, 7> kRow1Options = {2, 8, 6, 10, 5, 14, 16};
inline constexpr std::array<int, 7> kRow2Options = {3, 9, 11, 13, 12, 15, 17};

inline constexpr std::u16string_view kWindowTitle = u"Verbalomatic";

}  // namespace vm::shell
