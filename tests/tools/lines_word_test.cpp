// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/lines_word.h"

#include <gtest/gtest.h>

namespace vm {
namespace {

// Russian agreement over 0..125 (1 строка, 2 строки, 5 строк), spelt out as a
// reader of Russian expects it, and past the range of 32 bits.
TEST(LinesWord, ZeroTo125AndBeyond) {
  std::u16string got;
  for (int n = 0; n <= 125; ++n) {
    const std::u16string word = LinesWord(n);
    got += word == u"строка" ? u'1' : word == u"строки" ? u'2' : word == u"строк" ? u'5' : u'?';
  }
  const std::u16string decade = u"5122255555";
  const std::u16string teens = u"5555555555";
  std::u16string expected;
  for (int hundred = 0; hundred < 2; ++hundred) {
    expected += decade + teens;
    for (int tens = 2; tens < 10; ++tens) expected += decade;
  }
  expected.resize(126);
  EXPECT_EQ(got, expected);
  EXPECT_EQ(LinesWord(1'000'011), u"строк");
  EXPECT_EQ(LinesWord(3'000'000'002LL), u"строки");
}

}  // namespace
}  // namespace vm
