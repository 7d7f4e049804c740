#include "generation/separator.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

#include "text/cp1251.h"
#include "text/strings.h"

namespace vm {
namespace {

bool IsSentenceEnd(const std::u16string& s) {
  return EndsWith(s, u". ") || EndsWith(s, u"? ") || EndsWith(s, u"! ");
}

enum class Kind { kComma, kDash, kBlank, kFullStop, kEllipsis, kPlainRun, kMixedRun, kOther };

Kind Classify(const std::u16string& s) {
  if (s == u", ") return Kind::kComma;
  if (s == u" \u2014 ") return Kind::kDash;
  if (s == u" ") return Kind::kBlank;
  if (s == u". ") return Kind::kFullStop;
  if (s.size() < 2 || s.back() != u' ') return Kind::kOther;
  const std::u16string body = s.substr(0, s.size() - 1);
  if (body.find_first_not_of(u'.') == std::u16string::npos)
    return body.size() >= 2 && body.size() <= 6 ? Kind::kEllipsis : Kind::kOther;
  if (body.find_first_not_of(u'?') == std::u16string::npos)
    return body.size() <= 3 ? Kind::kPlainRun : Kind::kOther;
  if (body.find_first_not_of(u'!') == std::u16string::npos)
    return body.size() <= 5 ? Kind::kPlainRun : Kind::kOther;
  // Mixed: 1..3 of one mark, then 1..3 of the other.
  const char16_t first = body[0];
  const char16_t second = first == u'?' ? u'!' : u'?';
  if (first != u'?' && first != u'!') return Kind::kOther;
  const std::size_t split = body.find_first_not_of(first);
  const std::size_t rest = body.size() - split;
  if (split > 3 || rest < 1 || rest > 3) return Kind::kOther;
  if (body.find_first_not_of(second, split) != std::u16string::npos) return Kind::kOther;
  return Kind::kMixedRun;
}

std::map<Kind, int> Tally(bool allowEnd, bool forceEnd, std::uint8_t range, int draws) {
  RandomSource random(20240607);
  std::map<Kind, int> counts;
  for (int i = 0; i < draws; ++i)
    ++counts[Classify(MakeSeparator(random, allowEnd, forceEnd, range))];
  return counts;
}

TEST(MakeSeparator, InnerCallSplitsBetweenPunctuationEndsAndBlanks) {
  const int n = 65000;
  auto c = Tally(true, false, 64, n);
  EXPECT_EQ(c[Kind::kOther], 0);
  const int commaOrDash = c[Kind::kComma] + c[Kind::kDash];
  const int ends =
      c[Kind::kFullStop] + c[Kind::kEllipsis] + c[Kind::kPlainRun] + c[Kind::kMixedRun];
  EXPECT_NEAR(commaOrDash, 24000, 1200);
  EXPECT_NEAR(ends, 21000, 1200);
  EXPECT_NEAR(c[Kind::kBlank], 20000, 1200);
  EXPECT_NEAR(static_cast<double>(c[Kind::kComma]) / commaOrDash, 0.86, 0.02);
}

TEST(MakeSeparator, ForcedEndIsAlwaysASentenceEndWithTheDesignedMix) {
  for (std::uint8_t range : {0, 100, 255}) {
    RandomSource random(range);
    for (int i = 0; i < 2000; ++i) {
      const std::u16string s = MakeSeparator(random, true, true, range);
      ASSERT_TRUE(IsSentenceEnd(s)) << ToUtf8(s);
    }
  }
  const int n = 50000;
  auto c = Tally(true, true, 100, n);
  EXPECT_EQ(c[Kind::kOther] + c[Kind::kComma] + c[Kind::kDash] + c[Kind::kBlank], 0);
  EXPECT_NEAR(c[Kind::kFullStop], 0.6 * n, 0.02 * n);
  EXPECT_NEAR(c[Kind::kEllipsis], 0.3 * n, 0.02 * n);
  EXPECT_NEAR(c[Kind::kPlainRun], 0.088 * n, 0.01 * n);
  EXPECT_NEAR(c[Kind::kMixedRun], 0.012 * n, 0.004 * n);
}

TEST(MakeSeparator, SentenceEndRunsReachTheirLimitsAndNoFurther) {
  RandomSource random(7);
  std::set<std::u16string> seen;
  for (int i = 0; i < 200000; ++i) seen.insert(MakeSeparator(random, true, true, 0));
  for (const char* s : {".. ", "...... ", "? ", "??? ", "! ", "!!!!! ", "?! ", "?!!! ", "!!!? ",
                        "!!!??? ", "??\?!!! "})
    EXPECT_TRUE(seen.count(Ascii(s))) << s;
  for (const char* s : {". . ", "???\?? ", "!!!!!! ", "....... ", "???\?!! "})
    EXPECT_FALSE(seen.count(Ascii(s))) << s;
}

TEST(MakeSeparator, WithoutAllowEndNeverEndsASentence) {
  for (bool forceEnd : {false, true}) {
    for (std::uint8_t range : {0, 23, 100, 255}) {
      RandomSource random(range + 1);
      int commaOrDash = 0;
      const int n = 10100;
      for (int i = 0; i < n; ++i) {
        const Kind k = Classify(MakeSeparator(random, false, forceEnd, range));
        ASSERT_TRUE(k == Kind::kComma || k == Kind::kDash || k == Kind::kBlank);
        if (k != Kind::kBlank) ++commaOrDash;
      }
      if (range <= 23) {
        EXPECT_EQ(commaOrDash, n);
      } else if (range == 100) {
        EXPECT_NEAR(commaOrDash, 2400, 250);
      }
    }
  }
}

TEST(MakeSeparator, FirstDrawPicksTheKindAndTheSecondTheMark) {
  // A twin source replays the draws: d from the first, comma or dash from the second.
  for (std::uint32_t seed = 1; seed <= 300; ++seed) {
    RandomSource random(seed);
    RandomSource twin(seed);
    const std::u16string s = MakeSeparator(random, true, false, 64);
    const auto d = static_cast<int>(static_cast<double>(twin.Next()) * 65);
    if (d <= 23) {
      EXPECT_EQ(s, twin.Next() <= 0.86F ? u", " : u" \u2014 ");
    } else if (d > 44) {
      EXPECT_EQ(s, u" ");
    } else {
      EXPECT_EQ(s == u". ", twin.Next() <= 0.6F);
    }
  }
}

TEST(RandomUpTo, CoversItsRangeInBothDirections) {
  RandomSource random(99);
  std::set<std::int32_t> zero, four, minusThree;
  for (int i = 0; i < 5000; ++i) {
    zero.insert(RandomUpTo(random, 0));
    four.insert(RandomUpTo(random, 4));
    minusThree.insert(RandomUpTo(random, -3));
  }
  EXPECT_EQ(zero, (std::set<std::int32_t>{0}));
  EXPECT_EQ(four, (std::set<std::int32_t>{0, 1, 2, 3, 4}));
  EXPECT_EQ(minusThree, (std::set<std::int32_t>{-3, -2, -1, 0}));
}

}  // namespace
}  // namespace vm
