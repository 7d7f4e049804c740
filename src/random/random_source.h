// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The process's one random source: single-precision draws in [0, 1),
// reseedable from a 32-bit seed (the sequence then depends on the seed alone)
// or from the clock. PCG32 underneath: small, fast and identical everywhere.
#include <cstdint>

namespace vm {

class RandomSource {
 public:
  explicit RandomSource(std::uint32_t seed = 0) { Seed(seed); }

  void Seed(std::uint32_t seed);
  void SeedFromClock();
  // One draw r, 0 <= r < 1, with 24 significant bits.
  float Next();

 private:
  std::uint32_t NextBits();
  std::uint64_t state_ = 0;
};

// Uniform integer 0..n for n >= 0, n..0 for n < 0 (truncation toward zero).
std::int32_t RandomUpTo(RandomSource& random, std::int32_t n);
// One draw; true when it is <= p (p as a single-precision value).
inline bool Chance(RandomSource& random, float p) {
  return random.Next() <= p;
}

}  // namespace vm
