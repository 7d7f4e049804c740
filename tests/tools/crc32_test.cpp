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

// zlib is the reference for every byte; a text counts as its Windows-1251
// bytes, a character without a code as '?', and the value comes out signed.
TEST(Crc32, AgreesWithZlibOnTheWindows1251Bytes) {
  RandomSource random(20240305);
  clsC c;  // one object for all texts, as the duplicate search uses it
  for (int round = 0; round < 500; ++round) {
    std::string bytes(static_cast<std::size_t>(RandomUpTo(random, 300)), '\0');
    for (char& b : bytes) b = static_cast<char>(RandomUpTo(random, 255));
    const std::uint32_t expected = ZlibCrc(bytes);
    ASSERT_EQ(static_cast<std::uint32_t>(c.CRC32(DecodeCp1251(bytes))), expected) << round;
    ASSERT_EQ(static_cast<std::uint32_t>(c.CRC32(std::string_view(bytes))), expected) << round;
  }
  EXPECT_EQ(c.CRC32(u"aä中z"), c.CRC32(u"a??z"));
  EXPECT_EQ(c.CRC32(u"123456789"), -873187034);  // 0xCBF43926
}

}  // namespace
}  // namespace vm
