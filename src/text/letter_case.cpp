// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/letter_case.h"

#include <array>

namespace vm {
namespace {

// Every cased character of the repertoire lies below U+0500.
constexpr char16_t kTableEnd = 0x0500;

template <char16_t (*Map)(char16_t)>
const std::array<char16_t, kTableEnd>& CaseTable() {
  static const auto table = [] {
    std::array<char16_t, kTableEnd> t{};
    for (char16_t c = 0; c < kTableEnd; ++c) t[c] = Map(c);
    return t;
  }();
  return table;
}

template <char16_t (*Map)(char16_t)>
void MapInPlace(std::u16string& text) {
  const auto& table = CaseTable<Map>();
  for (char16_t& c : text)
    if (c < kTableEnd) c = table[c];
}

}  // namespace

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
  MapInPlace<UpperChar>(text);
}

void LowerInPlace(std::u16string& text) {
  MapInPlace<LowerChar>(text);
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

bool EqualsIgnoringCase(std::u16string_view a, std::u16string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (LowerChar(a[i]) != LowerChar(b[i])) return false;
  return true;
}

}  // namespace vm
