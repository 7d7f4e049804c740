#include "generation/char_transforms.h"

#include <gtest/gtest.h>

#include <map>

#include "text/cp1251.h"
#include "text/strings.h"

namespace vm {
namespace {

// AddTypos on one phrase under 400 seeds; the results.
std::vector<std::u16string> Typos(const std::u16string& phrase, bool spareEnd) {
  std::vector<std::u16string> out;
  for (std::uint32_t seed = 1; seed <= 400; ++seed) {
    RandomSource random(seed);
    std::vector<std::u16string> phrases{phrase};
    AddTypos(random, phrases, spareEnd);
    out.push_back(phrases[0]);
  }
  return out;
}

TEST(AddTypos, SparesTheEndsOfThePhrase) {
  int changed = 0, thirdLastTouched = 0;
  for (const auto& p : Typos(u"ЖББББББББББЗЦЧ", false)) {
    EXPECT_TRUE(StartsWith(p, u"Ж") && EndsWith(p, u"Ч")) << ToUtf8(p);
    changed += p != u"ЖББББББББББЗЦЧ";
  }
  for (const auto& p : Typos(u"ЖББББББББББЗЦЧ", true)) {
    EXPECT_TRUE(StartsWith(p, u"Ж") && EndsWith(p, u"ЗЦЧ")) << ToUtf8(p);
    thirdLastTouched += !EndsWith(p, u"БЗЦЧ");
  }
  EXPECT_GT(changed, 100);
  EXPECT_GT(thirdLastTouched, 0);
}

TEST(AddTypos, LeavesShortPhrasesBlanksNeighboursAndOtherCharacters) {
  for (const std::u16string phrase :
       {u"БВ", u"", u"ББ ББ ББ ББ ББ ББ", u"жжжжжжжжжжжж", u"ЁЁЁЁЁЁЁЁЁЁЁЁ", u"1234567890,.!?-«»"}) {
    for (const auto& p : Typos(phrase, false)) EXPECT_EQ(p, phrase);
  }
}

TEST(AddTypos, VowelsTakeFewerTyposThanConsonants) {
  // Deletions: 0.065 * 0.5 per consonant, 0.065 * 0.4 * 0.5 per vowel.
  auto deletions = [](char16_t letter) {
    RandomSource random(2024);
    std::vector<std::u16string> phrases(100, std::u16string(1002, letter));
    AddTypos(random, phrases, false);
    std::size_t lost = 0;
    for (const auto& p : phrases) lost += 1002 - p.size();
    return lost;
  };
  EXPECT_NEAR(static_cast<double>(deletions(u'Б')), 3250, 350);
  EXPECT_NEAR(static_cast<double>(deletions(u'А')), 1300, 200);
}

TEST(MangleSpeech, CertainOutcomesAndUnlistedLetters) {
  for (std::uint32_t seed = 1; seed <= 50; ++seed) {
    RandomSource random(seed);
    std::u16string text = u"ФЧЭфчэ ДАКЛМНОПРСУШЩЪЫЬ клм 1.";  // upper-case Д has no entry
    MangleSpeech(random, text);
    EXPECT_EQ(text, u"ХШИхши ДАКЛМНОПРСУШЩЪЫЬ клм 1.");
  }
}

// Outcome shares over 20000 copies of one letter, within 0.03 of expected;
// no other outcome may occur.
void ExpectShares(char16_t letter, const std::map<char16_t, double>& expected) {
  RandomSource random(77);
  std::u16string text(20000, letter);
  MangleSpeech(random, text);
  std::map<char16_t, double> shares;
  for (char16_t c : text) shares[c] += 1.0 / 20000;
  for (const auto& [c, share] : shares) EXPECT_TRUE(expected.count(c)) << static_cast<int>(c);
  for (const auto& [c, share] : expected) {
    EXPECT_NEAR(shares[c], share, 0.03) << static_cast<int>(letter) << "->" << static_cast<int>(c);
  }
}

TEST(MangleSpeech, OutcomeDistributions) {
  ExpectShares(u'Е', {{u'И', 0.8}, {u'Э', 0.2}});
  ExpectShares(u'ё', {{u'и', 0.8}, {u'э', 0.2}});
  ExpectShares(u'Ж', {{u'Ш', 0.8}, {u'С', 0.2}});
  ExpectShares(u'Б', {{u'В', 0.4}, {u'Ф', 0.1}, {u'Б', 0.5}});
  ExpectShares(u'Ґ', {{u'Г', 0.5}, {u'Х', 0.25}, {u'Ґ', 0.25}});
  ExpectShares(u'Є', {{u'И', 0.5}, {u'Ї', 0.25}, {u'Е', 0.125}, {u'Є', 0.125}});
  ExpectShares(u'є', {{u'ї', 0.25}, {u'е', 0.125}, {u'є', 0.625}});
  ExpectShares(u'т', {{u'д', 0.7}, {u'т', 0.3}});
  ExpectShares(u'Ю', {{u'У', 0.8}, {u'Ю', 0.2}});
}

TEST(LatinLookalikes, ReplacesExactlyTheTable) {
  const std::u16string table = u"ІАЕКНОРСТХіаеорсух";
  std::u16string text = u"СЕКТОР " + table;
  LatinLookalikes(text);
  EXPECT_EQ(text, u"CEKTOP IAEKHOPCTXiaeopcyx");
  for (char16_t c = 0x0400; c <= 0x04FF; ++c) {  // lower-case т, к, н included
    if (table.find(c) != std::u16string::npos) continue;
    std::u16string one(1, c);
    LatinLookalikes(one);
    EXPECT_EQ(one[0], c) << static_cast<int>(c);
  }
}

}  // namespace
}  // namespace vm
