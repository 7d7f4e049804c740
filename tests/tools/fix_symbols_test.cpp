// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/fix_symbols.h"

#include <gtest/gtest.h>

#include <fstream>
#include <vector>

#include "random/random_source.h"
#include "text/cp1251.h"

namespace vm {
namespace {

// A table cell: UTF-8 with \n, \r, \0 and \uXXXX escapes.
std::u16string Unescape(const std::string& cell) {
  const std::u16string in = FromUtf8(cell);
  std::u16string text;
  for (std::size_t i = 0; i < in.size(); ++i) {
    const char16_t e = in[i] == u'\\' && i + 1 < in.size() ? in[++i] : 0;
    if (e == u'u') {
      text += static_cast<char16_t>(std::stoi(ToUtf8(in.substr(i + 1, 4)), nullptr, 16));
      i += 4;
    } else {
      text += e == 0 ? in[i] : e == u'n' ? u'\n' : e == u'r' ? u'\r' : u'\0';
    }
  }
  return text;
}

TEST(FixSymbols, TableOfCases) {
  std::ifstream table(VM_TEST_DATA "/fix_symbols.tsv");
  int rows = 0;
  for (std::string line; std::getline(table, line);) {
    if (line.empty() || line[0] == '#') continue;
    const std::size_t a = line.find('\t'), b = line.find('\t', a + 1);
    std::u16string text = Unescape(line.substr(0, a));
    EXPECT_EQ(FixSymbols(text, {}), std::stoi(line.substr(b + 1))) << line;
    EXPECT_EQ(text, Unescape(line.substr(a + 1, b - a - 1))) << line;
    ++rows;
  }
  EXPECT_GT(rows, 40);
}

// Passes run until one counts nothing; each yields every 500,500 positions.
TEST(FixSymbols, PassesAndYields) {
  std::string events;
  FixSymbolsProgress progress;
  progress.yield = [&] { events += 'y'; };
  progress.passDone = [&](std::int32_t n) { events += 'd' + std::to_string(n); };
  std::u16string text = u"—-";  // the dash becomes a hyphen; only then are two hyphens seen
  EXPECT_EQ(FixSymbols(text, progress), 3);
  EXPECT_EQ(events, "d1d2");
  events.clear();
  text.assign(500'499, u'Я');
  FixSymbols(text, progress);
  EXPECT_EQ(events, "");
  text.assign(1'001'000, u'Я');
  FixSymbols(text, progress);
  EXPECT_EQ(events, "yy");
  events.clear();
  text.assign(500'500, u'Я');
  text.back() = u'!';
  EXPECT_EQ(FixSymbols(text, progress), 1);
  EXPECT_EQ(events, "yd1y");
}

// A literal model of the rules, position by position, to check the fast pass.
std::int32_t ModelFix(std::u16string& text) {
  std::vector<int> code(text.size() + 2, 0);
  const std::size_t len = text.size();
  for (std::size_t i = 1; i <= len; ++i) code[i] = text[i - 1] == 0 ? 1 : Cp1251CodeOf(text[i - 1]);
  auto read = [&](std::size_t j) { return code[j] == 0 ? 255 : code[j]; };
  std::int32_t total = 0;
  for (;;) {
    std::int32_t count = 0;
    for (std::size_t i = 1; i <= len; ++i) {
      int& c = code[i];
      const int n = i == len ? 0 : read(i + 1);
      const int p = i == 1 ? 0 : read(i - 1);
      const bool letter = c == 0 || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == 165 ||
                          c == 170 || c == 175 || (c >= 178 && c <= 180) || c == 184 || c == 186 ||
                          c >= 191;
      if (letter) continue;
      if (c >= '0' && c <= '9') {
        if (n == 10 || n == 13 || n == 0) c = 0, ++count;
      } else if (c == 10 || c == 13) {
        if (c == 13) c = 10, ++count;
        if (n == 10 || n == 13) c = 0, ++count;
        if (n == 32) code[i + 1] = 0, ++count;
        if (p == 0) c = 0, ++count;
        if (n == 0) c = 0, ++count;
        if (p == '-') code[i - 1] = 0, ++count;
        if (n == '-') c = 0, ++count;
      } else if (c == 32) {
        if (n == '-' || n == 173) code[i + 1] = 32;
        if (p == '-') code[i - 1] = 0, ++count;
        if (n == 32 || n == 160 || n == 13 || n == 10) c = 0, ++count;
        if (p == 0) c = 0, ++count;
      } else if (c == '-') {
        if (p == 0) c = 0, ++count;
        if (n == '-') c = 0, ++count;
      } else if (c == 150 || c == 151 || c == 173) {
        c = '-', ++count;
      } else if (c == 160) {
        c = (n == 32 || n == 160 || n == 0) ? 0 : 32;
        ++count;
      } else if (c == 168) {
        c = 197, ++count;
      } else {
        c = 0, ++count;
      }
    }
    if (count == 0) break;
    total += count;
  }
  std::u16string out;
  for (std::size_t i = 1; i <= len; ++i)
    if (total == 0 || code[i] != 0) out.push_back(Cp1251ToChar(static_cast<std::uint8_t>(code[i])));
  text = out;
  return total;
}

// FixSymbols gives the model's text and count.
void ExpectAsModel(const std::u16string& text) {
  std::u16string expected = text;
  const std::int32_t expectedChanges = ModelFix(expected);
  std::u16string fixed = text;
  ASSERT_EQ(FixSymbols(fixed, {}), expectedChanges) << "input: " << EncodeCp1251(text);
  ASSERT_EQ(fixed, expected) << "input: " << EncodeCp1251(text);
}

char16_t Pick(RandomSource& random, std::u16string_view from) {
  return from[static_cast<std::size_t>(
      RandomUpTo(random, static_cast<std::int32_t>(from.size()) - 1))];
}

// Short texts of every code, the special ones more often; long ones with dirt, where a later pass
// after many writes passes over everything and after few (a few bursts of
// dirt) visits only the written neighbourhoods.
TEST(FixSymbols, AgreesWithTheLiteralModel) {
  const std::u16string alphabet = u"АБЁёaZ09 -\n\r\u00A0\u00AD–—!.,?\u0000ä";
  const std::u16string dirt = u" -\n\r\u00A0\u00AD–—!.9";
  RandomSource random(7);
  for (int round = 0; round < 3000; ++round) {
    std::u16string text(static_cast<std::size_t>(RandomUpTo(random, 24)), u' ');
    for (char16_t& ch : text)
      ch = Chance(random, 0.5F) ? Pick(random, alphabet)
                                : Cp1251ToChar(static_cast<std::uint8_t>(RandomUpTo(random, 255)));
    ExpectAsModel(text);
    text.assign(static_cast<std::size_t>(RandomUpTo(random, 400)), u'Ж');
    for (char16_t& ch : text)
      if (Chance(random, 0.2F)) ch = Pick(random, dirt);
    ExpectAsModel(text);
    if (round % 3 != 0) continue;
    text.assign(static_cast<std::size_t>(3000 + RandomUpTo(random, 2000)), u'Ж');
    for (int burst = RandomUpTo(random, 4); burst >= 0; --burst) {
      auto at =
          static_cast<std::size_t>(RandomUpTo(random, static_cast<std::int32_t>(text.size()) - 8));
      for (int k = RandomUpTo(random, 6); k >= 0; --k) text[at++] = Pick(random, dirt);
    }
    ExpectAsModel(text);
    if (HasFatalFailure()) return;
  }
}

}  // namespace
}  // namespace vm
