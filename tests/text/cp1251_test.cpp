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

TEST(Cp1251, CharactersWithoutCodeBecomeQuestionMarks) {
  EXPECT_EQ(CharToCp1251(u'€'), 0x88);
  EXPECT_EQ(CharToCp1251(u'ä'), -1);
  EXPECT_EQ(CharToCp1251(u'中'), -1);
  EXPECT_EQ(EncodeCp1251(u"Aä中Я"), std::string("A??\xDF"));
}

TEST(Cp1251, Utf8DetectionNeedsValidMultiByteText) {
  EXPECT_TRUE(LooksLikeUtf8("\xD0\x9F\xD1\x80\xD0\xB8"));   // "При"
  EXPECT_FALSE(LooksLikeUtf8("plain ascii"));               // no multi-byte
  EXPECT_FALSE(LooksLikeUtf8("\xCF\xF0\xE8\xE2\xE5\xF2"));  // "Привет" in 1251
  EXPECT_FALSE(LooksLikeUtf8("\xD0\x9F\xFF"));              // broken tail
  EXPECT_EQ(DecodeTextFile("\xD0\x9F\xD1\x80\xD0\xB8"), u"При");
  EXPECT_EQ(DecodeTextFile("\xCF\xF0\xE8"), u"При");
  EXPECT_EQ(DecodeTextFile("\xEF\xBB\xBF\xD0\x9F"), u"П");  // the byte-order mark is no text
  EXPECT_EQ(DecodeTextFile("\xEF\xBB\xBF"
                           "ab"),
            u"ab");
  EXPECT_EQ(ToUtf8(FromUtf8("a\xF0\x9F\x98\x80z")), "a\xF0\x9F\x98\x80z");
  // One stray byte among a hundred valid letters stays one replaced character.
  std::string mostly;
  for (int i = 0; i < 100; ++i) mostly += "\xD0\x9F";
  EXPECT_EQ(DecodeTextFile(mostly + "\xFF"), std::u16string(100, u'П') + u"\uFFFD");
  EXPECT_EQ(DecodeTextFile(mostly + "\xFF\xFF"), DecodeCp1251(mostly + "\xFF\xFF"));
  // Strays that come first weigh as much: only the whole text decides.
  EXPECT_TRUE(LooksLikeUtf8("\xFF" + std::string(37, 'a') + mostly));
  EXPECT_FALSE(LooksLikeUtf8("\xFF" + std::string(37, 'a') + mostly.substr(2)));
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
