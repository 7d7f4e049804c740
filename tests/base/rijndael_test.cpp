// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/rijndael.h"

#include <gtest/gtest.h>

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

// Published answers: the designers' 256-bit block and key (the zero block
// under the zero key, then that result again), and the FIPS-197 examples of
// the 128-bit block, which exercise the other row shifts and the key
// schedules for Nk = 4 and 8.
TEST(Rijndael, KnownAnswersBothWays) {
  const std::string zeros(64, '0');
  const struct {
    int nb;
    std::string key, plain, cipher;
  } vectors[] = {
      {8, zeros, zeros, "C6227E7740B7E53B5CB77865278EAB0726F62366D9AABAD908936123A1FC8AF3"},
      {8, zeros, "C6227E7740B7E53B5CB77865278EAB0726F62366D9AABAD908936123A1FC8AF3",
       "9843E807319C32AD1EA3935EF56A2BA96E4BF19C30E47D88A2B97CBBF2E159E7"},
      {4, "000102030405060708090A0B0C0D0E0F", "00112233445566778899AABBCCDDEEFF",
       "69C4E0D86A7B0430D8CDB78070B4C55A"},
      {4, "000102030405060708090A0B0C0D0E0F101112131415161718191A1B1C1D1E1F",
       "00112233445566778899AABBCCDDEEFF", "8EA2B7CA516745BFEAFC49904B496089"},
  };
  for (const auto& v : vectors) {
    const Bytes key = FromHex(v.key);
    clsA cipher;
    cipher.gentables();
    ASSERT_TRUE(cipher.gkey(v.nb, static_cast<int>(key.size() / 4), key.data()));
    Bytes block = FromHex(v.plain);
    cipher.Encrypt(block.data());
    EXPECT_EQ(block, FromHex(v.cipher)) << v.plain;
    cipher.Decrypt(block.data());
    EXPECT_EQ(block, FromHex(v.plain)) << v.cipher;
  }
  clsA cipher;
  cipher.gentables();
  const Bytes key(40);
  EXPECT_FALSE(cipher.gkey(5, 8, key.data()) || cipher.gkey(8, 10, key.data()) ||
               cipher.gkey(0, 4, key.data()));
}

}  // namespace
}  // namespace vm
