// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/rijndael.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace vm {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes FromHex(const std::string& hex) {
  Bytes out;
  for (std::size_t i = 0; i + 1 < hex.size(); i += 2)
    out.push_back(static_cast<std::uint8_t>(std::stoi(hex.substr(i, 2), nullptr, 16)));
  return out;
}

Bytes Sequence(std::size_t n) {
  Bytes out(n);
  for (std::size_t i = 0; i < n; ++i) out[i] = static_cast<std::uint8_t>(i);
  return out;
}

clsA Keyed(int nb, const Bytes& key) {
  clsA cipher;
  cipher.gentables();
  EXPECT_TRUE(cipher.gkey(nb, static_cast<int>(key.size() / 4), key.data()));
  return cipher;
}

struct Vector {
  const char* key;
  const char* plain;
  const char* cipher;
};

// The designers' published answers for a 256-bit block and key: the zero
// block under the zero key, then that result enciphered again.
constexpr std::array<Vector, 2> kRijndael256 = {{
    {"0000000000000000000000000000000000000000000000000000000000000000",
     "0000000000000000000000000000000000000000000000000000000000000000",
     "C6227E7740B7E53B5CB77865278EAB0726F62366D9AABAD908936123A1FC8AF3"},
    {"0000000000000000000000000000000000000000000000000000000000000000",
     "C6227E7740B7E53B5CB77865278EAB0726F62366D9AABAD908936123A1FC8AF3",
     "9843E807319C32AD1EA3935EF56A2BA96E4BF19C30E47D88A2B97CBBF2E159E7"},
}};

TEST(Rijndael, KnownAnswers256BitBlockAndKey) {
  for (const Vector& v : kRijndael256) {
    const clsA cipher = Keyed(8, FromHex(v.key));
    Bytes block = FromHex(v.plain);
    cipher.Encrypt(block.data());
    EXPECT_EQ(block, FromHex(v.cipher)) << v.plain;
    block = FromHex(v.cipher);
    cipher.Decrypt(block.data());
    EXPECT_EQ(block, FromHex(v.plain)) << v.cipher;
  }
}

// 128-bit blocks are AES: the FIPS-197 examples exercise the other row
// shifts and the key schedules for Nk = 4 and 8.
TEST(Rijndael, KnownAnswers128BitBlock) {
  const Bytes plain = FromHex("00112233445566778899AABBCCDDEEFF");
  const struct {
    std::size_t keyBytes;
    const char* cipher;
  } cases[] = {{16, "69C4E0D86A7B0430D8CDB78070B4C55A"}, {32, "8EA2B7CA516745BFEAFC49904B496089"}};
  for (const auto& c : cases) {
    const clsA cipher = Keyed(4, Sequence(c.keyBytes));
    Bytes block = plain;
    cipher.Encrypt(block.data());
    EXPECT_EQ(block, FromHex(c.cipher)) << c.keyBytes;
    cipher.Decrypt(block.data());
    EXPECT_EQ(block, plain) << c.keyBytes;
  }
}

TEST(Rijndael, RejectsUnsupportedLengths) {
  clsA cipher;
  cipher.gentables();
  const Bytes key = Sequence(40);
  EXPECT_FALSE(cipher.gkey(5, 8, key.data()));
  EXPECT_FALSE(cipher.gkey(8, 10, key.data()));
  EXPECT_FALSE(cipher.gkey(0, 4, key.data()));
}

}  // namespace
}  // namespace vm
