// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/import_text.h"

#include <gtest/gtest.h>

#include <set>

#include "text/strings.h"

namespace vm {
namespace {

std::vector<std::u16string> CutWith(std::u16string text, std::int32_t threshold) {
  CutIntoPhraseLines(text, [threshold] { return threshold; });
  return Split(text, kCrLf);
}

using Lines = std::vector<std::u16string>;

TEST(ImportTargetPath, LowerCasedWithPrefixAndTxt) {
  const std::filesystem::path folder = "/opt/vm";
  EXPECT_EQ(ImportTargetPath(folder, "/home/u/Texts/Book.TXT"), "/opt/vm/source_book.txt");
  EXPECT_EQ(ImportTargetPath(folder, "notes.doc"), "/opt/vm/source_notes.doc.txt");
  EXPECT_EQ(ImportTargetPath(folder, "/x/README"), "/opt/vm/source_readme.txt");
  EXPECT_EQ(ImportTargetPath(folder, "/x/Стихи.Txt"), "/opt/vm/source_стихи.txt");
  // A name in Windows-1251 bytes is read as such and written in UTF-8.
  EXPECT_EQ(ImportTargetPath(folder, "/x/\xCA\xCD\xC8\xC3\xC0.txt"), "/opt/vm/source_книга.txt");
}

TEST(CutIntoPhraseLines, SourceLinesWithCrLfAreKept) {
  EXPECT_EQ(CutWith(u"AB\r\nCDEF\r\nX\r\nYZ\r\nW", 20), (Lines{u"AB", u"CDEF", u"X", u"YZ", u"W"}));
}

TEST(CutIntoPhraseLines, LineBreakCloserThanThreeToTheCutIsDropped) {
  EXPECT_EQ(CutWith(u"A\nB\nCCCC\nD", 20), (Lines{u"AB", u"CCCC", u"D"}));
}

TEST(CutIntoPhraseLines, CutsAtFirstBlankPastTheThreshold) {
  EXPECT_EQ(CutWith(u"ONE TWO THREE FOUR FIVE SIX SEVEN EIGHT NINE TEN", 20),
            (Lines{u"ONE TWO THREE FOUR FIVE", u"SIX SEVEN EIGHT NINE", u"TEN"}));
  EXPECT_EQ(CutWith(u"ONE TWO THREE FOUR FIVE SIX SEVEN EIGHT NINE TEN", 30),
            (Lines{u"ONE TWO THREE FOUR FIVE SIX SEVEN", u"EIGHT NINE TEN"}));
}

TEST(CutIntoPhraseLines, NoCutInsideAWord) {
  const std::u16string word(500, u'Ж');
  EXPECT_EQ(CutWith(word, 20), Lines{word});
  EXPECT_EQ(CutWith(u"А " + word + u" Б", 20), (Lines{u"А " + word, u"Б"}));
}

TEST(CutIntoPhraseLines, ThresholdIsDrawnForEveryCharacter) {
  RandomSource random(11);
  std::u16string text;
  for (int i = 0; i < 2000; ++i) text += u"СЛОВ ";
  const std::size_t length = text.size();
  int draws = 0;
  CutIntoPhraseLines(text, [&] {
    ++draws;
    return 20 + RandomUpTo(random, 10);
  });
  EXPECT_EQ(draws, static_cast<int>(length));

  // Cuts fall at least 20 and at most 30 + one word after the previous one,
  // and the random thresholds give lines of more than one length.
  RandomSource again(11);
  std::u16string same(length, u' ');
  for (std::size_t i = 0; i < length; ++i) same[i] = u"СЛОВ "[i % 5];
  CutIntoPhraseLines(again, same);
  const Lines lines = Split(same, kCrLf);
  ASSERT_GT(lines.size(), 300U);
  std::set<std::size_t> lengths;
  for (std::size_t k = 1; k + 1 < lines.size(); ++k) {
    EXPECT_GE(lines[k].size(), 19U);
    EXPECT_LE(lines[k].size(), 34U);
    lengths.insert(lines[k].size());
  }
  EXPECT_GE(lengths.size(), 2U);
}

TEST(PrepareImportedBase, CutsUpperCasesCleansAndUsesCrLf) {
  RandomSource random(3);
  int yields = 0;
  std::vector<std::int32_t> passes;
  const std::u16string base = PrepareImportedBase(
      random, u"Ёлки-палки, лес густой!\r\n\r\nА в лесу — волки.\n", [&] { ++yields; },
      [&](std::int32_t n) { passes.push_back(n); });
  EXPECT_EQ(base, u"ЕЛКИ-ПАЛКИ ЛЕС ГУСТОЙ\r\nА В ЛЕСУ  ВОЛКИ");
  EXPECT_GE(yields, 2);  // once before the clean-up, once after its counting pass
  ASSERT_FALSE(passes.empty());
}

TEST(PrepareImportedBase, EmptyAndBlankSourcesGiveEmptyBases) {
  RandomSource random(3);
  EXPECT_EQ(PrepareImportedBase(random, u"", {}), u"");
  EXPECT_EQ(PrepareImportedBase(random, u"!!!...", {}), u"");
}

}  // namespace
}  // namespace vm
