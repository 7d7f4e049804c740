// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/import_text.h"

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <vector>

#include "fix_symbols_text.h"
#include "text/cp1251.h"
#include "text/letter_case.h"
#include "text/strings.h"

namespace vm {
namespace {

// The cutting rule word for word, a threshold for every character: the
// model the import's one-pass cutting must agree with.
void CutIntoPhraseLines(std::u16string& text, const std::function<std::int32_t()>& threshold) {
  std::size_t lastCut = 1;  // positions are 1-based as in the rule
  for (std::size_t i = 1; i <= text.size(); ++i) {
    char16_t& c = text[i - 1];
    const std::size_t d = i - lastCut;
    const auto limit = static_cast<std::size_t>(std::max<std::int32_t>(threshold(), 0));
    const bool lineBreak = c == u'\n' || c == u'\r';
    if (d >= limit ? (lineBreak || c == u' ') : (d >= 3 && lineBreak)) {
      c = u'\x01';
      lastCut = i;
    }
  }
  // The source's line breaks go, then every cut mark becomes CR LF.
  std::erase(text, u'\n');
  std::erase(text, u'\r');
  ReplaceAll(text, u"\x01", kCrLf);
}

// room: the spare room before the text, in which the import cuts it in
// place; a text that grows past it moves to a buffer of its own midway.
std::u16string PrepareImportedBase(RandomSource& random, const std::u16string& text,
                                   const std::function<void()>& yield,
                                   const std::function<void(std::int32_t)>& passDone = {},
                                   std::size_t room = 0) {
  return DecodeCp1251(PrepareImportedCodes(random, std::string(room, '\0') + EncodeCp1251(text),
                                           room, yield, passDone));
}

// The import cuts, upper-cases and rebuilds in one pass, drawing only the
// thresholds that can matter: it must give what the steps one after another
// give with one draw for every character, and leave the source where they do.
TEST(PrepareImportedBase, AgreesWithTheStepsOneByOne) {
  RandomSource texts(5);
  const std::u16string letters =
      u"жЖzZёЁ«—\x01"
      u"5-\u00A0";
  for (int round = 0; round < 300; ++round) {
    std::u16string text(static_cast<std::size_t>(RandomUpTo(texts, 600)), u'ж');
    const float breaks = round % 3 == 0 ? 0.3F : 0.03F;
    const std::u16string_view lineBreak = round % 4 == 0 ? u"\n" : round % 4 == 1 ? u"\r" : u"\r\n";
    for (char16_t& c : text) {
      if (Chance(texts, 0.15F)) c = u' ';
      if (Chance(texts, 0.08F)) c = letters[static_cast<std::size_t>(RandomUpTo(texts, 11))];
      if (Chance(texts, breaks))
        c = lineBreak[static_cast<std::size_t>(RandomUpTo(texts, 1)) % lineBreak.size()];
    }
    if (round % 7 == 0) text.insert(0, u"\x01");  // a line end first of all
    RandomSource fast(static_cast<std::uint32_t>(round)), steps(static_cast<std::uint32_t>(round));
    std::u16string expected = text;
    if (expected.find(u'\r') == std::u16string::npos) ReplaceAll(expected, u"\n", kCrLf);
    CutIntoPhraseLines(expected, [&steps] { return 20 + RandomUpTo(steps, 10); });
    UpperInPlace(expected);
    std::vector<std::int32_t> expectedPasses, passes;
    FixSymbolsProgress progress;
    progress.passDone = [&](std::int32_t n) { expectedPasses.push_back(n); };
    FixSymbols(expected, progress);
    ReplaceAll(expected, u"\n", kCrLf);
    const std::size_t room = std::array<std::size_t, 4>{0, 16, 24, 4096}[round / 4 % 4];
    const auto pass = [&](std::int32_t n) { passes.push_back(n); };
    ASSERT_EQ(PrepareImportedBase(fast, text, {}, pass, room), expected) << round;
    ASSERT_EQ(passes, expectedPasses) << round;
    ASSERT_EQ(fast.Next(), steps.Next()) << round;
  }
}

TEST(PrepareImportedBase, YieldsReportsPassesAndMayComeOutEmpty) {
  RandomSource random(3);
  int yields = 0;
  std::vector<std::int32_t> passes;
  const std::u16string base = PrepareImportedBase(
      random, u"Ёлки-палки, лес густой!\r\n\r\nА в лесу — волки.\n", [&] { ++yields; },
      [&](std::int32_t n) { passes.push_back(n); });
  EXPECT_EQ(base, u"ЕЛКИ-ПАЛКИ ЛЕС ГУСТОЙ\r\nА В ЛЕСУ  ВОЛКИ");
  EXPECT_GE(yields, 2);  // once before the clean-up, once after its counting pass
  EXPECT_FALSE(passes.empty());
  EXPECT_EQ(PrepareImportedBase(random, u"", {}), u"");
  EXPECT_EQ(PrepareImportedBase(random, u"!!!...", {}), u"");
}

}  // namespace
}  // namespace vm
