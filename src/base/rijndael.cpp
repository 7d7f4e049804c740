// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/rijndael.h"

#include <algorithm>
#include <bit>

namespace vm {
namespace {

// Inverse MixColumns coefficients of one column, row 0 of the matrix.
constexpr std::array<std::uint8_t, 4> kInvMixCoefficients = {0x0E, 0x0B, 0x0D, 0x09};

std::uint8_t XTime(std::uint8_t a) {
  return static_cast<std::uint8_t>((a << 1) ^ ((a & 0x80) != 0 ? 0x1B : 0x00));
}

std::uint32_t Pack(const std::uint8_t* b) {
  return static_cast<std::uint32_t>(b[0]) | static_cast<std::uint32_t>(b[1]) << 8 |
         static_cast<std::uint32_t>(b[2]) << 16 | static_cast<std::uint32_t>(b[3]) << 24;
}

void Unpack(std::uint32_t w, std::uint8_t* b) {
  b[0] = static_cast<std::uint8_t>(w);
  b[1] = static_cast<std::uint8_t>(w >> 8);
  b[2] = static_cast<std::uint8_t>(w >> 16);
  b[3] = static_cast<std::uint8_t>(w >> 24);
}

std::uint8_t Byte(std::uint32_t w, int n) {
  return static_cast<std::uint8_t>(w >> (8 * n));
}

bool ValidWords(int n) {
  return n == 4 || n == 6 || n == 8;
}

// Column that row `row` of column j takes its byte from after the row shift
// (offsets 1, 2, 3, or 1, 3, 4 for eight columns); leftwards when enciphering.
template <int Nb, bool Inverse>
constexpr std::size_t Source(int row, int j) {
  constexpr std::array<int, 4> shift = {0, 1, Nb == 8 ? 3 : 2, Nb == 8 ? 4 : 3};
  const int c = shift[static_cast<std::size_t>(row)];
  return static_cast<std::size_t>((Inverse ? j + Nb - c : j + c) % Nb);
}

// One block through the whole cipher or its equivalent inverse: the rounds
// take one table lookup and rotation per state byte, the last one the S-box.
template <int Nb, bool Inverse>
void Transform(std::uint8_t* block, const std::uint32_t* k, int rounds,
               const std::array<std::uint32_t, 256>& table,
               const std::array<std::uint8_t, 256>& sbox) {
  constexpr auto nb = static_cast<std::size_t>(Nb);
  std::array<std::uint32_t, nb> a;
  std::array<std::uint32_t, nb> b;
  for (std::size_t j = 0; j < nb; ++j) a[j] = Pack(block + 4 * j) ^ k[j];
  k += nb;
  for (int round = 1; round < rounds; ++round, k += nb) {
    for (int j = 0; j < Nb; ++j) {
      const auto uj = static_cast<std::size_t>(j);
      b[uj] = k[uj] ^ table[Byte(a[uj], 0)] ^
              std::rotl(table[Byte(a[Source<Nb, Inverse>(1, j)], 1)], 8) ^
              std::rotl(table[Byte(a[Source<Nb, Inverse>(2, j)], 2)], 16) ^
              std::rotl(table[Byte(a[Source<Nb, Inverse>(3, j)], 3)], 24);
    }
    a = b;
  }
  for (int j = 0; j < Nb; ++j) {
    const auto uj = static_cast<std::size_t>(j);
    const std::uint32_t w =
        static_cast<std::uint32_t>(sbox[Byte(a[uj], 0)]) |
        static_cast<std::uint32_t>(sbox[Byte(a[Source<Nb, Inverse>(1, j)], 1)]) << 8 |
        static_cast<std::uint32_t>(sbox[Byte(a[Source<Nb, Inverse>(2, j)], 2)]) << 16 |
        static_cast<std::uint32_t>(sbox[Byte(a[Source<Nb, Inverse>(3, j)], 3)]) << 24;
    Unpack(w ^ k[uj], block + 4 * uj);
  }
}

}  // namespace

std::uint8_t clsA::Multiply(std::uint8_t a, std::uint8_t b) const {
  if (a == 0 || b == 0) return 0;
  return ptab_[(ltab_[a] + ltab_[b]) % 255];
}

std::uint32_t clsA::SubWord(std::uint32_t w) const {
  return static_cast<std::uint32_t>(fbsub_[Byte(w, 0)]) |
         static_cast<std::uint32_t>(fbsub_[Byte(w, 1)]) << 8 |
         static_cast<std::uint32_t>(fbsub_[Byte(w, 2)]) << 16 |
         static_cast<std::uint32_t>(fbsub_[Byte(w, 3)]) << 24;
}

std::uint32_t clsA::InvMixCol(std::uint32_t w) const {
  std::uint32_t out = 0;
  for (int row = 0; row < 4; ++row) {
    std::uint8_t v = 0;
    for (int k = 0; k < 4; ++k)
      v ^= Multiply(kInvMixCoefficients[static_cast<std::size_t>(k)], Byte(w, (row + k) % 4));
    out |= static_cast<std::uint32_t>(v) << (8 * row);
  }
  return out;
}

void clsA::gentables() {
  // 3 generates the multiplicative group of GF(2^8); ptab_[255] wraps to 1.
  ptab_[0] = 1;
  for (std::size_t i = 1; i < 256; ++i)
    ptab_[i] = static_cast<std::uint8_t>(ptab_[i - 1] ^ XTime(ptab_[i - 1]));
  ltab_[0] = 0;
  for (std::size_t i = 0; i < 255; ++i) ltab_[ptab_[i]] = static_cast<std::uint8_t>(i);

  fbsub_[0] = 0x63;
  rbsub_[0x63] = 0;
  for (std::size_t i = 1; i < 256; ++i) {
    const std::uint8_t inverse = ptab_[255 - ltab_[i]];
    const auto s =
        static_cast<std::uint8_t>(inverse ^ std::rotl(inverse, 1) ^ std::rotl(inverse, 2) ^
                                  std::rotl(inverse, 3) ^ std::rotl(inverse, 4) ^ 0x63);
    fbsub_[i] = s;
    rbsub_[s] = static_cast<std::uint8_t>(i);
  }

  for (std::size_t i = 0; i < 256; ++i) {
    const std::uint8_t s = fbsub_[i];
    const std::uint8_t s2 = XTime(s);
    ftable_[i] = static_cast<std::uint32_t>(s2) | static_cast<std::uint32_t>(s) << 8 |
                 static_cast<std::uint32_t>(s) << 16 | static_cast<std::uint32_t>(s2 ^ s) << 24;
    const std::uint8_t r = rbsub_[i];
    rtable_[i] = static_cast<std::uint32_t>(Multiply(0x0E, r)) |
                 static_cast<std::uint32_t>(Multiply(0x09, r)) << 8 |
                 static_cast<std::uint32_t>(Multiply(0x0D, r)) << 16 |
                 static_cast<std::uint32_t>(Multiply(0x0B, r)) << 24;
  }

  rco_[0] = 1;
  for (std::size_t i = 1; i < rco_.size(); ++i) rco_[i] = XTime(rco_[i - 1]);
  tables_ = true;
}

bool clsA::gkey(int nb, int nk, const std::uint8_t* key) {
  if (!ValidWords(nb) || !ValidWords(nk)) return false;
  if (!tables_) gentables();
  nb_ = nb;
  rounds_ = std::max(nb, nk) + 6;

  const auto words = static_cast<std::size_t>(nb * (rounds_ + 1));
  const auto unk = static_cast<std::size_t>(nk);
  for (std::size_t i = 0; i < unk; ++i) fkey_[i] = Pack(key + 4 * i);
  for (std::size_t i = unk; i < words; ++i) {
    std::uint32_t t = fkey_[i - 1];
    if (i % unk == 0)
      t = SubWord(std::rotr(t, 8)) ^ rco_[i / unk - 1];
    else if (nk > 6 && i % unk == 4)
      t = SubWord(t);
    fkey_[i] = fkey_[i - unk] ^ t;
  }

  // Equivalent inverse cipher: round keys in reverse order, the inner ones
  // passed through InvMixColumns.
  const auto unb = static_cast<std::size_t>(nb);
  const auto last = static_cast<std::size_t>(rounds_);
  for (std::size_t r = 0; r <= last; ++r) {
    for (std::size_t j = 0; j < unb; ++j) {
      const std::uint32_t w = fkey_[(last - r) * unb + j];
      rkey_[r * unb + j] = (r == 0 || r == last) ? w : InvMixCol(w);
    }
  }
  return true;
}

void clsA::Encrypt(std::uint8_t* block) const {
  switch (nb_) {
    case 4:
      return Transform<4, false>(block, fkey_.data(), rounds_, ftable_, fbsub_);
    case 6:
      return Transform<6, false>(block, fkey_.data(), rounds_, ftable_, fbsub_);
    case 8:
      return Transform<8, false>(block, fkey_.data(), rounds_, ftable_, fbsub_);
    default:
      return;
  }
}

void clsA::Decrypt(std::uint8_t* block) const {
  switch (nb_) {
    case 4:
      return Transform<4, true>(block, rkey_.data(), rounds_, rtable_, rbsub_);
    case 6:
      return Transform<6, true>(block, rkey_.data(), rounds_, rtable_, rbsub_);
    case 8:
      return Transform<8, true>(block, rkey_.data(), rounds_, rtable_, rbsub_);
    default:
      return;
  }
}

}  // namespace vm
