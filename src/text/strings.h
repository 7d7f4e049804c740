// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Small string helpers shared by every layer. All comparisons are exact.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vm {

inline constexpr std::u16string_view kCrLf = u"\r\n";
// The two-character line-break marker of generated text: backslash, n.
inline constexpr std::u16string_view kBreakMarker = u"\\n";

// Every non-overlapping occurrence of from (left to right) replaced by to.
void ReplaceAll(std::u16string& text, std::u16string_view from, std::u16string_view to);
// Split at every occurrence of sep: n separators give n + 1 pieces; an empty
// text gives no pieces at all.
std::vector<std::u16string> Split(std::u16string_view text, std::u16string_view sep);
// Like Split, but an empty text gives one empty piece (word splitting).
std::vector<std::u16string> SplitWords(std::u16string_view text);
std::u16string Join(const std::vector<std::u16string>& pieces, std::u16string_view sep);

// Trims remove blanks (code 32) only.
std::u16string_view TrimBlanks(std::u16string_view text);
void TrimRightBlanksInPlace(std::u16string& text);

bool EndsWith(std::u16string_view text, std::u16string_view tail);
bool StartsWith(std::u16string_view text, std::u16string_view head);
// Substring test with the program's rules: false when text is empty, true
// when sought is empty and text is not.
bool Contains(std::u16string_view text, std::u16string_view sought);
// The last n characters (the whole text when shorter).
std::u16string_view Right(std::u16string_view text, std::size_t n);

std::u16string Decimal(std::int64_t value);
// value to the nearest integer, halves to even (2.5 -> 2, 3.5 -> 4).
std::int64_t RoundHalfEven(double value);
// ASCII-only literal to UTF-16, for numbers and fixed Latin text.
std::u16string Ascii(std::string_view text);

}  // namespace vm
