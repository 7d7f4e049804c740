// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "app/program.h"
#include "fake_shell.h"
#include "platform/platform.h"
#include "temp_folder.h"
#include "text/cp1251.h"
#include "text/strings.h"
#include "tools/atomic_file.h"
#include "tools/trash.h"

namespace vm {
namespace {

using test::FakeShell;
using test::TempFolder;

class Tools : public ::testing::Test {
 protected:
  std::filesystem::path Base(std::u16string_view text, const char* name = "source_b.txt") {
    const auto path = folder.Write(name, EncodeCp1251(text));
    program.SetBaseName(FromUtf8(name));
    program.SkipAboutOnFirstLoad();
    return path;
  }
  std::u16string FileText(const std::filesystem::path& path) {
    return DecodeCp1251(TempFolder::Read(path));
  }

  FakeShell shell;
  TempFolder folder;
  Program program{shell, folder.path()};
};

TEST_F(Tools, FormatterReportsAndWritesUpperCaseWithoutFinalBreak) {
  const auto path = Base(u"привет, мир!");
  shell.answers = {true};
  EXPECT_EQ(program.FormatBase(), Program::FormatOutcome::kWritten);
  EXPECT_EQ(shell.questions, std::vector<std::u16string>{u"Перезаписать source_b.txt?"});
  EXPECT_EQ(shell.shown, u"* Очистка завершена:\r\n -2 символов.\r\nsource_b.txt обновлен.");
  EXPECT_EQ(FileText(path), u"ПРИВЕТ МИР");
  ASSERT_EQ(shell.trashed.size(), 1U);
  EXPECT_EQ(program.Base().lines, std::vector<std::u16string_view>{u"ПРИВЕТ МИР"});
  EXPECT_FALSE(program.Busy());
}

// A kill at any moment leaves a whole base: while the old content goes to
// the trash, the base file still holds it, and the new content waits beside
// it with the base's permissions.
TEST_F(Tools, TheBaseFileNeverGoesMissingAndKeepsItsMode) {
  const std::string original = EncodeCp1251(u"старое, содержимое");
  const auto path = folder.Write("source_b.txt", original);
  std::filesystem::permissions(
      path, std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
  program.SetBaseName(u"source_b.txt");
  shell.answers = {true};
  shell.onTrash = [&](const std::filesystem::path& trashed) {
    EXPECT_EQ(trashed, path);
    EXPECT_EQ(TempFolder::Read(path), original);
  };
  EXPECT_EQ(program.FormatBase(), Program::FormatOutcome::kWritten);
  EXPECT_EQ(shell.trashed.size(), 1U);
  EXPECT_EQ(FileText(path), u"СТАРОЕ СОДЕРЖИМОЕ");
  EXPECT_EQ(std::filesystem::status(path).permissions(),
            std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()),
                          std::filesystem::directory_iterator()),
            1);
}

// The trash records the base under its own name and place, and holds its
// old content while the base file takes the new one.
TEST(Trash, LinksTheFileUnderItsOwnNameAndPlace) {
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

// Temporary and backup names fit whatever name the base has; a backup that
// cannot be named stops the formatter with the reason, the base untouched.
TEST_F(Tools, LongBaseNamesFormatOrSayWhyNot) {
  for (const std::size_t length : {240, 251, 253}) {
    const std::string name = "source_" + std::string(length - 11, 'x') + ".txt";
    const auto path = Base(u"а, б", name.c_str());
    shell.answers = {true};
    shell.trashSucceeds = length == 240;
    const auto outcome = program.FormatBase();
    EXPECT_EQ(outcome, length < 253 ? Program::FormatOutcome::kWritten
                                    : Program::FormatOutcome::kWriteFailed)
        << length;
    EXPECT_EQ(FileText(path), length < 253 ? u"А Б" : u"а, б") << length;
  }
}

TEST_F(Tools, FormatterDropsRepeatsAndKeepsOrder) {
  const auto path = Base(u"А\r\nБ\r\nА\r\nБ\r\nВ");
  shell.answers = {true};
  program.FormatBase();
  EXPECT_TRUE(StartsWith(shell.shown, u"* Очистка завершена:\r\n -2 строки."));
  EXPECT_EQ(FileText(path), u"А\r\nБ\r\nВ");
}

TEST_F(Tools, AnsweringNoLeavesTheFileByteForByte) {
  const std::string original = EncodeCp1251(u"да!!! нет...\r\nну\r\nну");
  const auto path = folder.Write("source_b.txt", original);
  program.SetBaseName(u"source_b.txt");
  shell.answers = {false};
  EXPECT_EQ(program.FormatBase(), Program::FormatOutcome::kDeclined);
  EXPECT_EQ(TempFolder::Read(path), original);
  EXPECT_TRUE(shell.trashed.empty());
  // The reload brings back the file's lines.
  EXPECT_EQ(program.Base().lines[0], u"ДА!!! НЕТ...");
}

TEST_F(Tools, NothingToCleanAsksNothing) {
  Base(u"ЧИСТАЯ СТРОКА\r\nДРУГАЯ");
  EXPECT_EQ(program.FormatBase(), Program::FormatOutcome::kUnchanged);
  EXPECT_EQ(shell.shown, u"* Очистка завершена. Ничего лишнего не найдено.");
  EXPECT_TRUE(shell.questions.empty());
}

TEST_F(Tools, EmptyBaseCannotBeFormatted) {
  Base(u"");
  EXPECT_EQ(program.FormatBase(), Program::FormatOutcome::kEmptyBase);
  EXPECT_EQ(shell.shown, u"source_b.txt пуст. Нет пути форматировать.");
}

// While another formatter has the base, a second one says so and leaves it.
TEST_F(Tools, OneFormatterAtATimePerBase) {
  const auto path = Base(u"а, б");
  platform::FileLock other;
  std::string error;
  ASSERT_TRUE(other.TryLock(FormatterLockPath(path), error)) << error;
  shell.answers = {true};
  EXPECT_EQ(program.FormatBase(), Program::FormatOutcome::kBaseBusy);
  EXPECT_EQ(shell.shown, u"source_b.txt занят: его уже форматирует другая программа.");
  EXPECT_EQ(FileText(path), u"а, б");
  other.Unlock();
  EXPECT_EQ(program.FormatBase(), Program::FormatOutcome::kWritten);
}

// Without a trash the old content stays beside the base as its backup.
TEST_F(Tools, WithoutATrashTheOldBaseBecomesItsBackup) {
  const std::string original = EncodeCp1251(u"старое, содержимое");
  const auto path = folder.Write("source_b.txt", original);
  program.SetBaseName(u"source_b.txt");
  shell.answers = {true};
  shell.trashSucceeds = false;
  EXPECT_EQ(program.FormatBase(), Program::FormatOutcome::kWritten);
  EXPECT_EQ(FileText(path), u"СТАРОЕ СОДЕРЖИМОЕ");
  EXPECT_EQ(TempFolder::Read(folder / "source_b.txt.bak"), original);
  EXPECT_TRUE(EndsWith(shell.shown,
                       u"\r\nКорзина: trash refused. Старая версия сохранена как "
                       u"source_b.txt.bak."))
      << ToUtf8(shell.shown);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()),
                          std::filesystem::directory_iterator()),
            2);  // no temporary file left behind
}

