// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The standard CRC-32 (reflected, polynomial 0xEDB88320, as in zlib and ZIP).
#include <cstdint>
#include <string_view>

namespace vm {

// CRC-32 of a text's Windows-1251 bytes; a character without a code counts as
// '?'. The tables are built on the first call.
class clsC {
 public:
  std::int32_t CRC32(std::u16string_view incMsg1);
  // The same over bytes that are Windows-1251 codes already.
  std::int32_t CRC32(std::string_view codes);
};

}  // namespace vm
