// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/crc32.h"

#include "text/cp1251.h"

namespace vm {
namespace {

constexpr std::uint32_t kPolynomial = 0xEDB88320U;

void BuildTable(std::array<std::uint32_t, 256>& table) {
  for (std::uint32_t n = 0; n < 256; ++n) {
    std::uint32_t c = n;
    for (int k = 0; k < 8; ++k) c = (c & 1U) != 0 ? (c >> 1) ^ kPolynomial : c >> 1;
    table[n] = c;
  }
}

}  // namespace

std::int32_t clsC::CRC32(std::u16string_view incMsg1) {
  if (!tableBuilt_) {
    BuildTable(table_);
    tableBuilt_ = true;
  }
  std::uint32_t crc = 0xFFFFFFFFU;
  for (const char16_t ch : incMsg1) {
    // ASCII and А..я directly; the codec for the rest.
    std::uint32_t b;
    if (ch < 0x80) {
      b = ch;
    } else if (ch >= 0x0410 && ch <= 0x044F) {
      b = 0xC0U + (ch - 0x0410U);
    } else {
      b = Cp1251CodeOf(ch);
    }
    crc = (crc >> 8) ^ table_[(crc ^ b) & 0xFFU];
  }
  return static_cast<std::int32_t>(~crc);
}

}  // namespace vm
