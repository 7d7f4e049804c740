// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/catalogue.h"
#include "text/cp1251.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <set>
#include <vector>

namespace vm {
namespace {

namespace fs = std::filesystem;

class CatalogueFolder : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::temp_directory_path() /
              ("vm_catalogue_" + std::to_string(::getpid()) + "_" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(folder_);
    fs::create_directories(folder_);
  }
  void TearDown() override { fs::remove_all(folder_); }
  void Touch(const fs::path& name) { std::ofstream(folder_ / name) << "X"; }
  std::set<std::u16string> Entries(const Catalogue& c) {
    std::set<std::u16string> names;
    for (int i = 1; i <= c.Count(); ++i) names.insert(c.Entry(i));
    return names;
  }
  fs::path folder_;
};

TEST_F(CatalogueFolder, ListsBaseFilesLowerCased) {
  for (const char* name : {"Source_Poems.TXT", "source_.txt", "source.txt", "poems.txt",
                           "source_poems.txt.bak", "source_txt", "xsource_a.txt"})
    Touch(name);
  fs::create_directory(folder_ / "source_x.txt");
  Catalogue c;
  c.ScanFolder(folder_);
  EXPECT_EQ(Entries(c), (std::set<std::u16string>{u"source_poems.txt", u"source_.txt"}));
}

TEST_F(CatalogueFolder, ListsByNameIgnoringCase) {
  for (const char* name : {"source_b.txt", "Source_C.txt", "source_a.txt", "SOURCE_Б.TXT"})
    Touch(name);
  Catalogue c;
  c.ScanFolder(folder_);
  std::vector<std::u16string> listed;
  for (int i = 1; i <= c.Count(); ++i) listed.push_back(c.Entry(i));
  EXPECT_EQ(listed, (std::vector<std::u16string>{u"source_a.txt", u"source_b.txt", u"source_c.txt",
                                                 u"source_б.txt"}));
}

TEST_F(CatalogueFolder, DecodesNamesAndClearsBetweenScans) {
  Touch("source_стихи.txt");                 // UTF-8
  Touch("source_\xCA\xCD\xC8\xC3\xC0.TXT");  // Windows-1251 "КНИГА"
  Catalogue c;
  c.ScanFolder(folder_);
  EXPECT_EQ(Entries(c), (std::set<std::u16string>{u"source_стихи.txt", u"source_книга.txt"}));
  c.Clear();
  EXPECT_EQ(c.Count(), 0);
  c.ScanFolder(folder_ / "missing");
  EXPECT_EQ(c.Count(), 0);
  EXPECT_EQ(c.Entry(1), u"");
}

TEST_F(CatalogueFolder, ResolvesBaseNameIgnoringCase) {
  Touch("Source_Poems.TXT");
  Touch("source_\xCA\xCD\xC8\xC3\xC0.txt");
  EXPECT_EQ(ResolveBaseFile(folder_, u"source_poems.txt"), folder_ / "Source_Poems.TXT");
  EXPECT_EQ(ResolveBaseFile(folder_, u"source_книга.txt"),
            folder_ / "source_\xCA\xCD\xC8\xC3\xC0.txt");
  Touch("source_poems.txt");
  EXPECT_EQ(ResolveBaseFile(folder_, u"source_poems.txt"), folder_ / "source_poems.txt");
  EXPECT_EQ(ResolveBaseFile(folder_, u"source_none.txt"), folder_ / "source_none.txt");
  // A base is a name inside the folder, never a way out of it.
  for (const char16_t* name : {u"", u".", u"..", u"../source_poems.txt", u"/etc/passwd", u"a/b"})
    EXPECT_EQ(ResolveBaseFile(folder_ / "sub", name), fs::path()) << ToUtf8(name);
}

// A catalogue of source_01.txt .. source_<count>.txt.
Catalogue Numbered(int count) {
  const fs::path folder = fs::temp_directory_path() / ("vm_menu_" + std::to_string(::getpid()));
  fs::remove_all(folder);
  fs::create_directories(folder);
  for (int i = 1; i <= count; ++i)
    std::ofstream(folder / ((i < 10 ? "source_0" : "source_") + std::to_string(i) + ".txt"));
  Catalogue c;
  c.ScanFolder(folder);
  fs::remove_all(folder);
  return c;
}

TEST(MainMenu, TwentyOfTwentyFiveFilesAreShown) {
  const MainMenuState m =
      BuildMainMenuState(Numbered(25), BaseSource::kFile, u"SOURCE_21.TXT", u"Открыть ");
  for (int i = 1; i <= kMenuFileEntries; ++i) {
    const auto& e = m.files[i - 1];
    EXPECT_TRUE(e.visible && e.enabled) << i;
    EXPECT_FALSE(e.checked) << i;  // the current base is beyond the menu
  }
  EXPECT_EQ(m.files[19].caption, u"source_20.txt");
}

TEST(MainMenu, FileCheckMarkIgnoresCaseAndBuiltinsWin) {
  const Catalogue c = Numbered(3);
  MainMenuState m = BuildMainMenuState(c, BaseSource::kFile, u"Source_02.TXT", u"Открыть ");
  EXPECT_FALSE(m.files[0].checked);
  EXPECT_TRUE(m.files[1].checked);
  EXPECT_FALSE(m.builtinChecked[0] || m.builtinChecked[1] || m.builtinChecked[2]);
  EXPECT_TRUE(m.fileCommandsEnabled);
  EXPECT_EQ(m.openCaption, u"Открыть \"Source_02.TXT\"");

  for (int kind : {1, 2}) {
    m = BuildMainMenuState(c, static_cast<BaseSource>(kind), u"source_02.txt",
                           u"Открыть \"source_01.txt\"");
    EXPECT_EQ(m.builtinChecked[0], kind == 1);
    EXPECT_EQ(m.builtinChecked[1], kind == 2);
    EXPECT_FALSE(m.builtinChecked[2]);
    EXPECT_FALSE(m.files[1].checked);  // no file entry while a built-in base is loaded
    EXPECT_FALSE(m.fileCommandsEnabled);
    EXPECT_EQ(m.openCaption, u"Открыть \"source_02.txt\"");
  }
}

TEST(MainMenu, EmptyCatalogueGreysFirstEntryAndHidesOthers) {
  const MainMenuState m =
      BuildMainMenuState(Catalogue(), BaseSource::kTrash, u"[VM: треш]", u"Открыть \"x\"");
  EXPECT_TRUE(m.files[0].visible);
  EXPECT_FALSE(m.files[0].enabled);
  for (const auto& e : m.files) {
    EXPECT_EQ(e.caption, u"");
    EXPECT_FALSE(e.checked);
  }
  EXPECT_TRUE(std::none_of(m.files + 1, m.files + kMenuFileEntries,
                           [](const MainMenuState::Entry& e) { return e.visible; }));
  EXPECT_EQ(m.openCaption, u"Открыть \"[VM: треш]\"");
  // A caption without a blank keeps nothing of its own.
  EXPECT_EQ(BuildMainMenuState(Catalogue(), BaseSource::kFile, u"b", u"Open").openCaption,
            u"\"b\"");
}

}  // namespace
}  // namespace vm
