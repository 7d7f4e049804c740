// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the command line says about itself: the option boxes by name, window
// caption and effect, and the help texts of every command.
#include <span>
#include <string>
#include <string_view>

#include "generation/options.h"

namespace vm {

struct OptionBoxName {
  const char* name;  // as --options takes it
  int box;           // check box index
  bool GenerationFlags::*flag;
  const char* does;
};

// The fifteen generation boxes (2..16), in box order.
std::span<const OptionBoxName> OptionBoxNames();
inline constexpr std::string_view kDefaultOptions = "punctuation,nocaps,cache,breaks";

// The window's caption of check box index, in UTF-8.
std::string OptionCaption(int box);
// "punctuation, nocaps, ..."
std::string OptionNameList();
// One line per box: `  omsk         — "Омск": shuffles the words of every phrase`.
std::string OptionBoxLines();

// The text after the option list in the help of command ("" for the program).
std::string HelpFooter(std::string_view command);

}  // namespace vm
