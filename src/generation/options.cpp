// SPDX-License-Identifier: GPL-3.0-or-later
#include "generation/options.h"

namespace vm {

OptionBoxes DesignOptionBoxes() {
  OptionBoxes boxes{};
  for (int i : {kOptAutoCopy, kOptCopyUnicode, kOptPunctuation, kOptNoCapsLock, kOptUseCache,
                kOptParagraphBreaks})
    boxes[i] = 1;
  return boxes;
}

void ReadOptions(const OptionBoxes& boxes, GenerationFlags& flags) {
  const auto on = [&boxes](int i) { return boxes[i] == 1; };
  flags.Entropy = on(kOptEntropy);
  if (!flags.Entropy) {
    flags.WordMorph = on(kOptWordMorph);
    flags.Chaos = on(kOptChaos);
    flags.Punctuation = on(kOptPunctuation);
    flags.NoCapsLock = on(kOptNoCapsLock);
    flags.MixedCase = on(kOptMixedCase);
    flags.Typos = on(kOptTypos);
    flags.Omsk = on(kOptOmsk);
    flags.ParagraphBreaks = on(kOptParagraphBreaks);
    flags.Lyrics = on(kOptLyrics);
    flags.SpeechDefects = on(kOptSpeechDefects);
  }
  flags.Markup = on(kOptMarkup);
  flags.AutoCopy = on(kOptAutoCopy);
  flags.CopyUnicode = on(kOptCopyUnicode);
  flags.UseCache = on(kOptUseCache);
  flags.LatinLetters = on(kOptLatinLetters);
  flags.ClassicTags = on(kOptClassicTags);
}

int TestBit(std::uint8_t byte, std::uint8_t mask) {
  return (byte & mask) == mask ? 1 : 0;
}

void SetBit(std::uint8_t& byte, std::uint8_t mask, bool on) {
  const int set = TestBit(byte, mask);
  if (on && set == 0)
    byte = static_cast<std::uint8_t>(byte | mask);
  else if (!on && set == 1)
    byte = static_cast<std::uint8_t>(byte ^ mask);
}

}  // namespace vm