TEST_F(Tools, ImportCreatesBasesAndSkipsWhatItMust) {
  TempFolder sources;
  const auto book = sources.Write("Book.TXT", "one two\r\nthree");
  const auto notes = sources.Write("notes.doc", "x");
  const auto binary = sources.Write("app.bin", std::string("MZ\0\0x", 5));
  const auto fifo = sources / "pipe";
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  shell.answers = {true};
  auto report =
      program.ImportFiles({book, notes, sources / "missing.txt", fifo, sources.path(), binary});
  EXPECT_EQ(shell.questions.back(), u"Импортировать полученные файлы? (6)");
  EXPECT_EQ(report.imported, 2);
  EXPECT_EQ(report.skipped.size(), 4U);
  EXPECT_FALSE(std::filesystem::exists(folder / "source_app.bin.txt"));
  EXPECT_EQ(TempFolder::Read(folder / "source_book.txt"), "ONE TWO\r\nTHREE");
  EXPECT_TRUE(std::filesystem::exists(folder / "source_notes.doc.txt"));
  EXPECT_EQ(shell.shown, u"Импорт файлов завершен");
  EXPECT_FALSE(program.Busy());

  // An existing base is never overwritten.
  sources.Write("Book.TXT", "changed");
  shell.answers = {true};
  report = program.ImportFiles({book});
  EXPECT_EQ(report.imported, 0);
  EXPECT_EQ(TempFolder::Read(folder / "source_book.txt"), "ONE TWO\r\nTHREE");

  // Declining writes nothing and leaves the program usable.
  shell.answers = {false};
  report = program.ImportFiles({sources.Write("new.txt", "abc")});
  EXPECT_FALSE(std::filesystem::exists(folder / "source_new.txt"));
  EXPECT_FALSE(program.Busy());
}

TEST_F(Tools, JournalAppendsRecordsAndReportsErrors) {
  shell.shown = u"текст";
  program.SaveToJournal();
  program.SaveToJournal();
  const std::string journal = TempFolder::Read(program.JournalPath());
  const std::string rule = ToUtf8(std::u16string(16, u'—'));
  const std::string body = ToUtf8(u"текст");
  ASSERT_EQ(journal.size(), 2 * (48 + 2 + 19 + 2 + 48 + 2 + body.size() + 4));
  EXPECT_EQ(journal.substr(0, rule.size() + 2), rule + "# ");
  EXPECT_NE(journal.find(body + "\r\n\r\n" + rule), std::string::npos);

  FakeShell other;
  Program homeless(other, folder / "no-such-folder");
  homeless.SaveToJournal();
  EXPECT_TRUE(StartsWith(other.shown, u"Ошибка сохранения: \r\n")) << ToUtf8(other.shown);
}

TEST_F(Tools, MainMenuListsBaseFilesAndChoosesThem) {
  folder.Write("Source_Poems.TXT", "СТИХ");
  folder.Write("poems.txt", "X");
  std::filesystem::create_directory(folder / "source_dir.txt");
  program.SetBaseName(u"");
  program.SkipAboutOnFirstLoad();
  program.LoadBase();
  auto menu = program.PrepareMainMenu(u"Открыть ");
  EXPECT_EQ(menu.files[0].caption, u"source_poems.txt");
  EXPECT_TRUE(menu.files[0].visible);
  EXPECT_FALSE(menu.files[1].visible);
  EXPECT_FALSE(menu.fileCommandsEnabled);
  program.ChooseCatalogueEntry(1);
  EXPECT_EQ(program.BaseName(), u"source_poems.txt");
  EXPECT_EQ(program.Base().lines, std::vector<std::u16string_view>{u"СТИХ"});
  menu = program.PrepareMainMenu(u"Открыть \"x\"");
  EXPECT_EQ(menu.openCaption, u"Открыть \"source_poems.txt\"");
  EXPECT_TRUE(menu.files[0].checked);
  EXPECT_TRUE(menu.fileCommandsEnabled);
  program.ChooseBuiltin(1);
  EXPECT_EQ(program.BaseKind(), BaseSource::kStandard);
}

}  // namespace
}  // namespace vm
