#include "generation/lyrics.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "text/cp1251.h"
#include "text/strings.h"

namespace vm {
namespace {

using Lines = std::vector<std::u16string>;

PhraseBase MakeBase(const Lines& lines) {
  IndexTimings timings;
  return IndexBaseText(
      Join(lines, kCrLf), [] { return std::int64_t{0}; }, timings);
}

// КОТ rhymes with lines 0 and 1, ЛЕС with 2 and 3; nothing with ДЕНЬ or ПЕНЬ.
const PhraseBase kBase =
    MakeBase({u"ВОТ И ВОТ", u"  старый год", u"ТЯЖЁЛЫЙ ВЕС", u"ПОД НАВЕС", u"ЖИЛ КОТ"});
const std::u16string kCat = u"ЖИЛ КОТ", kForest = u"БЫЛ ЛЕС";
const std::set<std::u16string> kCatRhymes = {u"ВОТ И ВОТ", u"СТАРЫЙ ГОД"};
const std::set<std::u16string> kForestRhymes = {u"ТЯЖЁЛЫЙ ВЕС", u"ПОД НАВЕС"};

Lines Pair(std::uint32_t seed, Lines phrases, const GenerationFlags& flags = {}) {
  RandomSource random(seed);
  RecentCache cache;
  PairRhymes(random, kBase, flags, cache, phrases);
  return phrases;
}

bool IsAabb(const Lines& out) {
  return out.size() == 4 && out[0] == kCat && kCatRhymes.count(out[1]) && out[2] == kForest &&
         kForestRhymes.count(out[3]);
}

bool IsAbab(const Lines& out) {
  return out.size() == 4 && out[0] == kCat && out[1] == kForest && kCatRhymes.count(out[2]) &&
         kForestRhymes.count(out[3]);
}

TEST(PairRhymes, CoupletsCrossRhymeAndDroppedPhrases) {
  int crossed = 0;
  for (std::uint32_t seed = 1; seed <= 500; ++seed) {
    const Lines out = Pair(seed, {kCat, u"X", kForest, u"Y"});
    EXPECT_TRUE(IsAabb(out) || IsAbab(out)) << seed;
    crossed += IsAbab(out);
    // An odd last phrase and a couplet without a partner are left out.
    const Lines gap = Pair(seed, {kCat, u"X", u"ДЕНЬ", u"W", kForest, u"Y", u"Z"});
    EXPECT_TRUE(IsAabb(gap) || IsAbab(gap)) << seed;
  }
  EXPECT_NEAR(crossed, 100, 40);  // one time in five
}

TEST(PairRhymes, NoCoupletAtAllLeavesThePhrases) {
  std::set<Lines> outcomes;
  for (std::uint32_t seed = 1; seed <= 100; ++seed) {
    outcomes.insert(Pair(seed, {u"ДЕНЬ", u"A", u"ПЕНЬ", u"B", u"C"}));
    EXPECT_EQ(Pair(seed, {kCat}), Lines{kCat});
  }
  // The cross rhyme still swaps the middle of the quatrain at times.
  EXPECT_EQ(outcomes,
            (std::set<Lines>{{u"ДЕНЬ", u"A", u"ПЕНЬ", u"B"}, {u"ДЕНЬ", u"ПЕНЬ", u"A", u"B"}}));
}

TEST(PairRhymes, CacheRefusesRecentPartners) {
  GenerationFlags flags;
  flags.UseCache = true;
  RandomSource random(5);
  RecentCache cache;
  cache.Reset(1000);
  ASSERT_TRUE(cache.Admit(0));
  for (int run = 0; run < 20; ++run) {
    Lines phrases{kCat, u"X"};
    PairRhymes(random, kBase, flags, cache, phrases);
    // Line 1 is the one partner left, and then it is recent too.
    EXPECT_EQ(phrases, (Lines{kCat, run == 0 ? u"СТАРЫЙ ГОД" : u"X"}));
  }
}

TEST(PairRhymes, OmskShufflesThePartnerButKeepsItsLastWord) {
  const PhraseBase base = MakeBase({u"РАЗ ДВА ТРИ ПЯТЬ ВОТ"});
  GenerationFlags flags;
  flags.Omsk = true;
  std::set<std::u16string> partners;
  for (std::uint32_t seed = 1; seed <= 100; ++seed) {
    RandomSource random(seed);
    RecentCache cache;
    Lines phrases{kCat, u"X"};
    PairRhymes(random, base, flags, cache, phrases);
    ASSERT_EQ(phrases.size(), 2u);
    partners.insert(phrases[1]);
    EXPECT_TRUE(EndsWith(phrases[1], u" ВОТ")) << ToUtf8(phrases[1]);
    ReplaceAll(phrases[1], u"-", u"");
    Lines words = SplitWords(phrases[1]);
    std::sort(words.begin(), words.end());
    EXPECT_EQ(words, (Lines{u"ВОТ", u"ДВА", u"ПЯТЬ", u"РАЗ", u"ТРИ"}));
  }
  EXPECT_GT(partners.size(), 5u);
}

}  // namespace
}  // namespace vm
