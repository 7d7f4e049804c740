// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/program.h"

#include <utility>

namespace vm {

Program::Program(Shell& shell, std::filesystem::path programFolder)
    : shell_(shell), programFolder_(std::move(programFolder)) {
  random_.SeedFromClock();
}

void Program::ReadOptions() {
  OptionBoxes boxes{};
  for (int i = 0; i < kOptionCount; ++i) boxes[static_cast<std::size_t>(i)] = shell_.OptionValue(i);
  vm::ReadOptions(boxes, flags_);
}

void Program::ShowCentred(std::u16string_view text) {
  shell_.ShowText(text, Alignment::kCentre);
}

void Program::PressGenButton(int index, int button) {
  if (button == 2) {
    if (index == autoGen_) {
      if (autoGen_ != 0) shell_.MarkGenButton(autoGen_, false);
      autoGen_ = 0;
      return;
    }
    if (autoGen_ != 0) shell_.MarkGenButton(autoGen_, false);
    autoGen_ = index;
    shell_.MarkGenButton(index, true);
  } else if (button == 1) {
    if (autoGen_ == 0) {
      SHIT(index, 0);
      return;
    }
    shell_.MarkGenButton(autoGen_, false);
    autoGen_ = index;
    shell_.MarkGenButton(index, true);
  }
}

void Program::StopAutoMode() {
  if (autoGen_ != 0) PressGenButton(autoGen_, 2);
}

}  // namespace vm
