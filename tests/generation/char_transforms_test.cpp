#include "generation/char_transforms.h"

#include <gtest/gtest.h>

#include <map>

#include "text/cp1251.h"
#include "text/letter_case.h"
#include "text/strings.h"

namespace vm {
namespace {

// Runs AddTypos on one phrase with each of many seeds; counts the changed results.
template <typename Check>
int TyposOverSeeds(const std::u16string& phrase, bool spareEnd, Check check) {
  int changed = 0;
  for (std::uint32_t seed = 1; seed <= 400; ++seed) {
    RandomSource random(seed);
    std::vector<std::u16string> phrases{phrase};
    AddTypos(random, phrases, spareEnd);
    check(phrases[0]);
    if (phrases[0] != phrase) ++changed;
  }
  return changed;
}

TEST(AddTypos, SparesTheFirstAndLastCharacters) {
  const std::u16string phrase = u"ЖББББББББББЗЦЧ";
  const int changed = TyposOverSeeds(phrase, false, [](const std::u16string& p) {
    EXPECT_TRUE(StartsWith(p, u"Ж")) << ToUtf8(p);
    EXPECT_TRUE(EndsWith(p, u"Ч")) << ToUtf8(p);
  });
  EXPECT_GT(changed, 100);
  // In lyrics mode the last three characters are spared too; position
  // length - 3 is not.
  int thirdLastTouched = 0;
  TyposOverSeeds(phrase, true, [&](const std::u16string& p) {
    EXPECT_TRUE(StartsWith(p, u"Ж")) << ToUtf8(p);
    EXPECT_TRUE(EndsWith(p, u"ЗЦЧ")) << ToUtf8(p);
    if (!EndsWith(p, u"БЗЦЧ")) ++thirdLastTouched;
  });
  EXPECT_GT(thirdLastTouched, 0);
}

TEST(AddTypos, LeavesShortPhrasesBlanksNeighboursAndOtherCharacters) {
  for (const std::u16string phrase : {u"БВ", u"Б", u"", u"ББ ББ ББ ББ ББ ББ", u"жжжжжжжжжжжжжжжж",
                                      u"ЁЁЁЁЁЁЁЁЁЁЁЁЁЁЁЁ", u"1234567890,.!?-«»"}) {
    EXPECT_EQ(TyposOverSeeds(phrase, false, [](const std::u16string&) {}), 0) << ToUtf8(phrase);
  }
}

TEST(AddTypos, VowelsTakeFewerTyposThanConsonants) {
  // Deletions: 0.065 * 0.5 per consonant position, 0.065 * 0.4 * 0.5 per vowel.
  auto deletions = [](char16_t letter) {
    RandomSource random(2024);
    std::vector<std::u16string> phrases(100, std::u16string(1002, letter));
    AddTypos(random, phrases, false);
    std::size_t lost = 0;
    for (const auto& p : phrases) lost += 1002 - p.size();
    return lost;
  };
  const std::size_t consonant = deletions(u'Б');
  const std::size_t vowel = deletions(u'А');
  EXPECT_GT(consonant, 2900u);
  EXPECT_LT(consonant, 3600u);
  EXPECT_GT(vowel, 1100u);
  EXPECT_LT(vowel, 1500u);
}

TEST(RandomCase, ChangesOnlyTheCaseOfLetters) {
  const std::u16string phrase = u"ПРИВЕТ, мир 42!";
  bool sawUpper = false;
  bool sawLower = false;
  for (std::uint32_t seed = 1; seed <= 50; ++seed) {
    RandomSource random(seed);
    std::u16string p = phrase;
    RandomCase(random, p);
    ASSERT_EQ(p.size(), phrase.size());
    for (std::size_t i = 0; i < p.size(); ++i) {
      EXPECT_EQ(UpperChar(p[i]), UpperChar(phrase[i]));
      sawUpper = sawUpper || p[i] == u'м';
      sawLower = sawLower || p[i] == u'П';
    }
    EXPECT_EQ(p.substr(11), u" 42!");
  }
  EXPECT_TRUE(sawUpper);
  EXPECT_TRUE(sawLower);
}

TEST(MangleSpeech, CertainOutcomesAndUnlistedLetters) {
  // Upper-case Д has no entry and stays.
  for (std::uint32_t seed = 1; seed <= 50; ++seed) {
    RandomSource random(seed);
    std::u16string text = u"ФЧЭфчэ ДАКЛМНОПРСУШЩЪЫЬ клм 1.";
    MangleSpeech(random, text);
    EXPECT_EQ(text, u"ХШИхши ДАКЛМНОПРСУШЩЪЫЬ клм 1.");
  }
}

// Outcome shares of MangleSpeech over 20000 copies of one letter.
std::map<char16_t, double> Shares(char16_t letter) {
  RandomSource random(77);
  std::u16string text(20000, letter);
  MangleSpeech(random, text);
  std::map<char16_t, double> shares;
  for (char16_t c : text) shares[c] += 1.0 / 20000;
  return shares;
}

void ExpectShares(char16_t letter, const std::map<char16_t, double>& expected) {
  const auto shares = Shares(letter);
  for (const auto& [c, share] : shares) {
    ASSERT_TRUE(expected.count(c)) << "unexpected outcome " << static_cast<int>(c);
  }
  for (const auto& [c, share] : expected) {
    const double seen = shares.count(c) ? shares.at(c) : 0.0;
    EXPECT_NEAR(seen, share, 0.03) << static_cast<int>(letter) << " -> " << static_cast<int>(c);
  }
}

TEST(MangleSpeech, OutcomeDistributions) {
  ExpectShares(u'Е', {{u'И', 0.8}, {u'Э', 0.2}});
  ExpectShares(u'ё', {{u'и', 0.8}, {u'э', 0.2}});
  ExpectShares(u'Ж', {{u'Ш', 0.8}, {u'С', 0.2}});
  ExpectShares(u'ж', {{u'ш', 0.8}, {u'с', 0.2}});
  ExpectShares(u'Б', {{u'В', 0.4}, {u'Ф', 0.1}, {u'Б', 0.5}});
  ExpectShares(u'Ґ', {{u'Г', 0.5}, {u'Х', 0.25}, {u'Ґ', 0.25}});
  ExpectShares(u'Є', {{u'И', 0.5}, {u'Ї', 0.25}, {u'Е', 0.125}, {u'Є', 0.125}});
  ExpectShares(u'є', {{u'ї', 0.25}, {u'е', 0.125}, {u'є', 0.625}});
  ExpectShares(u'т', {{u'д', 0.7}, {u'т', 0.3}});
  ExpectShares(u'Х', {{u'Г', 0.7}, {u'Х', 0.3}});
  ExpectShares(u'Ю', {{u'У', 0.8}, {u'Ю', 0.2}});
  ExpectShares(u'з', {{u'с', 0.5}, {u'з', 0.5}});
}

TEST(LatinLookalikes, ReplacesExactlyTheTable) {
  std::u16string word = u"СЕКТОР";
  LatinLookalikes(word);
  EXPECT_EQ(word, u"CEKTOP");

  std::u16string all = u"ІАЕКНОРСТХіаеорсух";
  LatinLookalikes(all);
  EXPECT_EQ(all, u"IAEKHOPCTXiaeopcyx");

  // Nothing else in the Cyrillic block changes (lower-case т, к, н included).
  const std::u16string table = u"ІАЕКНОРСТХіаеорсух";
  for (char16_t c = 0x0400; c <= 0x04FF; ++c) {
    if (table.find(c) != std::u16string::npos) continue;
    std::u16string one(1, c);
    LatinLookalikes(one);
    EXPECT_EQ(one[0], c) << static_cast<int>(c);
  }
}

}  // namespace
}  // namespace vm
