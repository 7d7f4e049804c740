// SPDX-License-Identifier: GPL-3.0-or-later
// The about text shown in the output box.
#include "app/about_text.h"
#include "app/program.h"
#include "generation/phrase_transforms.h"
#include "text/letter_case.h"

namespace vm {

void Program::ShowAbout() {
  if (busy_) return;
  StopAutoMode();
  if (base_.UBound() == -1) {
    aboutPhrase_ = u"АБАСРАЦА";
  } else if (Chance(random_, 0.2F) || aboutPhrase_.empty()) {
    aboutPhrase_ = base_.lines[static_cast<std::size_t>(RandomUpTo(random_, base_.UBound()))];
    QuoteAndPunctuate(random_, aboutPhrase_, 0, 1);
  }
  LowerInPlace(aboutPhrase_);
  if (!aboutPhrase_.empty()) aboutPhrase_[0] = UpperChar(aboutPhrase_[0]);
  ShowCentred(BuildAboutText(aboutPhrase_));
}

}  // namespace vm
