// SPDX-License-Identifier: GPL-3.0-or-later
// The record's codec at its edges; tests/golden/session_posix.cases pins the
// files the window writes and what it applies from them.
#include "app/settings_record.h"

#include <gtest/gtest.h>

namespace vm {
namespace {

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

}  // namespace
}  // namespace vm
