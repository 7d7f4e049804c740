// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/console_line.h"

#include "app/program.h"
#include "text/strings.h"

namespace vm {

void ConsoleLine::cmdC_Click(Program& program, int index, std::u16string_view text) {
  switch (index) {
    case kCmdWords:
      program.FindRhymes(text, false);
      break;
    case kCmdLines:
      program.FindRhymes(text, true);
      break;
    case kCmdSeed:
      program.GenerateFromSeed(text);
      break;
    default:
      break;
  }
  last_ = index;
}

std::u16string ConsoleLine::Tag() const {
  return last_ < 0 ? std::u16string() : Decimal(last_);
}

void ConsoleLine::EnterPressed(Program& program, std::u16string_view text) {
  cmdC_Click(program, last_ < 0 ? kCmdWords : last_, text);
}

}  // namespace vm
