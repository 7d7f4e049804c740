// SPDX-License-Identifier: GPL-3.0-or-later
#include "random/random_source.h"

#include <chrono>

namespace vm {
namespace {
constexpr std::uint64_t kMultiplier = 6364136223846793005ULL;
constexpr std::uint64_t kIncrement = 1442695040888963407ULL;
}  // namespace

void RandomSource::Seed(std::uint32_t seed) {
  state_ = 0;
  NextBits();
  state_ += seed;
  NextBits();
}

void RandomSource::SeedFromClock() {
  const auto now = std::chrono::high_resolution_clock::now().time_since_epoch().count();
  const auto mixed = static_cast<std::uint64_t>(now);
  Seed(static_cast<std::uint32_t>(mixed ^ (mixed >> 32)));
}

std::uint32_t RandomSource::NextBits() {
  const std::uint64_t old = state_;
  state_ = old * kMultiplier + kIncrement;
  const auto xorshifted = static_cast<std::uint32_t>(((old >> 18U) ^ old) >> 27U);
  const auto rot = static_cast<std::uint32_t>(old >> 59U);
  return (xorshifted >> rot) | (xorshifted << ((32U - rot) & 31U));
}

float RandomSource::Next() {
  return static_cast<float>(NextBits() >> 8) * (1.0F / 16777216.0F);
}

std::int32_t RandomUpTo(RandomSource& random, std::int32_t n) {
  const double r = random.Next();
  const double span = n >= 0 ? static_cast<double>(n) + 1.0 : static_cast<double>(n) - 1.0;
  return static_cast<std::int32_t>(r * span);
}

}  // namespace vm
