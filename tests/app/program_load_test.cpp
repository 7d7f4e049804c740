// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>

#include "app/program.h"
#include "fake_shell.h"
#include "temp_folder.h"
#include "text/cp1251.h"
#include "text/strings.h"

namespace vm {
namespace {

using test::FakeShell;
using test::TempFolder;

struct Loaded {
  FakeShell shell;
  TempFolder folder;
  Program program{shell, folder.path()};

  explicit Loaded(std::string_view bytes) {
    folder.Write("b.txt", bytes);
    program.SetBaseName(u"b.txt");
    program.SkipAboutOnFirstLoad();
    program.LoadBase();
  }
  std::vector<std::u16string> ReportLines() const { return Split(shell.shown, u"\r\n"); }
};

TEST(LoadBase, SplitsOnlyAtCrLfAfterRepairingLfCr) {
  EXPECT_EQ(Loaded("A\r\nB").program.Base().lines, (std::vector<std::u16string_view>{u"A", u"B"}));
  EXPECT_EQ(Loaded("A\r\nB\r\n").program.Base().UBound(), 2);
  EXPECT_EQ(Loaded("A\n\rB").program.Base().lines, (std::vector<std::u16string_view>{u"A", u"B"}));
  EXPECT_EQ(Loaded("A\r\n\r\nB").program.Base().lines,
            (std::vector<std::u16string_view>{u"A\r", u"\nB"}));
  EXPECT_EQ(Loaded("A\nB\nC").program.Base().UBound(), 0);
  EXPECT_EQ(Loaded("").program.Base().UBound(), -1);
}

TEST(LoadBase, UpperCasesAndFoldsKeysFromWindows1251OrUtf8) {
  Loaded cp(EncodeCp1251(u"привет бабушка\r\nёж"));
  EXPECT_EQ(cp.program.Base().lines[0], u"ПРИВЕТ БАБУШКА");
  EXPECT_EQ(cp.program.Base().keys[0], u"ХРИХЕТ ХАХУШКА");
  EXPECT_EQ(cp.program.Base().lines[1], u"ЁЖ");
  Loaded utf8(ToUtf8(u"кот\r\nпёс"));
  EXPECT_EQ(utf8.program.Base().lines, (std::vector<std::u16string_view>{u"КОТ", u"ПЁС"}));
}

TEST(LoadBase, ReportShowsNameCountSizeAndTimings) {
  Loaded l("A\r\nB\r\n");
  const auto lines = l.ReportLines();
  ASSERT_EQ(lines.size(), 12U);
  EXPECT_EQ(lines[0], u"");
  EXPECT_EQ(lines[1], u"Файл:");
  EXPECT_EQ(lines[2], u"b.txt");
  EXPECT_EQ(lines[4], u"3");
  EXPECT_TRUE(EndsWith(lines[5], u" кб")) << ToUtf8(lines[5]);
  EXPECT_TRUE(StartsWith(lines[7], u"I1: "));
  EXPECT_TRUE(StartsWith(lines[9], u"I3: "));
  EXPECT_EQ(lines[11], u"DONE");
  EXPECT_EQ(l.shell.lastAlignment, Alignment::kCentre);
  EXPECT_NE(l.shell.caption.find(u"3"), std::u16string::npos);
  EXPECT_EQ(l.shell.caption.find(u'?'), std::u16string::npos);
}

TEST(LoadBase, UnchangedFileAndSameBuiltinReturnEarly) {
  Loaded l("A\r\nB");
  const auto shown = l.shell.shownHistory.size();
  l.program.LoadBase();
  EXPECT_EQ(l.shell.shownHistory.size(), shown);

  l.program.SetBaseName(u"");
  l.program.LoadBase();
  EXPECT_EQ(l.program.BaseName(), kBuiltinTrashName);
  EXPECT_EQ(l.program.BaseKind(), BaseSource::kTrash);
  const auto afterBuiltin = l.shell.shownHistory.size();
  l.program.LoadBase();
  EXPECT_EQ(l.shell.shownHistory.size(), afterBuiltin);

  // Another spelling selects the same built-in base but counts as a new name.
  l.program.SetBaseName(u"[vm: ТРЕШ]");
  l.program.LoadBase();
  EXPECT_EQ(l.program.BaseKind(), BaseSource::kTrash);
  EXPECT_GT(l.shell.shownHistory.size(), afterBuiltin);
}

TEST(LoadBase, AfterAMissingOrOutsideFileAnyBaseIsReadAgain) {
  Loaded l("A\r\nB");
  l.folder.Write("../outside.txt", "X");
  for (const std::u16string& name : {std::u16string(u"gone.txt"), std::u16string(u"../outside.txt"),
                                     FromUtf8((l.folder / "b.txt").string())}) {
    l.program.SetBaseName(name);
    l.program.LoadBase();
    EXPECT_EQ(l.program.Base().UBound(), -1) << ToUtf8(name);
    EXPECT_EQ(l.ReportLines()[4], u"0");
    l.program.SetBaseName(u"b.txt");
    l.program.LoadBase();
    EXPECT_EQ(l.program.Base().UBound(), 1) << ToUtf8(name);
  }
  std::filesystem::remove(l.folder / "../outside.txt");
  l.program.ChooseBuiltin(2);
  const auto trashLines = l.program.Base().UBound();
  l.program.SetBaseName(u"gone.txt");
  l.program.LoadBase();
  l.program.ChooseBuiltin(2);
  EXPECT_EQ(l.program.Base().UBound(), trashLines);
}

TEST(LoadBase, AFileRewrittenWithinTheSameSecondOrMadeReadableIsReadAgain) {
  namespace fs = std::filesystem;
  Loaded l("A\r\nB");
  const fs::path path = l.folder / "b.txt";
  const auto stamp = fs::last_write_time(path);
  l.folder.Write("b.txt", "A\r\nB\r\nC");  // same second, new size
  fs::last_write_time(path, stamp);
  l.program.LoadBase();
  EXPECT_EQ(l.program.Base().UBound(), 2);
  l.folder.Write("b.txt", "C\r\nD\r\nE");  // same size, a moment later
  fs::last_write_time(path, stamp + std::chrono::milliseconds(1));
  l.program.LoadBase();
  EXPECT_EQ(l.program.Base().lines[0], u"C");

  // Unreadable (for an ordinary user; root reads anything), then fixed.
  l.folder.Write("b.txt", "F");
  fs::permissions(path, fs::perms::none);
  fs::permissions(l.folder.path(), fs::perms::all);
  const bool root = ::geteuid() == 0;
  if (root) {
    ASSERT_EQ(::seteuid(65534), 0);
  }
  l.program.LoadBase();
  if (root) {
    ASSERT_EQ(::seteuid(0), 0);
  }
  EXPECT_EQ(l.program.Base().UBound(), -1);
  fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write);
  l.program.LoadBase();
  EXPECT_EQ(l.program.Base().lines, std::vector<std::u16string_view>{u"F"});
}

TEST(LoadBase, TheBreakMarkerKeepsItsSmallN) {
  Loaded l("a\\nb \\N\r\nc\\");
  EXPECT_EQ(l.program.Base().lines, (std::vector<std::u16string_view>{u"A\\nB \\N", u"C\\"}));
  EXPECT_EQ(l.program.Base().keys[0], u"A\\NB \\N");
}

TEST(LoadBase, CatalogueNamesFindFilesWhateverTheirCase) {
  TempFolder folder;
  folder.Write("Source_Poems.TXT", "X\r\nY");
  FakeShell shell;
  Program program(shell, folder.path());
  program.SetBaseName(u"source_poems.txt");
  program.LoadBase();
  EXPECT_EQ(program.Base().UBound(), 1);
}

TEST(LoadBase, CacheFollowsTheLineCount) {
  std::string thousand;
  for (int i = 0; i < 1000; ++i) thousand += "L" + std::to_string(i) + (i < 999 ? "\r\n" : "");
  EXPECT_EQ(Loaded(thousand).program.Cache().Size(), 151);
  EXPECT_EQ(Loaded("").program.Cache().Size(), 1);
}

// About one first load in five shows the about text instead of the report.
TEST(LoadBase, FirstLoadShowsAboutOneTimeInFive) {
  TempFolder folder;
  folder.Write("b.txt", "A\r\nB");
  int about = 0;
  for (std::uint32_t seed = 1; seed <= 500; ++seed) {
    FakeShell shell;
    Program program(shell, folder.path());
    program.SetBaseName(u"b.txt");
    program.Random().Seed(seed);
    program.LoadBase();
    if (StartsWith(shell.shown, u"v1.0.72")) ++about;
    if (seed % 50 == 0) {  // later loads always report
      program.SetBaseName(u"[VM: треш]");
      program.LoadBase();
      EXPECT_FALSE(StartsWith(shell.shown, u"v1.0.72"));
    }
  }
  EXPECT_GT(about, 60);
  EXPECT_LT(about, 140);
}

}  // namespace
}  // namespace vm
