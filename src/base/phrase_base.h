// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The phrase base in memory: upper-case lines and their rhyme keys, as views
// into two shared buffers (one allocation each, however many lines).
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace vm {

struct PhraseBase {
  std::vector<std::u16string_view> lines;  // upper case, without line breaks
  std::vector<std::u16string_view> keys;   // FoldRhymeLetters of each line, same lengths
  std::int32_t UBound() const { return static_cast<std::int32_t>(lines.size()) - 1; }

  // Owns what the views point into; copies of a base share it.
  std::shared_ptr<const std::u16string> text;
  std::shared_ptr<const std::u16string> folded;
};

// Elapsed milliseconds of the three indexing passes, for the load report.
struct IndexTimings {
  std::int64_t I1 = 0;  // LF CR repair and upper-casing
  std::int64_t I2 = 0;  // splitting into lines
  std::int64_t I3 = 0;  // folding and splitting into keys
};

// Builds the base from a whole text: LF CR becomes CR LF, the text is
// upper-cased and split at CR LF (an empty text gives no lines), and the keys
// are the folded text split the same way. tick is a millisecond clock.
PhraseBase IndexBaseText(std::u16string text, const std::function<std::int64_t()>& tick,
                         IndexTimings& timings);

}  // namespace vm
