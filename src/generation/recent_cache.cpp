// SPDX-License-Identifier: GPL-3.0-or-later
#include "generation/recent_cache.h"

#include <algorithm>
#include <cmath>

#include "text/strings.h"

namespace vm {
namespace {

constexpr std::int32_t kMaxSize = 256;
// Lines are remembered by their last 8 decimal digits, so numbers equal
// modulo 10^8 count as the same line.
constexpr std::int32_t kKeyModulus = 100'000'000;
constexpr std::int32_t kFree = -1;

}  // namespace

void RecentCache::Reset(std::int32_t ubound) {
  const auto wanted =
      static_cast<double>(RoundHalfEven(static_cast<double>(ubound) / 100.0 * 15.0 + 1.0));
  const auto size = static_cast<std::int32_t>(std::clamp(wanted, 1.0, double{kMaxSize}));
  slots_.assign(static_cast<std::size_t>(size), kFree);
  position_ = 0;
}

void RecentCache::Clear() {
  std::fill(slots_.begin(), slots_.end(), kFree);
}

bool RecentCache::Admit(std::int32_t line) {
  if (line < 0) return false;
  const std::int32_t key = line % kKeyModulus;
  if (std::find(slots_.begin(), slots_.end(), key) != slots_.end()) return false;
  ++position_;
  if (position_ > Size()) position_ = 1;
  slots_[static_cast<std::size_t>(position_ - 1)] = key;
  return true;
}

}  // namespace vm
