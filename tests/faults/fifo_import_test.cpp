// SPDX-License-Identifier: GPL-3.0-or-later
// Dropped files that are no regular files: the import skips them at once.
// Opening a FIFO for reading would wait for a writer, so a regression shows
// as a hang that the test's timeout ends.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <iostream>
#include <sstream>

#include "app/program.h"
#include "cli/cli.h"
#include "fake_shell.h"
#include "temp_folder.h"

namespace vm {
namespace {

namespace fs = std::filesystem;
using test::FakeShell;
using test::TempFolder;

TEST(FifoImport, SkipsTheFifoAndImportsTheRest) {
  TempFolder sources, into;
  const fs::path fifo = sources / "pipe.txt";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  const fs::path text = sources.Write("story.txt", "once upon a time\r\nthe end");

  FakeShell shell;
  shell.answers = {true};
  Program program(shell, into.path());
  const auto report = program.ImportFiles({fifo, text});
  EXPECT_EQ(report.imported, 1);
  ASSERT_EQ(report.skipped.size(), 1U);
  EXPECT_EQ(report.skipped[0].first, fifo);
  EXPECT_EQ(report.skipped[0].second, "не обычный файл");
  EXPECT_FALSE(fs::exists(into / "source_pipe.txt"));
  EXPECT_TRUE(fs::exists(into / "source_story.txt"));
  EXPECT_EQ(shell.shown, u"Импорт файлов завершен");
  EXPECT_FALSE(program.Busy());
}

TEST(FifoImport, CliNamesTheSkippedFifo) {
  TempFolder sources, into;
  const fs::path fifo = sources / "pipe";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  std::ostringstream out, err;
  EXPECT_EQ(RunCli({"import", "--into", into.path().string(), fifo.string()}, std::cin, out, err),
            1);
  EXPECT_NE(err.str().find("skipped '" + fifo.string() + "'"), std::string::npos) << err.str();
  EXPECT_TRUE(fs::is_empty(into.path()));
}

}  // namespace
}  // namespace vm
