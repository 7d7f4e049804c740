// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/option_availability.h"

namespace vm {

std::array<OptionAvailability, 14> OptionAvailabilities(const OptionBoxes& boxes) {
  const auto on = [&boxes](int i) { return boxes[static_cast<std::size_t>(i)] == 1; };
  const bool e = on(kOptEntropy);
  const bool chaos = on(kOptChaos);
  return {{
      {kOptUseCache, !chaos},
      {kOptPunctuation, !e},
      {kOptNoCapsLock, !e},
      {kOptOmsk, !chaos && !e},
      {kOptParagraphBreaks, !e},
      {kOptMarkup, !e},
      {kOptLyrics, !e},
      {kOptChaos, !e},
      {kOptSpeechDefects, !e},
      {kOptWordMorph, !chaos && !e},
      {kOptClassicTags, on(kOptMarkup) && !e},
      {kOptMixedCase, !on(kOptNoCapsLock) && !e},
      {kOptTypos, !e},
      {kOptCopyUnicode, on(kOptAutoCopy)},
  }};
}

}  // namespace vm
