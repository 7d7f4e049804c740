// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The about text: a version line, seven fixed lines and a quoted phrase.
#include <string>
#include <string_view>

namespace vm {

// Fixed line index (0..6) in its display form.
std::u16string AboutFixedLine(int index);
// The 14 lines joined with CR LF; every apostrophe becomes a double quote.
std::u16string BuildAboutText(std::u16string_view phrase);

}  // namespace vm
