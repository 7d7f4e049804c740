// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/cp1251.h"

#include <gtest/gtest.h>
#include <iconv.h>

#include "text/letter_case.h"

namespace vm {
namespace {

TEST(Cp1251, AllBytesRoundTrip) {
  std::string bytes;
  for (int b = 0; b < 256; ++b) bytes.push_back(static_cast<char>(b));
  const std::u16string text = DecodeCp1251(bytes);
  ASSERT_EQ(text.size(), 256U);
  EXPECT_EQ(EncodeCp1251(text), bytes);
  EXPECT_EQ(text[0x98], u'\u0098');  // the one byte iconv leaves unassigned
}

// The system's own converter is an independent reference for every assigned byte.
TEST(Cp1251, AgreesWithIconv) {
  iconv_t cd = iconv_open("UTF-16LE", "CP1251");
  ASSERT_NE(cd, reinterpret_cast<iconv_t>(-1));
  for (int b = 1; b < 256; ++b) {
    if (b == 0x98) continue;
    char in = static_cast<char>(b);
    char out[4] = {};
    char* pin = &in;
    char* pout = out;
    size_t inleft = 1, outleft = sizeof out;
    ASSERT_NE(iconv(cd, &pin, &inleft, &pout, &outleft), static_cast<size_t>(-1)) << b;
    const auto expected = static_cast<char16_t>(static_cast<unsigned char>(out[0]) |
                                                (static_cast<unsigned char>(out[1]) << 8));
    EXPECT_EQ(Cp1251ToChar(static_cast<std::uint8_t>(b)), expected) << "byte " << b;
  }
  iconv_close(cd);
}

TEST(LetterCase, CoversTheWholeRepertoire) {
  EXPECT_EQ(Upper(u"привет, мир! abc"), u"ПРИВЕТ, МИР! ABC");
  EXPECT_EQ(Upper(u"ёґєії ђѓљњќћџўјѕ"), u"ЁҐЄІЇ ЂЃЉЊЌЋЏЎЈЅ");
  EXPECT_EQ(Lower(u"ЁҐЄІЇ ЂЃЉЊЌЋЏЎЈЅ"), u"ёґєії ђѓљњќћџўјѕ");
  EXPECT_EQ(Upper(u"µ№§—«»"), u"µ№§—«»");
  // Every cp1251 letter pair maps both ways.
  for (int b = 0; b < 256; ++b) {
    const char16_t c = Cp1251ToChar(static_cast<std::uint8_t>(b));
    const char16_t u = UpperChar(c);
    EXPECT_GE(CharToCp1251(u), 0) << b;
    if (u != c) {
      EXPECT_EQ(LowerChar(u), c) << b;
    }
  }
}

}  // namespace
}  // namespace vm
