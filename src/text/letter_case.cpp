#include "text/letter_case.h"

namespace vm {

char16_t UpperChar(char16_t c) {
  if (c < 0x80) return (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - 32) : c;
  if (c >= 0x0430 && c <= 0x044F) return static_cast<char16_t>(c - 0x20);
  if (c >= 0x0450 && c <= 0x045F && c != 0x045D) return static_cast<char16_t>(c - 0x50);
  if (c == 0x0491) return 0x0490;
  return c;
}

char16_t LowerChar(char16_t c) {
  if (c < 0x80) return (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c + 32) : c;
  if (c >= 0x0410 && c <= 0x042F) return static_cast<char16_t>(c + 0x20);
  if (c >= 0x0400 && c <= 0x040F && c != 0x040D) return static_cast<char16_t>(c + 0x50);
  if (c == 0x0490) return 0x0491;
  return c;
}

void UpperInPlace(std::u16string& text) {
  for (char16_t& c : text) c = UpperChar(c);
}

void LowerInPlace(std::u16string& text) {
  for (char16_t& c : text) c = LowerChar(c);
}

std::u16string Upper(std::u16string_view text) {
  std::u16string out(text);
  UpperInPlace(out);
  return out;
}

std::u16string Lower(std::u16string_view text) {
  std::u16string out(text);
  LowerInPlace(out);
  return out;
}

}  // namespace vm
