// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/catalogue.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "temp_folder.h"
#include "text/cp1251.h"

namespace vm {
namespace {

using Names = std::vector<std::u16string>;
using test::TempFolder;

Names Entries(const Catalogue& c) {
  Names names;
  for (int i = 1; i <= c.Count(); ++i) names.push_back(c.Entry(i));
  return names;
}

// Only regular files named source_*.txt in any case, lower-cased, in the
// order of their names; names in UTF-8 or Windows-1251 bytes.
TEST(Catalogue, ListsBaseFilesByNameAndClears) {
  TempFolder folder;
  for (const char* name : {"source_b.txt", "Source_C.txt", "source_a.txt", "SOURCE_Б.TXT",
                           "source_.txt", "source_\xCA\xCD\xC8\xC3\xC0.TXT", "source.txt",
                           "poems.txt", "source_poems.txt.bak", "source_txt", "xsource_a.txt"})
    folder.Write(name, "X");
  std::filesystem::create_directory(folder / "source_x.txt");
  Catalogue c;
  c.ScanFolder(folder.path());
  EXPECT_EQ(Entries(c), (Names{u"source_.txt", u"source_a.txt", u"source_b.txt", u"source_c.txt",
                               u"source_б.txt", u"source_книга.txt"}));
  EXPECT_EQ(c.Entry(7), u"");
  c.Clear();
  c.ScanFolder(folder / "missing");
  EXPECT_EQ(c.Count(), 0);
}

TEST(Catalogue, ResolvesBaseNamesIgnoringCaseButNeverOutsideTheFolder) {
  TempFolder folder;
  folder.Write("Source_Poems.TXT", "X");
  folder.Write("source_\xCA\xCD\xC8\xC3\xC0.txt", "X");
  EXPECT_EQ(ResolveBaseFile(folder.path(), u"source_poems.txt"), folder / "Source_Poems.TXT");
  EXPECT_EQ(ResolveBaseFile(folder.path(), u"source_книга.txt"),
            folder / "source_\xCA\xCD\xC8\xC3\xC0.txt");
  folder.Write("source_poems.txt", "X");
  EXPECT_EQ(ResolveBaseFile(folder.path(), u"source_poems.txt"), folder / "source_poems.txt");
  EXPECT_EQ(ResolveBaseFile(folder.path(), u"source_none.txt"), folder / "source_none.txt");
  for (const char16_t* name : {u"", u".", u"..", u"../source_poems.txt", u"/etc/passwd", u"a/b"})
    EXPECT_EQ(ResolveBaseFile(folder / "sub", name), std::filesystem::path()) << ToUtf8(name);
}

TEST(MainMenu, FilesCheckMarksAndOpenCaption) {
  TempFolder folder;
  for (int i = 1; i <= 25; ++i)
    folder.Write((i < 10 ? "source_0" : "source_") + std::to_string(i) + ".txt", "");
  Catalogue c;
  c.ScanFolder(folder.path());
  // Twenty of twenty-five files; the current one may lie beyond them.
  MainMenuState m = BuildMainMenuState(c, BaseSource::kFile, u"SOURCE_21.TXT", u"Открыть ");
  EXPECT_TRUE(std::all_of(m.files, m.files + kMenuFileEntries,
                          [](const auto& e) { return e.visible && e.enabled && !e.checked; }));
  EXPECT_EQ(m.files[19].caption, u"source_20.txt");
  m = BuildMainMenuState(c, BaseSource::kFile, u"Source_02.TXT", u"Открыть ");
  EXPECT_TRUE(m.files[1].checked && !m.files[0].checked && m.fileCommandsEnabled);
  EXPECT_FALSE(m.builtinChecked[0] || m.builtinChecked[1] || m.builtinChecked[2]);
  EXPECT_EQ(m.openCaption, u"Открыть \"Source_02.TXT\"");
  // A built-in base wins over a file of the same name and greys the file commands.
  for (const BaseSource kind : {BaseSource::kStandard, BaseSource::kTrash}) {
    m = BuildMainMenuState(c, kind, u"source_02.txt", u"Открыть \"source_01.txt\"");
    EXPECT_EQ(m.builtinChecked[0], kind == BaseSource::kStandard);
    EXPECT_EQ(m.builtinChecked[1], kind == BaseSource::kTrash);
    EXPECT_FALSE(m.builtinChecked[2] || m.files[1].checked || m.fileCommandsEnabled);
    EXPECT_EQ(m.openCaption, u"Открыть \"source_02.txt\"");
  }
  // An empty catalogue: the first entry grey and blank, the others hidden.
  m = BuildMainMenuState(Catalogue(), BaseSource::kTrash, u"[VM: треш]", u"Открыть \"x\"");
  EXPECT_TRUE(m.files[0].visible && !m.files[0].enabled);
  EXPECT_TRUE(std::all_of(m.files, m.files + kMenuFileEntries, [&](const auto& e) {
    return e.caption.empty() && !e.checked && (&e == m.files || !e.visible);
  }));
  EXPECT_EQ(m.openCaption, u"Открыть \"[VM: треш]\"");
  // A caption without a blank keeps nothing of its own.
  EXPECT_EQ(BuildMainMenuState(Catalogue(), BaseSource::kFile, u"b", u"Open").openCaption,
            u"\"b\"");
}

}  // namespace
}  // namespace vm
