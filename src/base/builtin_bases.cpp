// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/builtin_bases.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "base/rijndael.h"
#include "text/cp1251.h"

namespace vm {

// Defined in the sources that vm-basecipher generates at build time.
namespace generated {
std::span<const std::uint8_t> BuiltinBlob232();
std::span<const std::uint8_t> BuiltinBlob242();
}  // namespace generated

namespace {

constexpr std::size_t kBlockBytes = 32;
constexpr std::size_t kYieldBytes = 32768;

constexpr std::array<std::uint8_t, kBlockBytes> RestingKey() {
  std::array<std::uint8_t, kBlockBytes> key{};
  for (std::size_t i = 0; i < key.size(); ++i) key[i] = static_cast<std::uint8_t>(i);
  return key;
}

// The base key buffer. It holds the real key only while BuiltinBaseText
// deciphers; the rest of the time it holds 0, 1, ..., 31.
std::array<std::uint8_t, kBlockBytes> baseKey = RestingKey();

// Byte by byte through a volatile pointer, so the key never becomes one
// constant in the program file.
void FillBaseKey() {
  volatile std::uint8_t* k = baseKey.data();
  k[0] = 0x5F;
  k[1] = 0x1C;
  k[2] = 0x88;
  k[3] = 0x1E;
  k[4] = 0x92;
  k[5] = 0x86;
  k[6] = 0x10;
  k[7] = 0xFD;
  k[8] = 0xE8;
  k[9] = 0x88;
  k[10] = 0x65;
  k[11] = 0xA9;
  k[12] = 0xF9;
  k[13] = 0x14;
  k[14] = 0x3E;
  k[15] = 0xBD;
  k[16] = 0x35;
  k[17] = 0xFD;
  k[18] = 0xA2;
  k[19] = 0xE7;
  k[20] = 0x15;
  k[21] = 0x31;
  k[22] = 0x6E;
  k[23] = 0x49;
  k[24] = 0x03;
  k[25] = 0x65;
  k[26] = 0xB1;
  k[27] = 0x58;
  k[28] = 0x87;
  k[29] = 0xBB;
  k[30] = 0xC8;
  k[31] = 0x94;
}

void RestBaseKey() {
  volatile std::uint8_t* k = baseKey.data();
  for (std::size_t i = 0; i < kBlockBytes; ++i) k[i] = static_cast<std::uint8_t>(i);
}

}  // namespace

std::span<const std::uint8_t> BuiltinBlob(int resourceId) {
  switch (resourceId) {
    case kStandardBaseResource:
      return generated::BuiltinBlob242();
    case kTrashBaseResource:
      return generated::BuiltinBlob232();
    default:
      return {};
  }
}

bool DecipherBase(std::vector<std::uint8_t>& data, std::u16string& text,
                  const std::function<void()>& yield) {
  if (data.size() % kBlockBytes != 0) {
    data.clear();
    return false;
  }
  clsA cipher;
  cipher.gentables();
  cipher.gkey(8, 8, baseKey.data());
  for (std::size_t offset = 0; offset < data.size(); offset += kBlockBytes) {
    cipher.Decrypt(data.data() + offset);
    if (offset != 0 && offset % kYieldBytes == 0 && yield) yield();
  }
  const auto end = std::find_if(data.rbegin(), data.rend(), [](std::uint8_t b) { return b != 0; });
  data.erase(end.base(), data.end());
  text = DecodeCp1251(std::string_view(reinterpret_cast<const char*>(data.data()), data.size()));
  return true;
}

std::u16string BuiltinBaseText(BaseSource kind, const std::function<void()>& yield) {
  const int id = kind == BaseSource::kStandard ? kStandardBaseResource
                 : kind == BaseSource::kTrash  ? kTrashBaseResource
                                               : 0;
  if (id == 0) return {};
  const std::span<const std::uint8_t> blob = BuiltinBlob(id);
  if (blob.empty()) return {};

  std::vector<std::uint8_t> data(blob.begin(), blob.end());
  std::u16string text;
  struct KeyGuard {
    KeyGuard() { FillBaseKey(); }
    ~KeyGuard() { RestBaseKey(); }
    KeyGuard(const KeyGuard&) = delete;
    KeyGuard& operator=(const KeyGuard&) = delete;
  };
  {
    const KeyGuard key;
    DecipherBase(data, text, yield);
    std::fill(data.begin(), data.end(), std::uint8_t{0});
    data.clear();
  }
  return text;
}

}  // namespace vm
