// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/journal_record.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "temp_folder.h"

namespace vm {
namespace {

TEST(JournalRecord, HeaderWithZeroPaddedTimeThenTheBodyInWindows1251) {
  const std::string rule(16, '\x97');
  // Year, month, day, hour, minute, second.
  const auto at = [](int y, int mo, int d, int h, int mi, int s) {
    std::tm t{};
    t.tm_year = y - 1900, t.tm_mon = mo - 1, t.tm_mday = d, t.tm_hour = h, t.tm_min = mi,
    t.tm_sec = s;
    return t;
  };
  const std::tm early = at(2024, 3, 5, 9, 7, 3), late = at(1999, 12, 31, 23, 59, 59);
  EXPECT_EQ(JournalRecord(u"", early, JournalEncoding::kWindows1251),
            rule + "# 2024/03/05 09:07:03 #" + rule + "\r\n\r\n\r\n");
  EXPECT_EQ(JournalRecord(u"Hi, Мир —\r\nä", late, JournalEncoding::kWindows1251),
            rule + "# 1999/12/31 23:59:59 #" + rule + "\r\nHi, \xCC\xE8\xF0 \x97\r\n?\r\n\r\n");
}

// Appends and their failures are the platform layer's (tests/platform) and the
// session transcripts'; a FIFO without a reader must not hang the caller.
TEST(JournalRecord, AppendToAFifoFails) {
  test::TempFolder folder;
  ASSERT_EQ(::mkfifo((folder / "fifo").c_str(), 0600), 0);
  std::string error;
  EXPECT_FALSE(AppendJournalRecord(folder / "fifo", "x", error));
  EXPECT_FALSE(error.empty());
}

}  // namespace
}  // namespace vm
