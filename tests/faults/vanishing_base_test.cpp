// SPDX-License-Identifier: GPL-3.0-or-later
// A base file that changes under the program between the catalogue scan and
// the load: deleted, or replaced by something that is not a regular file.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "app/program.h"
#include "fake_shell.h"
#include "temp_folder.h"
#include "text/cp1251.h"
#include "text/strings.h"

namespace vm {
namespace {

namespace fs = std::filesystem;
using test::FakeShell;
using test::TempFolder;

class VanishingBase : public ::testing::Test {
 protected:
  void SetUp() override {
    folder.Write("source_a.txt", EncodeCp1251(u"первая\r\nбаза"));
    folder.Write("source_b.txt", EncodeCp1251(u"вторая\r\nбаза\r\nстрока"));
    program.SetBaseName(u"source_a.txt");
    program.SkipAboutOnFirstLoad();
    program.LoadBase();
    ASSERT_EQ(program.Base().lines.size(), 2U);
  }

  // The 1-based catalogue index of name in a fresh main menu.
  int MenuIndexOf(std::u16string_view name) {
    const MainMenuState menu = program.PrepareMainMenu(u"Открыть ");
    for (int i = 0; i < kMenuFileEntries; ++i)
      if (menu.files[i].visible && menu.files[i].caption == name) return i + 1;
    return 0;
  }

  // Chooses source_b.txt from the menu after `change` ran on its file.
  template <typename Change>
  void ChooseAfter(Change change) {
    const int index = MenuIndexOf(u"source_b.txt");
    ASSERT_GT(index, 0);
    change(folder / "source_b.txt");
    program.ChooseCatalogueEntry(index);
  }

  void ExpectEmptyBaseReported() {
    EXPECT_EQ(program.BaseName(), u"source_b.txt");
    EXPECT_EQ(program.Base().UBound(), -1);
    EXPECT_TRUE(StartsWith(shell.shown, u"\r\nФайл:\r\nsource_b.txt\r\n\r\n0\r\n"))
        << ToUtf8(shell.shown);
    program.SHIT(10, 0);
    EXPECT_EQ(shell.shown, u"Я ОБКАКАЛСЯ. ПОЧЕМУ?");
    EXPECT_EQ(shell.lastAlignment, Alignment::kCentre);
  }

  FakeShell shell;
  TempFolder folder;
  Program program{shell, folder.path()};
};

TEST_F(VanishingBase, DeletedFileGivesAnEmptyBase) {
  ChooseAfter([](const fs::path& file) { fs::remove(file); });
  ExpectEmptyBaseReported();
}

TEST_F(VanishingBase, FolderInItsPlaceGivesAnEmptyBase) {
  ChooseAfter([](const fs::path& file) {
    fs::remove(file);
    fs::create_directory(file);
  });
  ExpectEmptyBaseReported();
}

// Opening a FIFO for reading waits for a writer; the load must not.
TEST_F(VanishingBase, FifoInItsPlaceGivesAnEmptyBaseWithoutBlocking) {
  ChooseAfter([](const fs::path& file) {
    fs::remove(file);
    ASSERT_EQ(::mkfifo(file.c_str(), 0600), 0);
  });
  ExpectEmptyBaseReported();
}

TEST_F(VanishingBase, FileComingBackLoadsAgain) {
  ChooseAfter([](const fs::path& file) { fs::remove(file); });
  folder.Write("source_b.txt", "X\r\nY");
  program.ChooseCatalogueEntry(MenuIndexOf(u"source_b.txt"));
  EXPECT_EQ(program.Base().lines.size(), 2U);
}

}  // namespace
}  // namespace vm
