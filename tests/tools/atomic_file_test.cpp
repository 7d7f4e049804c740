// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/atomic_file.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fstream>
#include <iterator>

namespace vm {
namespace {

namespace fs = std::filesystem;

class AtomicFile : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::temp_directory_path() /
              ("vm_atomic_" + std::to_string(::getpid()) + "_" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(folder_);
    fs::create_directories(folder_);
  }
  void TearDown() override {
    fs::permissions(folder_, fs::perms::owner_all, fs::perm_options::add);
    fs::remove_all(folder_);
  }
  static std::string Slurp(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }
  static void Put(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
  }
  // Everything in the folder; a left-over temporary file shows up here.
  int EntryCount() const {
    return static_cast<int>(
        std::distance(fs::directory_iterator(folder_), fs::directory_iterator()));
  }
  fs::path folder_;
};

TEST_F(AtomicFile, WritesExactBytesAndReplacesLongerFile) {
  const fs::path target = folder_ / "source_x.txt";
  std::string error;
  const std::string first("A\0B\r\n\xCF\xF0", 7);
  ASSERT_TRUE(WriteFileAtomically(target, first, error)) << error;
  EXPECT_EQ(Slurp(target), first);
  ASSERT_TRUE(WriteFileAtomically(target, "xy", error)) << error;
  EXPECT_EQ(Slurp(target), "xy");  // no tail of the longer file
  ASSERT_TRUE(WriteFileAtomically(target, "", error)) << error;
  EXPECT_EQ(fs::file_size(target), 0U);
  EXPECT_EQ(EntryCount(), 1);
}

TEST_F(AtomicFile, KeepsPermissionsOfReplacedFile) {
  const fs::path target = folder_ / "verbalomatic.cfg";
  Put(target, "old");
  fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  std::string error;
  ASSERT_TRUE(WriteFileAtomically(target, "new", error)) << error;
  EXPECT_EQ(fs::status(target).permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

TEST_F(AtomicFile, TargetThatIsAFolderFailsAndStays) {
  const fs::path target = folder_ / "base.txt";
  fs::create_directory(target);
  Put(target / "inside", "keep");
  std::string error;
  EXPECT_FALSE(WriteFileAtomically(target, "data", error));
  EXPECT_FALSE(error.empty());
  EXPECT_EQ(Slurp(target / "inside"), "keep");
  EXPECT_EQ(EntryCount(), 1);  // the temporary file is gone
}

TEST_F(AtomicFile, MissingFolderFails) {
  std::string error;
  EXPECT_FALSE(WriteFileAtomically(folder_ / "nowhere" / "f.txt", "data", error));
  EXPECT_EQ(error, std::strerror(ENOENT));
}

TEST_F(AtomicFile, ReadOnlyFolderLeavesOldFile) {
  if (::geteuid() == 0) GTEST_SKIP() << "root writes into read-only folders";
  const fs::path target = folder_ / "source_x.txt";
  Put(target, "old content");
  fs::permissions(folder_,
                  fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                  fs::perm_options::remove);
  std::string error;
  EXPECT_FALSE(WriteFileAtomically(target, "new", error));
  EXPECT_EQ(error, std::strerror(EACCES));
  EXPECT_EQ(Slurp(target), "old content");
  EXPECT_EQ(EntryCount(), 1);
}

// A write that fails half-way (here: over the file size limit) keeps the old file.
TEST_F(AtomicFile, FailedWriteLeavesOldFile) {
  const fs::path target = folder_ / "source_x.txt";
  Put(target, "old");
  rlimit saved{};
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
  rlimit small = saved;
  small.rlim_cur = 4;
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
  const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
  std::string error;
  const bool ok = WriteFileAtomically(target, "longer than four bytes", error);
  std::signal(SIGXFSZ, previousHandler);
  ::setrlimit(RLIMIT_FSIZE, &saved);
  EXPECT_FALSE(ok);
  EXPECT_EQ(error, std::strerror(EFBIG));
  EXPECT_EQ(Slurp(target), "old");
  EXPECT_EQ(EntryCount(), 1);
}

TEST_F(AtomicFile, NameAtTheLengthLimit) {
  const fs::path target = folder_ / std::string(255, 'n');
  std::string error;
  ASSERT_TRUE(WriteFileAtomically(target, "ok", error)) << error;
  EXPECT_EQ(Slurp(target), "ok");
}

TEST_F(AtomicFile, ReadsPrefixOfRegularFilesOnly) {
  const fs::path file = folder_ / "book.txt";
  Put(file, "0123456789");
  std::string bytes, error;
  ASSERT_TRUE(ReadRegularFile(file, 4, bytes, error)) << error;
  EXPECT_EQ(bytes, "0123");
  ASSERT_TRUE(ReadRegularFile(file, 100, bytes, error)) << error;
  EXPECT_EQ(bytes, "0123456789");
  // Never past the size at the open: this file says 0 and has more to give.
  ASSERT_TRUE(ReadRegularFile("/proc/self/status", 100, bytes, error)) << error;
  EXPECT_EQ(bytes, "");

  bytes = "untouched";
  EXPECT_FALSE(ReadRegularFile(folder_, 100, bytes, error));
  EXPECT_FALSE(ReadRegularFile(folder_ / "missing.txt", 100, bytes, error));
  EXPECT_EQ(error, std::strerror(ENOENT));
  // A FIFO with no writer would block an ordinary open for reading forever.
  const fs::path fifo = folder_ / "pipe.txt";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  EXPECT_FALSE(ReadRegularFile(fifo, 100, bytes, error));
  EXPECT_EQ(bytes, "untouched");
}

}  // namespace
// What a killed writer left goes at the next write there; a live writer's
// files stay. A new-file write never replaces.
TEST_F(AtomicFile, StaleTemporariesGoAndNewFilesNeverReplace) {
  const std::string own = ".vm-tmp-" + std::to_string(::getpid()) + "-99";
  for (const std::string name : {".vm-tmp-2147483646-0", ".vm-bak-2147483646", own.c_str()})
    Put(folder_ / name, "partial");
  std::string error;
  ASSERT_TRUE(WriteFileAtomically(folder_ / "base.txt", "new", error)) << error;
  EXPECT_FALSE(fs::exists(folder_ / ".vm-tmp-2147483646-0"));
  EXPECT_FALSE(fs::exists(folder_ / ".vm-bak-2147483646"));
  EXPECT_TRUE(fs::exists(folder_ / own));
  EXPECT_EQ(WriteFileAtomicallyAsNew(folder_ / "base.txt", "other", error),
            platform::Created::kExists);
  EXPECT_EQ(WriteFileAtomicallyAsNew(folder_ / "fresh.txt", "made", error),
            platform::Created::kDone);
  EXPECT_EQ(Slurp(folder_ / "base.txt"), "new");
  EXPECT_EQ(Slurp(folder_ / "fresh.txt"), "made");
}

}  // namespace vm
