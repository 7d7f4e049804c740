// SPDX-License-Identifier: GPL-3.0-or-later
// The files the desktop keeps beside the bases: the trash and the journal.
#include <gtest/gtest.h>

#include <optional>

#include "temp_folder.h"
#include "text/cp1251.h"
#include "text/strings.h"
#include "tools/atomic_file.h"
#include "tools/journal_record.h"
#include "tools/trash.h"

namespace vm {
namespace {

using test::TempFolder;

// The trash records the base under its own name and place, and holds its
// old content while the base file takes the new one.
TEST(DesktopFiles, TheTrashLinksTheFileUnderItsOwnNameAndPlace) {
  TempFolder folder;
  const auto path = folder.Write("source_b.txt", "old");
  const auto trash = folder / "data/Trash";  // the data home may not exist yet
  std::string error;
  ASSERT_TRUE(LinkIntoTrash(path, trash, error)) << error;
  ASSERT_TRUE(LinkIntoTrash(path, trash, error)) << error;
  ASSERT_TRUE(WriteFileAtomically(path, "new", error)) << error;
  EXPECT_EQ(TempFolder::Read(trash / "files/source_b.txt"), "old");
  EXPECT_TRUE(std::filesystem::exists(trash / "files/source_b.txt.2"));
  const std::string info = TempFolder::Read(trash / "info/source_b.txt.trashinfo");
  EXPECT_TRUE(StartsWith(FromUtf8(info),
                         u"[Trash Info]\nPath=" + FromUtf8(path.string()) + u"\nDeletionDate="))
      << info;
  // A name at the length limit still goes in, cut to fit beside ".trashinfo".
  const auto longest = folder.Write("source_" + std::string(244, 'x') + ".txt", "long");
  ASSERT_TRUE(LinkIntoTrash(longest, trash, error)) << error;
}

// A new journal is UTF-8; one that already holds Windows-1251 stays so.
TEST(DesktopFiles, TheJournalIsUtf8UnlessItAlreadyHoldsWindows1251) {
  std::tm local{};
  const auto record = [&](JournalEncoding encoding) {
    return JournalRecord(u"кот", local, encoding);
  };
  const std::string cp1251 = record(JournalEncoding::kWindows1251);
  const std::string utf8 = record(JournalEncoding::kUtf8);
  EXPECT_EQ(utf8.substr(0, 50), ToUtf8(std::u16string(16, u'—')) + "# ");
  EXPECT_EQ(FromUtf8(utf8), DecodeCp1251(cp1251));
  // The existing journal's first bytes, and what the next record must be.
  const struct {
    std::optional<std::string> existing;
    std::string next;
  } cases[] = {
      {std::nullopt, utf8},
      {"", utf8},
      {"my notes\n", utf8},
      {utf8, utf8},
      {cp1251, cp1251},
      {std::string(4095, 'x') + ToUtf8(u"—"), utf8},    // the look ends inside a letter
      {std::string(4094, 'x') + "\xD0\xB6\x97", utf8},  // the look ends before 0x97
      {"x\x97", cp1251},
  };
  for (const auto& c : cases) {
    TempFolder folder;
    const auto path = folder / "+out.txt";
    if (c.existing) folder.Write("+out.txt", *c.existing);
    EXPECT_EQ(record(JournalEncodingOf(path)), c.next) << c.existing.value_or("(none)");
  }
}

}  // namespace
}  // namespace vm
