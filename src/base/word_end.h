// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Word ends and the sound-alike folding that rhyme keys are made of.
#include <string>
#include <string_view>

namespace vm {

// The rhyme-key letter for c: voiced and similar upper-case letters fold
// together (Б В Г П Ф Ґ -> Х, Д -> Т, ...); every other character stays.
char16_t FoldRhymeChar(char16_t c);
void FoldRhymeLetters(std::u16string& text);

// Everything after the last blank (or hyphen, with stopAtHyphen) of text; the
// whole text when there is none. maxLength > 0 keeps only the word's last
// maxLength characters; fold applies FoldRhymeLetters to the result.
std::u16string LastWord(std::u16string_view text, bool stopAtHyphen, bool fold,
                        std::size_t maxLength);
// The same word as a view into text, neither cut nor folded.
std::u16string_view LastWordView(std::u16string_view text, bool stopAtHyphen);

}  // namespace vm
