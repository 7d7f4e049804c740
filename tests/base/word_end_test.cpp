// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/word_end.h"

#include <gtest/gtest.h>

#include "base/scramble.h"
#include "text/cp1251.h"

namespace vm {
namespace {

// LastWord's rules run on the fuzz inputs (tests/fuzz/base_load).
TEST(FoldRhymeLetters, FoldsUpperCaseSoundAlikesOnly) {
  std::u16string text = u"БВГПФҐ Д ЖЧЩ ЗЦ М ЭЄЇІ Ю Я бвгд ґ АОУЫ X";
  FoldRhymeLetters(text);
  EXPECT_EQ(text, u"ХХХХХХ Т ШШШ СС Н ИИИИ У А бвгд ґ АОУЫ X");
}

TEST(ScrambleText, IsItsOwnInverseAndKeysOnTheLength) {
  const std::u16string text = u"Verbalomatic — ? фраз";
  const std::u16string once = ScrambleText(text);
  EXPECT_NE(once, text);
  EXPECT_EQ(ScrambleText(once), text);
  // Length 1: k = 1, so 'A' (65) becomes '@' (64).
  EXPECT_EQ(ScrambleText(u"A"), u"@");
  // Length 30: k = 31.
  EXPECT_EQ(ScrambleText(std::u16string(30, u'A'))[0], char16_t{65 ^ 31});
  // A character without a code counts as '?'.
  EXPECT_EQ(ScrambleText(u"中"), std::u16string(1, static_cast<char16_t>('?' ^ 1)));
}

}  // namespace
}  // namespace vm
