// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/phrase_base.h"

#include <gtest/gtest.h>

#include "random/random_source.h"
#include "text/cp1251.h"

namespace vm {
namespace {

PhraseBase FromText(std::u16string text) {
  IndexTimings timings;
  return IndexBaseText(
      std::move(text), [] { return std::int64_t{0}; }, timings);
}

PhraseBase FromBytes(std::string bytes) {
  IndexTimings timings;
  const bool utf8 = LooksLikeUtf8(bytes);
  return IndexBaseBytes(
      std::move(bytes), utf8, [] { return std::int64_t{0}; }, timings);
}

// A character without a Windows-1251 code keeps the whole base in UTF-16;
// the lines and keys read the same either way.
TEST(PhraseBase, OneByteFormWhereEveryCharacterHasACode) {
  const std::u16string text = u"вот \\n кот\n\rёж-ёжик\r\n";
  const PhraseBase narrow = FromText(text);
  const PhraseBase wide = FromText(text + u"☺");
  const PhraseBase bytes = FromBytes(EncodeCp1251(text));
  EXPECT_TRUE(narrow.lines.IsNarrow() && narrow.keys.IsNarrow() && bytes.lines.IsNarrow());
  EXPECT_FALSE(wide.lines.IsNarrow() || wide.keys.IsNarrow());
  const std::vector<std::u16string_view> lines = {u"ВОТ \\n КОТ", u"ЁЖ-ЁЖИК"};
  EXPECT_EQ(narrow.lines, (std::vector<std::u16string_view>{lines[0], lines[1], u""}));
  EXPECT_EQ(bytes.lines, (std::vector<std::u16string_view>{lines[0], lines[1], u""}));
  EXPECT_EQ(wide.lines, (std::vector<std::u16string_view>{lines[0], lines[1], u"☺"}));
  for (const PhraseBase* base : {&narrow, &wide, &bytes}) {
    EXPECT_EQ(base->keys[0], u"ХОТ \\N КОТ");
    EXPECT_EQ(base->keys[1], u"ЁШ-ЁШИК");
    EXPECT_EQ(base->lines[1].LastWord(true), u"ЁЖИК");
    EXPECT_EQ(base->lines[0].substr(4).TrimmedBlanks().Text(), u"\\n КОТ");
  }
}

// The one-byte form is upper-cased and repaired sixteen codes at a time where
// it can be; it must read as the plain UTF-16 way on any codes.
TEST(PhraseBase, OneByteFormAgreesWithUtf16OnEveryCode) {
  RandomSource random(1251);
  for (int round = 0; round < 300; ++round) {
    std::string bytes(static_cast<std::size_t>(RandomUpTo(random, 200)), 'x');
    for (char& b : bytes) {
      const int pick = RandomUpTo(random, 9);
      b = pick < 4 ? "\n\r\\n"[pick] : static_cast<char>(RandomUpTo(random, 255));
    }
    const PhraseBase narrow = FromBytes(bytes);
    const PhraseBase wide = FromText(u"☺" + DecodeCp1251(bytes));  // no code: UTF-16
    ASSERT_TRUE(narrow.lines.IsNarrow() && !wide.lines.IsNarrow());
    ASSERT_EQ(narrow.lines.size(), bytes.empty() ? 0U : wide.lines.size());
    for (std::size_t i = 0; i < narrow.lines.size(); ++i) {
      const std::u16string_view mark = i == 0 ? u"☺" : u"";
      ASSERT_EQ(std::u16string(mark) + narrow.lines[i].Text(), wide.lines[i].Wide()) << round;
      ASSERT_EQ(std::u16string(mark) + narrow.keys[i].Text(), wide.keys[i].Wide()) << round;
    }
  }
}

}  // namespace
}  // namespace vm
