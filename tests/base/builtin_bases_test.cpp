// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/builtin_bases.h"

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "base/rijndael.h"
#include "text/cp1251.h"

namespace vm {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

// DecipherBase on its own uses the resting key buffer: 0, 1, ..., 31.
constexpr const char* kRestingKeyHex =
    "000102030405060708090A0B0C0D0E0F101112131415161718191A1B1C1D1E1F";

Bytes RestingKey() {
  Bytes key(32);
  for (std::size_t i = 0; i < key.size(); ++i) key[i] = static_cast<std::uint8_t>(i);
  return key;
}

// Pads with zeros to whole blocks and enciphers under the resting key.
Bytes Encipher(Bytes data) {
  data.resize((data.size() + 31) / 32 * 32, 0);
  clsA cipher;
  cipher.gentables();
  cipher.gkey(8, 8, RestingKey().data());
  for (std::size_t offset = 0; offset < data.size(); offset += 32)
    cipher.Encrypt(data.data() + offset);
  return data;
}

Bytes BytesOf(std::string_view text) {
  return Bytes(text.begin(), text.end());
}

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

int RunTool(const std::string& arguments) {
  const int status = std::system((std::string("'") + VM_BASECIPHER + "' " + arguments).c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(DecipherBase, ReadsWhatTheToolEnciphered) {
  const fs::path dir = fs::path(::testing::TempDir()) / "vm_decipher_base_roundtrip";
  fs::create_directories(dir);
  const std::u16string expected = u"ПЕРВАЯ СТРОКА\r\nВТОРАЯ СТРОКА БАЗЫ\r\n";
  const std::string plain = EncodeCp1251(expected);
  std::ofstream(dir / "in.txt", std::ios::binary) << plain;
  ASSERT_EQ(RunTool(std::string("encrypt --key-hex ") + kRestingKeyHex + " '" +
                    (dir / "in.txt").string() + "' '" + (dir / "out.bin").string() + "'"),
            0);

  Bytes data = BytesOf(ReadFile(dir / "out.bin"));
  ASSERT_EQ(data.size(), 64U);
  std::u16string text;
  ASSERT_TRUE(DecipherBase(data, text, {}));
  EXPECT_EQ(text, expected);
  EXPECT_EQ(data, BytesOf(plain));
  fs::remove_all(dir);
}

TEST(DecipherBase, WholeBlocksWithoutFinalZeroAreKeptWhole) {
  std::string plain(64, 'x');
  plain.back() = '\xFF';
  Bytes data = Encipher(BytesOf(plain));
  ASSERT_EQ(data.size(), 64U);
  std::u16string text;
  ASSERT_TRUE(DecipherBase(data, text, {}));
  EXPECT_EQ(text, std::u16string(63, u'x') + u"я");
}

TEST(DecipherBase, ZerosBeforeThePaddingGoToo) {
  Bytes data = Encipher(BytesOf(std::string_view("AB\0C\0\0", 6)));
  std::u16string text;
  ASSERT_TRUE(DecipherBase(data, text, {}));
  EXPECT_EQ(text, std::u16string(u"AB\0C", 4));
}

TEST(DecipherBase, AllZeroPlaintextGivesEmptyText) {
  Bytes data = Encipher(Bytes(96, 0));
  std::u16string text = u"old";
  ASSERT_TRUE(DecipherBase(data, text, {}));
  EXPECT_TRUE(text.empty());
  EXPECT_TRUE(data.empty());
}

TEST(DecipherBase, LengthNotAMultipleOf32IsAnError) {
  for (const std::size_t size : {1U, 31U, 33U, 100U}) {
    Bytes data(size, 0x41);
    std::u16string text = u"untouched";
    EXPECT_FALSE(DecipherBase(data, text, {})) << size;
    EXPECT_TRUE(data.empty()) << size;
    EXPECT_EQ(text, u"untouched") << size;
  }
}

TEST(DecipherBase, YieldsAfterEveryBlockAtAMultipleOf32768) {
  const struct {
    std::size_t size;
    int yields;
  } cases[] = {{100000, 3}, {32768, 0}, {32800, 1}, {32, 0}};
  for (const auto& c : cases) {
    Bytes data = Encipher(Bytes(c.size, 0x20));
    int yields = 0;
    std::u16string text;
    ASSERT_TRUE(DecipherBase(data, text, [&] { ++yields; }));
    EXPECT_EQ(yields, c.yields) << c.size;
    EXPECT_EQ(text.size(), c.size);
  }
}

std::u16string SourceText(const char* path) {
  const std::string bytes = ReadFile(path);
  EXPECT_FALSE(bytes.empty()) << path;
  return DecodeCp1251(bytes.substr(0, bytes.find_last_not_of('\0') + 1));
}

TEST(BuiltinBaseText, TrashIsTheSourceText) {
  EXPECT_EQ(BuiltinBaseText(BaseSource::kTrash, {}), SourceText(VM_TRASH_TEXT));
}

TEST(BuiltinBaseText, StandardIsTheSourceText) {
  EXPECT_EQ(BuiltinBaseText(BaseSource::kStandard, {}), SourceText(VM_STANDARD_TEXT));
}

TEST(BuiltinBaseText, ABaseFileHasNoBuiltinText) {
  EXPECT_TRUE(BuiltinBaseText(BaseSource::kFile, {}).empty());
}

TEST(BuiltinBaseText, LeavesTheKeyBufferAtRest) {
  ASSERT_FALSE(BuiltinBaseText(BaseSource::kTrash, {}).empty());
  Bytes data = Encipher(BytesOf("REST"));
  std::u16string text;
  ASSERT_TRUE(DecipherBase(data, text, {}));
  EXPECT_EQ(text, u"REST");
}

}  // namespace
}  // namespace vm
