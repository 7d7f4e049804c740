// SPDX-License-Identifier: GPL-3.0-or-later
// The golden transcripts pin whole texts of every option; these pin what they
// meet only by chance: the longest runs, whole tables, the cache's ring, and
// shares over many draws from a seeded source.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <map>

#include "generation/char_transforms.h"
#include "generation/phrase_transforms.h"
#include "generation/recent_cache.h"
#include "generation/separator.h"
#include "random/random_source.h"
#include "text/cp1251.h"

namespace vm {
namespace {

// Shares of the results of f over n draws from one seeded source.
template <typename F>
std::map<std::u16string, double> Shares(int n, F f) {
  RandomSource random(20240607);
  std::map<std::u16string, double> shares;
  for (int i = 0; i < n; ++i) shares[f(random)] += 1.0 / n;
  return shares;
}

// The goldens pin the kinds of separators; their longest runs are too rare there.
TEST(MakeSeparator, RunsInTheirLengths) {
  // Ellipses of 2 to 6 stops, up to 3 "?" or 5 "!", mixed runs of 1 to 3 of each.
  const auto runs = Shares(40000, [](RandomSource& r) { return MakeSeparator(r, true, true, 0); });
  for (const char16_t* s :
       {u"..", u"......", u"\?\?\?", u"!!!!!", u"\?\?\?!!!", u"!!!\?\?\?", u"?!", u"!?"})
    EXPECT_TRUE(runs.count(std::u16string(s) + u" ")) << ToUtf8(s);
  for (const char16_t* s : {u".......", u"\?\?\?\?", u"!!!!!!", u"\?\?\?\?!", u"!!!!?"})
    EXPECT_FALSE(runs.count(std::u16string(s) + u" ")) << ToUtf8(s);
}

TEST(MangleSpeech, EveryLetterOfTheTableInItsShares) {
  std::ifstream table(VM_TEST_DATA "/speech_defects.txt");
  int rows = 0;
  for (std::string cell; std::getline(table, cell);) {
    if (cell.empty() || cell[0] == '#') continue;
    const std::u16string entry = FromUtf8(cell);
    std::map<char16_t, double> expected{{entry[0], 1.0}};
    for (std::size_t at = 2; at < entry.size();) {
      const std::size_t next = entry.find_first_not_of(u".0123456789", at + 1);
      const double share = std::stod(ToUtf8(entry.substr(at + 1, next - at - 1)));
      expected[entry[at]] += share;
      expected[entry[0]] -= share;
      at = next;
    }
    RandomSource random(77);
    std::u16string text(20000, entry[0]);
    MangleSpeech(random, text);
    std::map<char16_t, double> seen;
    for (const char16_t c : text) seen[c] += 1.0 / 20000;
    for (const auto& [c, share] : seen)
      EXPECT_NEAR(share, expected[c], 0.02) << ToUtf8(std::u16string{entry[0], u'>', c});
    ++rows;
  }
  EXPECT_EQ(rows, 41);
}

TEST(LatinLookalikes, ReplacesExactlyTheTable) {
  const std::u16string table = u"ІАЕКНОРСТХіаеорсух";
  std::u16string text;
  for (char16_t c = 0x0400; c <= 0x04FF; ++c) text += c;
  std::u16string expected = text;
  for (std::size_t i = 0; i < table.size(); ++i)
    std::replace(expected.begin(), expected.end(), table[i], u"IAEKHOPCTXiaeopcyx"[i]);
  LatinLookalikes(text);
  EXPECT_EQ(text, expected);
}

TEST(RecentCache, SizeRingAndKeys) {
  for (const auto& [ubound, size] :
       {std::pair{-1, 1}, {0, 1}, {9, 2}, {999, 151}, {1799, 256}, {1'000'000, 256}}) {
    RecentCache cache;
    cache.Reset(ubound);
    EXPECT_EQ(cache.Size(), size) << ubound;
  }
  RecentCache cache;
  cache.Reset(19);  // four slots
  EXPECT_FALSE(cache.Admit(-1));
  for (const int line : {0, 42, 100'000'042, 7})
    EXPECT_EQ(cache.Admit(line), line != 100'000'042) << line;  // equal modulo 10^8
  EXPECT_FALSE(cache.Admit(0));
  EXPECT_TRUE(cache.Admit(8));  // the fourth slot
  EXPECT_TRUE(cache.Admit(9));  // overwrites 0, the oldest
  EXPECT_TRUE(cache.Admit(0));  // overwrites 42
  EXPECT_FALSE(cache.Admit(7));
  cache.Clear();
  EXPECT_TRUE(cache.Admit(7));
}

// A long text's budget of 255 quotes holds instead of wrapping round; the
// about box's quotes give one word in five guillemets.
TEST(PhraseTransforms, QuoteBudgetAndShares) {
  RandomSource random(1);
  std::u16string text;
  for (int i = 0; i < 2000; ++i) text += u"СЛОВО ";
  QuoteAndPunctuate(random, text, 1, 0);
  EXPECT_EQ(
      std::count(text.begin(), text.end(), u'"') + 2 * std::count(text.begin(), text.end(), u'«'),
      2 * 255);
  const auto quotes = Shares(5000, [](RandomSource& r) {
    std::u16string w = u"СЛОВО";
    QuoteWord(r, w);
    return w;
  });
  EXPECT_NEAR(quotes.at(u"«СЛОВО»"), 0.2, 0.02);
  EXPECT_NEAR(quotes.at(u"\"СЛОВО\""), 0.8, 0.02);
}

}  // namespace
}  // namespace vm
