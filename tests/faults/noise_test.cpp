// SPDX-License-Identifier: GPL-3.0-or-later
// Random bytes where the program expects text, and a base too big for memory
// or for the command line's cap.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <random>
#include <sstream>

#include "app/program.h"
#include "app/settings_apply.h"
#include "app/settings_record.h"
#include "cli/cli.h"
#include "fake_shell.h"
#include "temp_folder.h"
#include "text/strings.h"

namespace vm {
namespace {

using test::FakeShell;
using test::TempFolder;

std::string Noise(std::size_t size, std::uint64_t seed) {
  std::mt19937_64 engine(seed);
  std::string bytes(size, '\0');
  for (char& byte : bytes) byte = static_cast<char>(engine());
  return bytes;
}

// Rewrites the length fields of random bytes to small values, so that
// their texts, the base name among them, are read whole.
void ShortenLengths(std::string& bytes) {
  std::size_t pos = 4;
  for (int field = 0; field < 4 && pos + 2 <= bytes.size(); ++field) {
    const auto length = static_cast<std::size_t>(static_cast<unsigned char>(bytes[pos]) % 24);
    bytes[pos] = static_cast<char>(length);
    bytes[pos + 1] = 0;
    pos += 2 + length;
  }
}

class RecordingTarget : public SettingsTarget {
 public:
  void SetOptionValue(int index, int value) override {
    if (index < 0 || index >= kStoredOptionCount || (value != 0 && value != 1)) ++bad;
  }
  void SendToTray() override { ++trays; }
  void SetLineTexts(const std::u16string&, const std::u16string&, const std::u16string&) override {}
  int bad = 0;
  int trays = 0;
};

// A sparse 4 GiB base under a 1 GiB address-space limit, and 200 MB of short
// lines that read but cannot be indexed within it: an empty base and the
// reason, never an abort.
TEST(HugeBase, LoadsEmptyWithTheReason) {
#if defined(__SANITIZE_ADDRESS__)
  GTEST_SKIP() << "the address sanitizer needs more address space than the limit allows";
#else
  TempFolder folder;
  const auto path = folder.Write("source_huge.txt", "");
  std::filesystem::resize_file(path, std::uintmax_t{4} << 30);
  const pid_t child = ::fork();
  if (child == 0) {
    const rlimit limit{1UL << 30, 1UL << 30};
    ::setrlimit(RLIMIT_AS, &limit);
    FakeShell shell;
    Program program(shell, folder.path());
    program.SetBaseName(u"source_huge.txt");
    program.SkipAboutOnFirstLoad();
    program.LoadBase();
    bool ok = program.Base().UBound() == -1 && StartsWith(shell.shown, u"\r\nФайл:") &&
              Contains(shell.shown, u"DONE\r\n! ");
    std::string lines = "A\r\n";
    while (lines.size() < 200'000'000) lines += lines;
    program.SupplyBaseBytes(std::move(lines));
    program.SetBaseName(u"source_supplied.txt");
    program.LoadBase();
    ok = ok && program.Base().UBound() == -1 && Contains(shell.shown, u"DONE\r\n! ");
    ::_exit(ok ? 0 : 1);
  }
  int status = -1;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
#endif
}

// Endless input stops at the cap (1 GiB in use; 1 KiB here) with status 1.
TEST(HugeBase, CommandLineInputPastTheCapIsAnError) {
  std::istringstream in(std::string(2048, 'y'));
  std::ostringstream out, err;
  CliRequest request = ParseCli({"generate", "-b", "-"}, out, err);
  request.baseByteLimit = 1024;
  EXPECT_EQ(ExecuteCli(request, in, out, err), 1);
  EXPECT_EQ(out.str(), "");
  EXPECT_NE(err.str().find("'-': longer than 1 KiB, more than a base may hold"), std::string::npos)
      << err.str();
}

TEST(NoiseSettings, RandomFilesDecodeAndApply) {
  TempFolder folder;
  const auto path = folder / kSettingsFileName;
  std::mt19937 sizes(7);
  for (int round = 0; round < 300; ++round) {
    // Short files, files that end inside a text, long ones, and one larger
    // than any record can be.
    const std::size_t size = round < 20    ? static_cast<std::size_t>(round)
                             : round < 299 ? sizes() % 600
                                           : std::size_t{1} << 20;
    std::string bytes = Noise(size, static_cast<std::uint64_t>(round));
    if (round % 3 == 0 && size >= 6) bytes[4] = bytes[5] = '\xFF';
    if (round % 3 == 1) ShortenLengths(bytes);
    folder.Write(kSettingsFileName, bytes);

    SettingsRecord record;
    ASSERT_TRUE(ReadSettingsFile(path, record)) << round;
    RecordingTarget target;
    ApplySettings(record, target);
    EXPECT_EQ(target.bad, 0) << round;
    EXPECT_EQ(target.trays, TrayBitSet(record) ? 1 : 0);

    // What was read is written back and read again the same, but for texts
    // cut to the 32,767 bytes a written field holds.
    ASSERT_TRUE(WriteSettingsFile(path, record));
    SettingsRecord again;
    ASSERT_TRUE(ReadSettingsFile(path, again));
    constexpr std::size_t kFits = 32'767;
    EXPECT_EQ(again.optionBytes, record.optionBytes);
    EXPECT_EQ(again.prologue, record.prologue.substr(0, kFits));
    EXPECT_EQ(again.epilogue, record.epilogue.substr(0, kFits));
    EXPECT_EQ(again.baseName, record.baseName.substr(0, kFits));
    EXPECT_EQ(again.console, record.console.substr(0, kFits));

    // A random base name loads as whatever it names, usually nothing.
    if (record.baseName.empty()) continue;
    FakeShell shell;
    Program program(shell, folder.path());
    program.SetSettings(record);
    program.SkipAboutOnFirstLoad();
    program.LoadBase();
    program.SHIT(5, 0);
  }
}

}  // namespace
}  // namespace vm
