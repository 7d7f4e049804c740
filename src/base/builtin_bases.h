// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The built-in bases: Windows-1251 texts padded with zero bytes to a multiple
// of 32 and enciphered block by block (ECB) with Rijndael, Nb = Nk = 8. The
// blobs are produced at build time by vm-basecipher and linked in.
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

namespace vm {

// Where the current base comes from.
enum class BaseSource : int { kFile = 0, kStandard = 1, kTrash = 2 };

inline constexpr int kStandardBaseResource = 242;
inline constexpr int kTrashBaseResource = 232;

// The enciphered blob with the given identifier; empty when there is none.
std::span<const std::uint8_t> BuiltinBlob(int resourceId);

// Text of the standard or the trash base; empty for a base file, a missing
// blob or a decipherment error. yield runs every 32,768 bytes.
std::u16string BuiltinBaseText(BaseSource kind, const std::function<void()>& yield);

// Deciphers data in place with the key in the shared key buffer, strips the
// trailing zero bytes and decodes the rest as Windows-1251 into text. Outside
// BuiltinBaseText that buffer holds the bytes 0, 1, ..., 31. yield runs after
// every block whose offset is a positive multiple of 32,768. A length that is
// not a multiple of 32 is an error: data is erased, text untouched, false.
bool DecipherBase(std::vector<std::uint8_t>& data, std::u16string& text,
                  const std::function<void()>& yield);

}  // namespace vm
