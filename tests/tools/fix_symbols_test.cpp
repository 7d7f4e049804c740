// SPDX-License-Identifier: GPL-3.0-or-later
#include "fix_symbols_text.h"

#include <gtest/gtest.h>

#include <fstream>

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

}  // namespace
}  // namespace vm
