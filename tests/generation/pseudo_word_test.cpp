#include "generation/pseudo_word.h"

#include <gtest/gtest.h>

#include <set>
#include <string_view>

#include "text/cp1251.h"
#include "text/letter_case.h"

namespace vm {
namespace {

constexpr std::u16string_view kConsonantStarts = u"бвгджзклмнпрстфхцчшщ";
constexpr std::u16string_view kVowelStarts = u"аеиоуэюя";
constexpr std::u16string_view kAnyStart = u"абвгдежзиклмнопрстуфхцчшщэюя";
constexpr std::u16string_view kDoublers = u"анио";

bool In(std::u16string_view set, char16_t c) {
  return set.find(c) != std::u16string_view::npos;
}

TEST(MakePseudoWord, ShortLengthsGiveNothingAndDrawNothing) {
  RandomSource random(1);
  RandomSource twin(1);
  for (std::int32_t length : {-5, 0, 1}) EXPECT_EQ(MakePseudoWord(random, length, 1, true), u"");
  EXPECT_EQ(random.Next(), twin.Next());
}

TEST(MakePseudoWord, StartsFromTheModesSet) {
  RandomSource random(2);
  std::set<char16_t> consonants, vowels, any;
  for (int i = 0; i < 4000; ++i) {
    consonants.insert(MakePseudoWord(random, 2, 1, false)[0]);
    vowels.insert(MakePseudoWord(random, 2, 2, false)[0]);
    any.insert(MakePseudoWord(random, 2, static_cast<std::uint8_t>(i % 2 == 0 ? 0 : 7), false)[0]);
  }
  EXPECT_EQ(consonants, std::set<char16_t>(kConsonantStarts.begin(), kConsonantStarts.end()));
  EXPECT_EQ(vowels, std::set<char16_t>(kVowelStarts.begin(), kVowelStarts.end()));
  EXPECT_EQ(any, std::set<char16_t>(kAnyStart.begin(), kAnyStart.end()));
}

TEST(MakePseudoWord, WordsKeepTheLetterRules) {
  RandomSource random(3);
  int endsInShortI = 0, endsInYery = 0, doubles = 0, consonantPairs = 0;
  for (int i = 0; i < 20000; ++i) {
    const std::int32_t length = 2 + i % 11;
    const std::u16string w =
        MakePseudoWord(random, length, static_cast<std::uint8_t>(i % 3), false);
    ASSERT_EQ(w.size(), static_cast<std::size_t>(length));
    for (std::size_t k = 0; k < w.size(); ++k) {
      const char16_t c = w[k];
      ASSERT_TRUE(c >= u'а' && c <= u'я' && c != u'ь' && c != u'ъ') << ToUtf8(w);
      if (k + 1 < w.size()) {
        ASSERT_TRUE(c != u'й' && c != u'ы') << ToUtf8(w);
      }
      if (k >= 1 && w[k - 1] == c) {
        ASSERT_TRUE(In(kDoublers, c)) << ToUtf8(w);
        ASSERT_FALSE(k >= 2 && w[k - 2] == c) << ToUtf8(w);
        ++doubles;
      }
      if (k >= 1 && !In(u"аеиоуыэюя", c) && !In(u"аеиоуыэюя", w[k - 1])) ++consonantPairs;
    }
    endsInShortI += w.back() == u'й';
    endsInYery += w.back() == u'ы';
  }
  // The rare paths are reachable: й and ы at the end, doubling, the pair table.
  EXPECT_GT(endsInShortI, 0);
  EXPECT_GT(endsInYery, 0);
  EXPECT_GT(doubles, 0);
  EXPECT_GT(consonantPairs, 0);
}

TEST(MakePseudoWord, CapitaliseRaisesOnlyTheFirstLetter) {
  RandomSource random(4);
  for (int i = 0; i < 500; ++i) {
    const std::u16string w = MakePseudoWord(random, 6, 0, true);
    ASSERT_EQ(w.size(), 6U);
    EXPECT_EQ(w[0], UpperChar(w[0]));
    EXPECT_NE(w[0], LowerChar(w[0]));
    EXPECT_EQ(w.substr(1), Lower(w.substr(1)));
  }
}

}  // namespace
}  // namespace vm
