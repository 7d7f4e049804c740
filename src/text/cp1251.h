// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Windows-1251 codec. Every byte maps to one UTF-16 code unit and back (the
// unassigned 0x98 maps to U+0098), so a file read and written again keeps its
// bytes. Characters without a code are written as '?'.
#include <cstdint>
#include <string>
#include <string_view>

namespace vm {

inline constexpr std::uint8_t kMissingCode = '?';

char16_t Cp1251ToChar(std::uint8_t byte);
// The code of a character outside ASCII and А..я, or -1 when it has none.
int CharToCp1251Rare(char16_t c);
// The Windows-1251 code of c, or -1 when it has none. Inline: hot in every
// per-character loop (the CRC, the clean-up, the encoder).
inline int CharToCp1251(char16_t c) {
  if (c < 0x80) return c;
  if (c >= 0x0410 && c <= 0x044F) return 0xC0 + (c - 0x0410);
  return CharToCp1251Rare(c);
}
// The code of c, '?' (63) when it has none: how comparisons and the CRC see it.
inline std::uint8_t Cp1251CodeOf(char16_t c) {
  const int code = CharToCp1251(c);
  return code < 0 ? kMissingCode : static_cast<std::uint8_t>(code);
}

std::u16string DecodeCp1251(std::string_view bytes);
std::string EncodeCp1251(std::u16string_view text);

// UTF-8 <-> UTF-16 for the terminal and for base files written in UTF-8.
// Invalid sequences decode to U+FFFD.
std::u16string FromUtf8(std::string_view bytes);
std::string ToUtf8(std::u16string_view text);

// True when bytes hold multi-byte UTF-8 sequences and at most one stray
// (invalid) high byte per hundred of them.
bool LooksLikeUtf8(std::string_view bytes);
// Bytes of a base file or import source: UTF-16 after its byte-order mark,
// UTF-8 when LooksLikeUtf8 (stray bytes become U+FFFD, a byte-order mark
// goes), else Windows-1251.
std::u16string DecodeTextFile(std::string_view bytes);

}  // namespace vm
