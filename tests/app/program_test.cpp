// SPDX-License-Identifier: GPL-3.0-or-later
// What the desktop sessions of the golden transcripts cannot show: the
// clock's seed and file permissions.
#include <gtest/gtest.h>
#include <unistd.h>

#include <set>

#include "app/program.h"
#include "fake_shell.h"
#include "temp_folder.h"
#include "text/cp1251.h"

namespace vm {
namespace {

using test::FakeShell;
using test::TempFolder;
namespace fs = std::filesystem;

struct Desk {
  FakeShell shell;
  TempFolder folder;
  Program program{shell, folder.path()};

  fs::path Load(std::u16string_view text) {
    const fs::path path = folder.Write("source_b.txt", EncodeCp1251(text));
    program.SetBaseName(u"source_b.txt");
    program.SkipAboutOnFirstLoad();
    program.LoadBase();
    return path;
  }
};

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
