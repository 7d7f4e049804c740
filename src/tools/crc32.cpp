// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/crc32.h"

#include <array>

#include "text/cp1251.h"

namespace vm {
namespace {

constexpr std::uint32_t kPolynomial = 0xEDB88320U;

// Table k gives the CRC of a byte followed by k zero bytes: eight bytes are
// taken at once.
using Tables = std::array<std::array<std::uint32_t, 256>, 8>;

const Tables& CrcTables() {
  static const Tables tables = [] {
    Tables t{};
    for (std::uint32_t n = 0; n < 256; ++n) {
      std::uint32_t c = n;
      for (int k = 0; k < 8; ++k) c = (c & 1U) != 0 ? (c >> 1) ^ kPolynomial : c >> 1;
      t[0][n] = c;
    }
    for (std::size_t k = 1; k < 8; ++k)
      for (std::size_t n = 0; n < 256; ++n)
        t[k][n] = (t[k - 1][n] >> 8) ^ t[0][t[k - 1][n] & 0xFFU];
    return t;
  }();
  return tables;
}

}  // namespace

std::int32_t clsC::CRC32(std::u16string_view incMsg1) {
  const auto& table = CrcTables()[0];
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
    crc = (crc >> 8) ^ table[(crc ^ b) & 0xFFU];
  }
  return static_cast<std::int32_t>(~crc);
}

std::int32_t clsC::CRC32(std::string_view codes) {
  const Tables& t = CrcTables();
  const auto* p = reinterpret_cast<const unsigned char*>(codes.data());
  std::size_t left = codes.size();
  std::uint32_t crc = 0xFFFFFFFFU;
  for (; left >= 8; left -= 8, p += 8) {
    const std::uint32_t lo = crc ^ (std::uint32_t{p[0]} | std::uint32_t{p[1]} << 8 |
                                    std::uint32_t{p[2]} << 16 | std::uint32_t{p[3]} << 24);
    crc = t[7][lo & 0xFFU] ^ t[6][(lo >> 8) & 0xFFU] ^ t[5][(lo >> 16) & 0xFFU] ^ t[4][lo >> 24] ^
          t[3][p[4]] ^ t[2][p[5]] ^ t[1][p[6]] ^ t[0][p[7]];
  }
  for (; left > 0; --left, ++p) crc = (crc >> 8) ^ t[0][(crc ^ *p) & 0xFFU];
  return static_cast<std::int32_t>(~crc);
}

}  // namespace vm
