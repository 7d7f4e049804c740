// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/builtin_bases.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "base/rijndael.h"
#include "text/cp1251.h"

namespace vm {
namespace {

using Bytes = std::vector<std::uint8_t>;

// Pads with zeros to whole blocks and enciphers under the resting key 0, 1, ..., 31,
// which DecipherBase uses on its own.
Bytes Encipher(std::string_view text) {
  Bytes data(text.begin(), text.end());
  data.resize((data.size() + 31) / 32 * 32, 0);
  std::uint8_t key[32];
  for (std::uint8_t i = 0; i < 32; ++i) key[i] = i;
  clsA cipher;
  cipher.gentables();
  cipher.gkey(8, 8, key);
  for (std::size_t offset = 0; offset < data.size(); offset += 32) cipher.Encrypt(&data[offset]);
  return data;
}

// DecipherBase's rules on its own run on the fuzz inputs (tests/fuzz/decipher).
TEST(BuiltinBaseText, IsTheSourceTextAndLeavesTheKeyAtRest) {
  for (const auto& [kind, path] :
       {std::pair{BaseSource::kTrash, VM_TRASH_TEXT}, {BaseSource::kStandard, VM_STANDARD_TEXT}}) {
    std::ifstream in(path, std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    ASSERT_FALSE(bytes.empty()) << path;
    EXPECT_EQ(BuiltinBaseText(kind, {}), DecodeCp1251(bytes));
  }
  EXPECT_TRUE(BuiltinBaseText(BaseSource::kFile, {}).empty());
  Bytes data = Encipher("REST");
  std::u16string text;
  ASSERT_TRUE(DecipherBase(data, text, {}));
  EXPECT_EQ(text, u"REST");
}

}  // namespace
}  // namespace vm
