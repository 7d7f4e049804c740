// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Rijndael block cipher with selectable block and key lengths (4, 6 or 8
// words of 32 bits each), as its authors published it. Bytes are packed into
// words little-endian: byte 4j of a block is the lowest byte of column j.
// The built-in bases use Nb = Nk = 8 (256-bit block and key, 14 rounds).
#include <array>
#include <cstdint>

namespace vm {

class clsA {
 public:
  // Builds the log/antilog tables, the S-boxes, the round tables and the
  // round constants.
  void gentables();
  // Expands key (4 * nk bytes) into the encipherment and decipherment key
  // schedules for blocks of nb words. False when nb or nk is not 4, 6 or 8.
  bool gkey(int nb, int nk, const std::uint8_t* key);
  // One block of 4 * nb bytes, in place; untouched before a successful gkey.
  void Encrypt(std::uint8_t* block) const;
  void Decrypt(std::uint8_t* block) const;

 private:
  static constexpr int kMaxNb = 8;
  static constexpr int kMaxRounds = 14;
  static constexpr int kScheduleWords = kMaxNb * (kMaxRounds + 1);

  std::uint8_t Multiply(std::uint8_t a, std::uint8_t b) const;
  std::uint32_t SubWord(std::uint32_t w) const;
  std::uint32_t InvMixCol(std::uint32_t w) const;

  bool tables_ = false;
  std::array<std::uint8_t, 256> ltab_{};  // logarithm to base 3
  std::array<std::uint8_t, 256> ptab_{};  // powers of 3
  std::array<std::uint8_t, 256> fbsub_{};
  std::array<std::uint8_t, 256> rbsub_{};
  std::array<std::uint32_t, 256> ftable_{};  // SubBytes and MixColumns of one byte
  std::array<std::uint32_t, 256> rtable_{};  // InvSubBytes and InvMixColumns of one byte
  std::array<std::uint8_t, 30> rco_{};

  int nb_ = 0;
  int rounds_ = 0;
  std::array<std::uint32_t, kScheduleWords> fkey_{};
  std::array<std::uint32_t, kScheduleWords> rkey_{};
};

}  // namespace vm
