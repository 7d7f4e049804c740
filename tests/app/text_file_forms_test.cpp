// SPDX-License-Identifier: GPL-3.0-or-later
// Text files as Linux editors write them (LF line ends, UTF-8) in the
// loader, the import, the formatter and the journal; Windows-1251 CR LF files
// as before.
#include <gtest/gtest.h>

#include <optional>

#include "app/program.h"
#include "fake_shell.h"
#include "temp_folder.h"
#include "text/cp1251.h"
#include "text/strings.h"
#include "tools/import_text.h"
#include "tools/journal_record.h"

namespace vm {
namespace {

using test::FakeShell;
using test::TempFolder;
using Lines = std::vector<std::u16string_view>;

struct Desk {
  FakeShell shell;
  TempFolder folder;
  Program program{shell, folder.path()};

  std::filesystem::path Load(std::string_view bytes) {
    const auto path = folder.Write("source_b.txt", bytes);
    program.SetBaseName(u"source_b.txt");
    program.SkipAboutOnFirstLoad();
    program.LoadBase();
    return path;
  }
};

TEST(TextFileForms, LinesAreSplitAtLfWhenTheFileHoldsNoCr) {
  const struct {
    std::string bytes;
    Lines lines;
  } cases[] = {
      {ToUtf8(u"раз\nдва\nтри\nчетыре\nпять\n"), {u"РАЗ", u"ДВА", u"ТРИ", u"ЧЕТЫРЕ", u"ПЯТЬ"}},
      {"A\nB", {u"A", u"B"}},
      {"A\n\nB\n\n", {u"A", u"", u"B", u""}},
      {"\n", {u""}},
      {"AB", {u"AB"}},
      // A CR anywhere: CR LF alone splits, a final one gives an empty line.
      {"A\nB\r\nC", {u"A\nB", u"C"}},
      {"A\r\nB\r\n", {u"A", u"B", u""}},
      {"A\n\rB\n", {u"A", u"B\n"}},
  };
  for (const auto& c : cases) {
    Desk desk;
    desk.Load(c.bytes);
    EXPECT_EQ(desk.program.Base().lines, c.lines) << c.bytes;
    EXPECT_EQ(desk.program.Base().keys.size(), c.lines.size());
    EXPECT_EQ(Split(desk.shell.shown, kCrLf)[4], Decimal(static_cast<std::int64_t>(c.lines.size())))
        << c.bytes;
  }
}

TEST(TextFileForms, TheFormatterWritesBackTheFormItRead) {
  const std::string bom = "\xEF\xBB\xBF";
  const struct {
    std::string before;
    std::string after;
  } cases[] = {
      {ToUtf8(u"кот!\nмир\nмир\n"), ToUtf8(u"КОТ\nМИР\n")},
      {ToUtf8(u"кот!\nмир"), ToUtf8(u"КОТ\nМИР")},
      {bom + ToUtf8(u"кот!\r\nмир\r\n"), bom + ToUtf8(u"КОТ\r\nМИР")},
      {EncodeCp1251(u"кот!\r\nмир"), EncodeCp1251(u"КОТ\r\nМИР")},
      {EncodeCp1251(u"кот!\nмир\n"), EncodeCp1251(u"КОТ\nМИР\n")},
  };
  for (const auto& c : cases) {
    Desk desk;
    const auto path = desk.Load(c.before);
    desk.shell.answers = {true};
    EXPECT_EQ(desk.program.FormatBase(), Program::FormatOutcome::kWritten) << c.before;
    EXPECT_EQ(TempFolder::Read(path), c.after) << c.before;
    EXPECT_EQ(desk.program.Base().lines, (Lines{u"КОТ", u"МИР"}));
  }
}

TEST(TextFileForms, TheJournalIsUtf8UnlessItAlreadyHoldsWindows1251) {
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

TEST(TextFileForms, TheWindowSavesItsFirstJournalRecordInUtf8) {
  Desk desk;
  desk.shell.shown = u"Привет — мир";
  desk.program.SaveToJournal();
  const std::string journal = TempFolder::Read(desk.program.JournalPath());
  EXPECT_TRUE(LooksLikeUtf8(journal));
  EXPECT_NE(journal.find(ToUtf8(u"#" + std::u16string(16, u'—') + u"\r\nПривет — мир\r\n\r\n")),
            std::string::npos);
}

TEST(TextFileForms, AnLfSourceIsImportedAsItsCrLfTwin) {
  const std::u16string lf = u"Заголовок\nа\nб\nвгд\nконец";
  std::u16string crLf = lf;
  ReplaceAll(crLf, u"\n", kCrLf);
  RandomSource first(5);
  RandomSource second(5);
  const std::u16string base = PrepareImportedBase(first, lf, {});
  EXPECT_EQ(base, u"ЗАГОЛОВОК\r\nА\r\nБ\r\nВГД\r\nКОНЕЦ");
  EXPECT_EQ(base, PrepareImportedBase(second, crLf, {}));
}

}  // namespace
}  // namespace vm
