// SPDX-License-Identifier: GPL-3.0-or-later
// Writes that run out of space on a small tmpfs: the settings file, the
// formatter's output and an import target. The old files must survive
// whole, nothing half-written may appear, and the error must be shown.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <set>
#include <sstream>

#include "app/program.h"
#include "app/settings_record.h"
#include "cli/cli.h"
#include "fake_shell.h"
#include "temp_folder.h"
#include "text/cp1251.h"
#include "text/strings.h"

namespace vm {
namespace {

namespace fs = std::filesystem;
using test::FakeShell;
using test::TempFolder;

constexpr std::size_t kPage = 4096;

class FullDisk : public ::testing::Test {
 protected:
  void SetUp() override {
    disk = outer / "disk";
    fs::create_directory(disk);
    if (::mount("tmpfs", disk.c_str(), "tmpfs", 0, "size=64k") != 0) {
      GTEST_SKIP() << "cannot mount a 64 KiB tmpfs on " << disk << " (" << std::strerror(errno)
                   << "); these tests need root";
    }
    mounted = true;
  }
  void TearDown() override {
    if (mounted) ::umount2(disk.c_str(), MNT_DETACH);
  }

  // Fills the disk, then frees `leave` bytes (whole pages) again.
  void Fill(std::size_t leave = 0) {
    const fs::path filler = disk / "filler";
    const int fd = ::open(filler.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    ASSERT_GE(fd, 0);
    const std::string page(kPage, 'x');
    std::size_t size = 0;
    for (;;) {
      const ssize_t n = ::write(fd, page.data(), page.size());
      if (n <= 0) break;
      size += static_cast<std::size_t>(n);
    }
    ASSERT_GE(size, leave);
    ASSERT_EQ(::ftruncate(fd, static_cast<off_t>(size - leave)), 0);
    ::close(fd);
  }

  std::set<std::string> Names() const {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(disk)) names.insert(entry.path().filename());
    return names;
  }

  static std::u16string SystemText(int code) { return DecodeTextFile(std::strerror(code)); }

  // Many distinct lines that the formatter changes (commas and marks go).
  static std::string DirtyBase(int lines) {
    std::u16string text;
    for (int i = 0; i < lines; ++i) {
      if (i > 0) text += kCrLf;
      text += u"строка номер " + Decimal(i) + u", вот так!";
    }
    return EncodeCp1251(text);
  }

  TempFolder outer;
  fs::path disk;
  bool mounted = false;
};

TEST_F(FullDisk, SettingsFileKeepsItsOldContent) {
  SettingsRecord old;
  old.optionBytes = {1, 0x82, 0, 0};
  old.baseName = u"source_старая.txt";
  const fs::path path = disk / kSettingsFileName;
  ASSERT_TRUE(WriteSettingsFile(path, old));
  const std::string before = TempFolder::Read(path);
  Fill();

  SettingsRecord fresh = old;
  fresh.prologue = std::u16string(20'000, u'п');
  std::string error;
  EXPECT_FALSE(WriteSettingsFile(path, fresh, &error));
  EXPECT_EQ(FromUtf8(error), SystemText(ENOSPC));
  EXPECT_EQ(TempFolder::Read(path), before);
  EXPECT_EQ(Names(), (std::set<std::string>{kSettingsFileName, "filler"}));
}

// The window's formatter and the command line's: the error shown, the base
// and its folder as they were.
TEST_F(FullDisk, FormattersReportTheErrorAndKeepTheBase) {
  const std::string old = DirtyBase(1500);
  ASSERT_GT(old.size(), 30'000U);
  const fs::path path = outer.Write("disk/source_x.txt", old);
  Fill(3 * kPage);  // room for part of the new content only

  FakeShell shell;
  shell.answers = {true};
  Program program(shell, disk);
  program.SetBaseName(u"source_x.txt");
  program.SkipAboutOnFirstLoad();
  EXPECT_EQ(program.FormatBase(), Program::FormatOutcome::kWriteFailed);
  EXPECT_TRUE(StartsWith(shell.shown, u"* Очистка завершена:"));
  EXPECT_TRUE(EndsWith(shell.shown, u"\r\n! " + SystemText(ENOSPC))) << ToUtf8(shell.shown);
  EXPECT_TRUE(shell.trashed.empty());
  EXPECT_EQ(program.Base().lines.size(), 1500U);

  std::ostringstream out, err;
  EXPECT_EQ(RunCli({"format", "--yes", path.string()}, std::cin, out, err), 1);
  EXPECT_TRUE(out.str().ends_with("\n! " + std::string(std::strerror(ENOSPC)) + "\n")) << out.str();
  EXPECT_EQ(TempFolder::Read(path), old);
  EXPECT_EQ(Names(), (std::set<std::string>{"source_x.txt", "filler"}));
}

TEST_F(FullDisk, ImportLeavesNoHalfWrittenBase) {
  const std::string other = EncodeCp1251(u"ДРУГАЯ БАЗА");
  outer.Write("disk/source_other.txt", other);
  TempFolder sources;
  const fs::path source = sources.Write("book.txt", DirtyBase(3000));
  Fill(2 * kPage);

  FakeShell shell;
  shell.answers = {true};
  Program program(shell, disk);
  const auto report = program.ImportFiles({source});
  EXPECT_EQ(report.imported, 0);
  ASSERT_EQ(report.skipped.size(), 1U);
  EXPECT_EQ(report.skipped[0].second, "ошибка записи: " + std::string(std::strerror(ENOSPC)));
  EXPECT_EQ(shell.shown, u"Импорт файлов завершен");
  EXPECT_EQ(Names(), (std::set<std::string>{"source_other.txt", "filler"}));
  EXPECT_EQ(TempFolder::Read(disk / "source_other.txt"), other);
}

}  // namespace
}  // namespace vm
