// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Upper and lower case over ASCII and the whole Windows-1251 repertoire
// (Russian, Ukrainian, Belarusian, Serbian, Macedonian letters).
#include <string>
#include <string_view>

namespace vm {

char16_t UpperChar(char16_t c);
char16_t LowerChar(char16_t c);
void UpperInPlace(std::u16string& text);
void LowerInPlace(std::u16string& text);
std::u16string Upper(std::u16string_view text);
std::u16string Lower(std::u16string_view text);
bool EqualsIgnoringCase(std::u16string_view a, std::u16string_view b);

}  // namespace vm
