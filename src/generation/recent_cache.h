// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The recent-phrase cache: a ring of the last S admitted base line numbers.
#include <cstdint>
#include <vector>

namespace vm {

class RecentCache {
 public:
  RecentCache() { Reset(-1); }

  // Size S = round-half-even(ubound / 100 * 15 + 1), at most 256; all free.
  void Reset(std::int32_t ubound);
  // Frees every slot; the write position stays.
  void Clear();
  // True (and recorded, overwriting the oldest slot) when line may be used
  // now; false when it is negative or among the remembered lines.
  bool Admit(std::int32_t line);

  std::int32_t Size() const { return static_cast<std::int32_t>(slots_.size()); }

 private:
  std::vector<std::int32_t> slots_;
  std::int32_t position_ = 0;
};

}  // namespace vm
