// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/settings_record.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <fstream>
#include <iterator>

namespace vm {
namespace {

namespace fs = std::filesystem;

std::string Bytes(std::initializer_list<int> values) {
  std::string out;
  for (int v : values) out.push_back(static_cast<char>(v));
  return out;
}

SettingsRecord Sample() {
  SettingsRecord r;
  r.optionBytes = {0x5A, 0x82, 0xFD, 0x7E};
  r.prologue = u"Начало\\nтекста";
  r.epilogue = u"Конец — всё";
  r.baseName = u"source_стихи.txt";
  r.console = u"дом";
  return r;
}

void ExpectSame(const SettingsRecord& a, const SettingsRecord& b) {
  EXPECT_EQ(a.optionBytes, b.optionBytes);
  EXPECT_EQ(a.prologue, b.prologue);
  EXPECT_EQ(a.epilogue, b.epilogue);
  EXPECT_EQ(a.baseName, b.baseName);
  EXPECT_EQ(a.console, b.console);
}

TEST(SettingsRecord, ClearBoxesAndTrashBase) {
  SettingsRecord r;
  r.baseName = u"[VM: треш]";
  const std::string expected =
      Bytes({0, 0, 0, 0, 0, 0, 0, 0, 10, 0}) + "[VM: \xF2\xF0\xE5\xF8]" + Bytes({0, 0});
  EXPECT_EQ(EncodeSettings(r), expected);
  EXPECT_EQ(expected.size(), 22U);
  ExpectSame(DecodeSettings(expected), r);
}

TEST(SettingsRecord, OptionBytesAndReservedBitsRoundTrip) {
  SettingsRecord r;
  r.optionBytes = {0x01, 0x02 | kTrayBit, 0x00, 0x00};  // boxes 0 and 9, in the tray
  EXPECT_EQ(EncodeSettings(r).substr(0, 4), Bytes({0x01, 0x82, 0x00, 0x00}));
  const SettingsRecord back = DecodeSettings(EncodeSettings(Sample()));
  ExpectSame(back, Sample());
  EXPECT_EQ(back.optionBytes[2], 0xFD);  // reserved bits 2..7 kept
}

TEST(SettingsRecord, EveryTruncationDecodesWithMissingFieldsEmpty) {
  const std::string full = EncodeSettings(Sample());
  const std::size_t endPrologue = 4 + 2 + 14;
  const std::size_t endEpilogue = endPrologue + 2 + 11;
  for (std::size_t n = 0; n <= full.size(); ++n) {
    const SettingsRecord r = DecodeSettings(std::string_view(full).substr(0, n));
    SCOPED_TRACE(n);
    for (std::size_t b = 0; b < 4; ++b)
      EXPECT_EQ(r.optionBytes[b], b < n ? Sample().optionBytes[b] : 0);
    EXPECT_EQ(r.prologue, n >= endPrologue ? Sample().prologue : u"");
    EXPECT_EQ(r.epilogue, n >= endEpilogue ? Sample().epilogue : u"");
    EXPECT_EQ(r.console, n == full.size() ? Sample().console : u"");
  }
}

TEST(SettingsRecord, LengthClaimingMoreThanRemains) {
  const std::string bytes = Bytes({1, 2, 3, 4, 2, 0}) + "AB" + Bytes({0xFF, 0x7F}) + "XYZ";
  const SettingsRecord r = DecodeSettings(bytes);
  EXPECT_EQ(r.prologue, u"AB");
  EXPECT_EQ(r.epilogue, u"");
  EXPECT_EQ(r.baseName, u"");
  EXPECT_EQ(r.console, u"");
}

TEST(SettingsRecord, OverlongTextsAreCut) {
  SettingsRecord r;
  r.prologue.assign(40'000, u'Ж');
  r.console = u"ЕЩЁ";
  const std::string bytes = EncodeSettings(r);
  EXPECT_EQ(bytes.substr(4, 2), Bytes({0xFF, 0x7F}));
  const SettingsRecord back = DecodeSettings(bytes);
  EXPECT_EQ(back.prologue, std::u16string(32'767, u'Ж'));
  EXPECT_EQ(back.console, u"ЕЩЁ");  // the fields after it are intact
}

class SettingsFile : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::temp_directory_path() / ("vm_settings_" + std::to_string(::getpid()));
    fs::remove_all(folder_);
    fs::create_directories(folder_);
  }
  void TearDown() override { fs::remove_all(folder_); }
  fs::path folder_;
};

TEST_F(SettingsFile, WriteThenReadAndMissingFile) {
  const fs::path path = folder_ / kSettingsFileName;
  SettingsRecord r = Sample();
  EXPECT_FALSE(ReadSettingsFile(path, r));
  ExpectSame(r, Sample());  // untouched
  std::string error;
  ASSERT_TRUE(WriteSettingsFile(path, Sample(), &error)) << error;
  SettingsRecord read;
  ASSERT_TRUE(ReadSettingsFile(path, read));
  ExpectSame(read, Sample());
  EXPECT_EQ(fs::file_size(path), EncodeSettings(Sample()).size());
}

TEST_F(SettingsFile, FailuresAreReported) {
  const fs::path path = folder_ / kSettingsFileName;
  ASSERT_TRUE(WriteSettingsFile(path, Sample()));
  SettingsRecord other;
  other.console = u"другое";
  std::string error;
  EXPECT_FALSE(WriteSettingsFile(folder_ / "gone" / kSettingsFileName, other, &error));
  EXPECT_FALSE(error.empty());
  SettingsRecord read;
  ASSERT_TRUE(ReadSettingsFile(path, read));
  ExpectSame(read, Sample());
  // A folder where the file should be is not read as settings.
  EXPECT_FALSE(ReadSettingsFile(folder_, read));
}

}  // namespace
}  // namespace vm
