// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/journal_record.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>

namespace vm {
namespace {

namespace fs = std::filesystem;

std::tm At(int year, int month, int day, int hour, int minute, int second) {
  std::tm t{};
  t.tm_year = year - 1900;
  t.tm_mon = month - 1;
  t.tm_mday = day;
  t.tm_hour = hour;
  t.tm_min = minute;
  t.tm_sec = second;
  return t;
}

const std::string kRule(16, '\x97');

TEST(JournalRecord, HeaderAndEmptyBody) {
  EXPECT_EQ(JournalRecord(u"", At(2024, 3, 5, 9, 7, 3)),
            kRule + "# 2024/03/05 09:07:03 #" + kRule + "\r\n\r\n\r\n");
  EXPECT_EQ(JournalRecord(u"", At(1999, 12, 31, 23, 59, 59)),
            kRule + "# 1999/12/31 23:59:59 #" + kRule + "\r\n\r\n\r\n");
}

TEST(JournalRecord, BodyIsWindows1251WithQuestionMarks) {
  EXPECT_EQ(JournalRecord(u"Hi, Мир —\r\nä", At(2024, 1, 2, 3, 4, 5)),
            kRule + "# 2024/01/02 03:04:05 #" + kRule + "\r\nHi, \xCC\xE8\xF0 \x97\r\n?\r\n\r\n");
}

class JournalFile : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::temp_directory_path() / ("vm_journal_" + std::to_string(::getpid()));
    fs::remove_all(folder_);
    fs::create_directories(folder_);
  }
  void TearDown() override { fs::remove_all(folder_); }
  fs::path folder_;
};

TEST_F(JournalFile, AppendsRecordsOneAfterAnother) {
  const fs::path path = folder_ / kJournalFileName;
  std::string error;
  const std::string first = JournalRecord(u"ОДИН", At(2024, 3, 5, 9, 7, 3));
  const std::string second = JournalRecord(u"ДВА", At(2024, 3, 5, 9, 8, 0));
  ASSERT_TRUE(AppendJournalRecord(path, first, error)) << error;
  ASSERT_TRUE(AppendJournalRecord(path, second, error)) << error;
  std::ifstream in(path, std::ios::binary);
  const std::string content{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  EXPECT_EQ(content, first + second);
}

TEST_F(JournalFile, FailuresAreDescribed) {
  std::string error;
  EXPECT_FALSE(AppendJournalRecord(folder_ / "missing" / kJournalFileName, "x", error));
  EXPECT_EQ(error, std::strerror(ENOENT));
  error.clear();
  EXPECT_FALSE(AppendJournalRecord(folder_, "x", error));  // a folder
  EXPECT_FALSE(error.empty());
  // A FIFO without a reader must not hang the caller.
  const fs::path fifo = folder_ / "fifo";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  error.clear();
  EXPECT_FALSE(AppendJournalRecord(fifo, "x", error));
  EXPECT_FALSE(error.empty());
}

}  // namespace
}  // namespace vm
