// SPDX-License-Identifier: GPL-3.0-or-later
// The two bases the program ships with: big enough, clean, and rhyme-friendly.
#include <gtest/gtest.h>

#include <set>

#include "base/builtin_bases.h"
#include "base/phrase_base.h"
#include "base/rhyme_search.h"
#include "generation/lyrics.h"
#include "tools/fix_symbols.h"

namespace vm {
namespace {

PhraseBase Builtin(int kind) {
  const auto source = static_cast<BaseSource>(kind);
  IndexTimings timings;
  return IndexBaseText(
      BuiltinBaseText(source, [] {}), [] { return std::int64_t{0}; }, timings);
}

class BuiltinContent : public ::testing::TestWithParam<int> {};

TEST_P(BuiltinContent, IsLargeDistinctAndUntouchedByTheFormatter) {
  const PhraseBase base = Builtin(GetParam());
  EXPECT_GE(base.UBound() + 1, 2500);
  std::set<std::u16string_view> distinct(base.lines.begin(), base.lines.end());
  EXPECT_EQ(distinct.size(), base.lines.size());
  // The formatter sees the lines joined with LF.
  std::u16string joined;
  for (const auto line : base.lines) (joined += line) += u'\n';
  joined.pop_back();
  EXPECT_EQ(FixSymbols(joined, {}), 0);
  for (const auto line : base.lines) {
    EXPECT_GE(line.size(), GetParam() == 2 ? 20U : 15U);
    EXPECT_LE(line.size(), GetParam() == 2 ? 40U : 45U);
  }
}

// The lyrics option finds a partner for most lines it picks.
TEST_P(BuiltinContent, LyricsFindPartnersForMostLines) {
  const PhraseBase base = Builtin(GetParam());
  RandomSource random(2024);
  std::vector<std::int32_t> numbers;
  int found = 0;
  constexpr int kSamples = 400;
  for (int i = 0; i < kSamples; ++i) {
    const auto line = base.lines[static_cast<std::size_t>(RandomUpTo(random, base.UBound()))];
    if (FindRhymeLines(random, base, line, 3, numbers, 31) >= 0 ||
        FindRhymeLines(random, base, line, 2, numbers, 31) >= 0)
      ++found;
  }
  EXPECT_GE(found, kSamples * 8 / 10);
}

INSTANTIATE_TEST_SUITE_P(StandardAndTrash, BuiltinContent, ::testing::Values(1, 2));

}  // namespace
}  // namespace vm
