// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The option check boxes and the generation flags that mirror them.
#include <array>
#include <cstdint>

namespace vm {

// Indexes of the option check boxes.
enum OptionIndex : int {
  kOptAutoCopy = 0,
  kOptCopyUnicode = 1,
  kOptPunctuation = 2,
  kOptNoCapsLock = 3,
  kOptUseCache = 4,
  kOptOmsk = 5,
  kOptParagraphBreaks = 6,
  kOptLatinLetters = 7,
  kOptMarkup = 8,
  kOptClassicTags = 9,
  kOptLyrics = 10,
  kOptEntropy = 11,
  kOptChaos = 12,
  kOptSpeechDefects = 13,
  kOptWordMorph = 14,
  kOptMixedCase = 15,
  kOptTypos = 16,
  kOptSpare = 17,
};
inline constexpr int kOptionCount = 18;

// Check box values: 0 clear, 1 ticked, 2 grey. Only 1 counts as on.
using OptionBoxes = std::array<int, kOptionCount>;
// The states the window is designed with.
OptionBoxes DesignOptionBoxes();

struct GenerationFlags {
  bool AutoCopy = false;
  bool CopyUnicode = false;
  bool Punctuation = false;
  bool NoCapsLock = false;
  bool UseCache = false;
  bool Omsk = false;
  bool ParagraphBreaks = false;
  bool LatinLetters = false;
  bool Markup = false;
  bool ClassicTags = false;
  bool Lyrics = false;
  bool Entropy = false;
  bool Chaos = false;
  bool SpeechDefects = false;
  bool WordMorph = false;
  bool MixedCase = false;
  bool Typos = false;
};

// Copies the boxes into the flags; with Entropy on, the ten rolled flags keep
// the values of the last mood roll.
void ReadOptions(const OptionBoxes& boxes, GenerationFlags& flags);

// 1 when every bit of mask is set in byte (a mask of 0 gives 1), else 0.
int TestBit(std::uint8_t byte, std::uint8_t mask);
void SetBit(std::uint8_t& byte, std::uint8_t mask, bool on);

}  // namespace vm
