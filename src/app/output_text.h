// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The output box's text: kept exactly as shown by ShowText, displayed with
// each CR LF (or lone CR or LF) as one line break, and selections of the
// display mapped back to the exact characters of the text.
#include <cstddef>
#include <string>
#include <vector>

namespace vm {

class OutputText {
 public:
  void Set(std::u16string text);
  const std::u16string& Text() const { return text_; }
  // The text with every line break as a single '\n'.
  const std::u16string& Display() const { return display_; }
  // The characters of the text behind display positions [start, end).
  std::u16string Slice(std::size_t start, std::size_t end) const;

 private:
  std::u16string text_;
  std::u16string display_;
  std::vector<std::size_t> origin_;  // text position of each display position, and of the end
};

}  // namespace vm
