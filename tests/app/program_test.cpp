// SPDX-License-Identifier: GPL-3.0-or-later
// What the desktop sessions of the golden transcripts cannot show: properties
// over many seeds, the clock's seed and file permissions.
#include <gtest/gtest.h>
#include <unistd.h>

#include <set>

#include "app/program.h"
#include "fake_shell.h"
#include "temp_folder.h"
#include "text/cp1251.h"
#include "text/strings.h"

namespace vm {
namespace {

using namespace std::string_view_literals;
using test::FakeShell;
using test::TempFolder;
namespace fs = std::filesystem;

struct Desk {
  FakeShell shell;
  TempFolder folder;
  Program program{shell, folder.path()};

  fs::path Load(std::u16string_view text, std::initializer_list<int> ticked = {}) {
    const fs::path path = folder.Write("source_b.txt", EncodeCp1251(text));
    program.SetBaseName(u"source_b.txt");
    program.SkipAboutOnFirstLoad();
    program.LoadBase();
    shell.options.fill(0);
    for (int i : ticked) shell.options[static_cast<std::size_t>(i)] = 1;
    program.ReadOptions();
    return path;
  }
};

// With punctuation, short last words get only a blank between phrases; a
// blank line between stanzas never follows a comma or a dash.
TEST(Program, SeparatorsOverManySeeds) {
  Desk shortWords;
  shortWords.Load(u"один ой\r\nдва ай", {kOptPunctuation});
  Desk lyrics;
  lyrics.Load(
      u"альфа бета\r\nгамма дельта\r\nэпсилон дзета\r\nэта тета\r\nйота каппа\r\nлямбда мю\r\n"
      u"ню кси\r\nомикрон пи\r\nро сигма\r\nтау ипсилон",
      {kOptLyrics, kOptParagraphBreaks, kOptPunctuation});
  int stanzas = 0;
  for (std::uint32_t seed = 1; seed <= 300; ++seed) {
    shortWords.program.Random().Seed(seed);
    shortWords.program.SHIT(3, 0);
    const std::u16string& body = shortWords.shell.shown;
    const auto end = body.find_last_not_of(u".?!");
    for (char16_t c : body.substr(0, end + 1))
      ASSERT_TRUE(c == u' ' || (c >= u'А' && c <= u'Я')) << ToUtf8(body);
    lyrics.program.Random().Seed(seed);
    lyrics.program.SHIT(10, 0);
    const std::u16string& text = lyrics.shell.shown;
    for (auto at = text.find(u"\r\n\r\n"); at != std::u16string::npos;
         at = text.find(u"\r\n\r\n", at + 1), ++stanzas)
      ASSERT_EQ(u",—"sv.find(text.at(at - 1)), u",—"sv.npos) << ToUtf8(text);
  }
  EXPECT_GT(stanzas, 20);
}

// After a seeded text the random source is the clock's again.
TEST(Program, TheClockSeedsAfterASeededText) {
  Desk desk;
  desk.Load(u"альфа\r\nбета\r\nгамма\r\nдельта\r\nэпсилон");
  std::set<std::u16string> after;
  for (int i = 0; i < 5; ++i) {
    desk.program.GenerateFromSeed(u"сид");
    desk.program.SHIT(10, 0);
    after.insert(desk.shell.shown);
  }
  EXPECT_GT(after.size(), 1U);
}

// The rhyme command lists 33 to 49 entries: a limit of 32 to 48, drawn anew.
TEST(Program, RhymeListsEndAtTheirDrawnLimit) {
  Desk desk;
  std::u16string base;
  for (char16_t a = u'А'; a <= u'Я'; ++a)
    for (const char16_t b : u"БВГДЖ"sv) base += std::u16string{a, b} + u"ЛОК\r\n";
  desk.Load(base);
  std::set<std::size_t> counts;
  for (std::uint32_t seed = 1; seed <= 300; ++seed) {
    desk.program.Random().Seed(seed);
    desk.program.FindRhymes(u"потолок", false);
    counts.insert(Split(desk.shell.shown, u"\r\n").size() - 3);  // header, rule, final break
  }
  EXPECT_EQ(*counts.begin(), 33U);
  EXPECT_EQ(*counts.rbegin(), 49U);
}

// A base that could not be read is read again once it can be, though its
// stamp did not change (root reads anything: the test reads as nobody).
TEST(Program, AnUnreadableBaseIsReadOnceItCanBe) {
  Desk desk;
  const fs::path path = desk.Load(u"А");
  desk.folder.Write("source_b.txt", "F");
  fs::permissions(path, fs::perms::none);
  fs::permissions(desk.folder.path(), fs::perms::all);
  const bool root = ::geteuid() == 0;
  if (root) {
    ASSERT_EQ(::seteuid(65534), 0);
  }
  desk.program.LoadBase();
  if (root) {
    ASSERT_EQ(::seteuid(0), 0);
  }
  EXPECT_EQ(desk.program.Base().UBound(), -1);
  fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write);
  desk.program.LoadBase();
  EXPECT_EQ(desk.program.Base().lines, std::vector<std::u16string_view>{u"F"});
}

}  // namespace
}  // namespace vm
