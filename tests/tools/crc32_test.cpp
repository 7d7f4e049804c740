// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/crc32.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <string>

#include "random/random_source.h"
#include "text/cp1251.h"

namespace vm {
namespace {

std::uint32_t ZlibCrc(std::string_view bytes) {
  return static_cast<std::uint32_t>(
      crc32(0L, reinterpret_cast<const Bytef*>(bytes.data()), static_cast<uInt>(bytes.size())));
}

TEST(Crc32, KnownValues) {
  clsC c;
  EXPECT_EQ(c.CRC32(u""), 0);
  EXPECT_EQ(static_cast<std::uint32_t>(c.CRC32(u"123456789")), 0xCBF43926U);
  EXPECT_EQ(c.CRC32(u"123456789"), -873187034);  // the same value, signed
}

TEST(Crc32, AgreesWithZlibOnRandomBytes) {
  RandomSource random(20240305);
  clsC c;  // one object for all texts, as the duplicate search uses it
  for (int round = 0; round < 500; ++round) {
    std::string bytes(static_cast<std::size_t>(RandomUpTo(random, 300)), '\0');
    for (char& b : bytes) b = static_cast<char>(RandomUpTo(random, 255));
    const std::uint32_t expected = ZlibCrc(bytes);
    // Every byte decodes to a character with that very code.
    ASSERT_EQ(static_cast<std::uint32_t>(c.CRC32(DecodeCp1251(bytes))), expected)
        << "round " << round;
  }
}

TEST(Crc32, TextIsTakenAsWindows1251Bytes) {
  clsC c;
  const std::u16string text = u"ПРИВЕТ, мир! Ёлка ҐЄЇІ №5 — «цитата»";
  EXPECT_EQ(static_cast<std::uint32_t>(c.CRC32(text)), ZlibCrc(EncodeCp1251(text)));
  // Characters without a code count as '?'.
  EXPECT_EQ(c.CRC32(u"aä中z"), c.CRC32(u"a??z"));
  EXPECT_NE(c.CRC32(u"ПРИВЕТ"), c.CRC32(u"ПРИВЕТ "));
}

}  // namespace
}  // namespace vm
