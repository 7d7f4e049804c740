// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/atomic_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "temp_folder.h"

namespace vm {
namespace {

namespace fs = std::filesystem;
using test::TempFolder;

// Everything in the folder; a left-over temporary file shows up here.
int EntryCount(const TempFolder& folder) {
  return static_cast<int>(
      std::distance(fs::directory_iterator(folder.path()), fs::directory_iterator()));
}

TEST(AtomicFile, WritesExactBytesKeepsThePermissionsAndLeavesNothingBehind) {
  TempFolder folder;
  const fs::path target = folder / std::string(255, 'n');  // a name at the length limit
  std::string error;
  const std::string first("A\0B\r\n\xCF\xF0", 7);
  ASSERT_TRUE(WriteFileAtomically(target, first, error)) << error;
  EXPECT_EQ(TempFolder::Read(target), first);
  const auto mode = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
  fs::permissions(target, mode);
  ASSERT_TRUE(WriteFileAtomically(target, "xy", error)) << error;
  EXPECT_EQ(TempFolder::Read(target), "xy");  // no tail of the longer file
  EXPECT_EQ(fs::status(target).permissions() & fs::perms::all, mode);
  ASSERT_TRUE(WriteFileAtomically(target, "", error)) << error;
  EXPECT_EQ(fs::file_size(target), 0U);
  EXPECT_EQ(EntryCount(folder), 1);
}

// Every failure names its cause, keeps the old file and leaves no temporary file.
TEST(AtomicFile, FailuresKeepTheOldFile) {
  TempFolder folder;
  std::string error;
  fs::create_directory(folder / "base.txt");
  folder.Write("base.txt/inside", "keep");
  EXPECT_FALSE(WriteFileAtomically(folder / "base.txt", "data", error));
  EXPECT_FALSE(error.empty());
  EXPECT_EQ(TempFolder::Read(folder / "base.txt/inside"), "keep");
  EXPECT_FALSE(WriteFileAtomically(folder / "nowhere" / "f.txt", "data", error));
  EXPECT_EQ(error, std::strerror(ENOENT));
  // A write that fails half-way: tests/faults/full_disk_test.cpp.
  if (::geteuid() == 0) return;  // root writes into read-only folders
  const fs::path target = folder.Write("source_x.txt", "old");
  fs::permissions(folder.path(),
                  fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                  fs::perm_options::remove);
  EXPECT_FALSE(WriteFileAtomically(target, "new", error));
  EXPECT_EQ(error, std::strerror(EACCES));
  EXPECT_EQ(TempFolder::Read(target), "old");
}

// What a killed writer left goes at the next write there; a live writer's
// files stay. A new-file write never replaces.
TEST(AtomicFile, StaleTemporariesGoAndNewFilesNeverReplace) {
  TempFolder folder;
  const std::string own = ".vm-tmp-" + std::to_string(::getpid()) + "-99";
  for (const std::string name : {".vm-tmp-2147483646-0", ".vm-bak-2147483646", own.c_str()})
    folder.Write(name, "partial");
  std::string error;
  ASSERT_TRUE(WriteFileAtomically(folder / "base.txt", "new", error)) << error;
  EXPECT_FALSE(fs::exists(folder / ".vm-tmp-2147483646-0") ||
               fs::exists(folder / ".vm-bak-2147483646"));
  EXPECT_TRUE(fs::exists(folder / own));
  EXPECT_EQ(WriteFileAtomicallyAsNew(folder / "base.txt", "other", error),
            platform::Created::kExists);
  EXPECT_EQ(WriteFileAtomicallyAsNew(folder / "fresh.txt", "made", error),
            platform::Created::kDone);
  EXPECT_EQ(TempFolder::Read(folder / "base.txt"), "new");
  EXPECT_EQ(TempFolder::Read(folder / "fresh.txt"), "made");
}

TEST(AtomicFile, ReadsAPrefixOfRegularFilesOnly) {
  TempFolder folder;
  const fs::path file = folder.Write("book.txt", "0123456789");
  std::string bytes, error;
  ASSERT_TRUE(ReadRegularFile(file, 4, bytes, error)) << error;
  EXPECT_EQ(bytes, "0123");
  ASSERT_TRUE(ReadRegularFile(file, 100, bytes, error)) << error;
  EXPECT_EQ(bytes, "0123456789");
  // Never past the size at the open: this file says 0 and has more to give.
  ASSERT_TRUE(ReadRegularFile("/proc/self/status", 100, bytes, error)) << error;
  EXPECT_EQ(bytes, "");
  bytes = "untouched";
  EXPECT_FALSE(ReadRegularFile(folder.path(), 100, bytes, error));
  EXPECT_FALSE(ReadRegularFile(folder / "missing.txt", 100, bytes, error));
  EXPECT_EQ(error, std::strerror(ENOENT));
  // A FIFO with no writer would block an ordinary open for reading forever.
  ASSERT_EQ(::mkfifo((folder / "pipe.txt").c_str(), 0600), 0);
  EXPECT_FALSE(ReadRegularFile(folder / "pipe.txt", 100, bytes, error));
  EXPECT_EQ(bytes, "untouched");
}

}  // namespace
}  // namespace vm
