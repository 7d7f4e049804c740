// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The standard CRC-32 (reflected, polynomial 0xEDB88320, as in zlib and ZIP).
#include <array>
#include <cstdint>
#include <string_view>

namespace vm {

// CRC-32 of a text's Windows-1251 bytes; a character without a code counts as
// '?'. The table is built on the first call and kept for the object's life.
class clsC {
 public:
  std::int32_t CRC32(std::u16string_view incMsg1);

 private:
  std::array<std::uint32_t, 256> table_{};
  bool tableBuilt_ = false;
};

}  // namespace vm
