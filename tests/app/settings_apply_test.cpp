// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/settings_apply.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "text/strings.h"

namespace vm {
namespace {

// Records what start-up does to the window, in order.
class RecordingTarget : public SettingsTarget {
 public:
  void SetOptionValue(int index, int value) override {
    log.push_back(u"opt" + Decimal(index) + u"=" + Decimal(value));
  }
  void SendToTray() override { log.push_back(u"tray"); }
  void SetLineTexts(const std::u16string& prologue, const std::u16string& epilogue,
                    const std::u16string& console) override {
    log.push_back(u"texts " + prologue + u"|" + epilogue + u"|" + console);
  }
  std::vector<std::u16string> log;
};

TEST(SettingsApplyTest, StartUpAppliesBoxesTrayBoxesAndTextsInOrder) {
  SettingsRecord record;
  record.optionBytes = {0x01, 0x82, 0x02, 0x00};
  record.prologue = u"ПРО";
  record.epilogue = u"ЭПИ";
  record.console = u"КОН";
  RecordingTarget target;
  ApplySettings(record, target);
  std::vector<std::u16string> expected;
  for (int i = 0; i <= 14; ++i) {
    expected.push_back(u"opt" + Decimal(i) + u"=" + ((i == 0 || i == 9) ? u"1" : u"0"));
  }
  expected.push_back(u"tray");
  expected.push_back(u"opt15=0");
  expected.push_back(u"opt16=1");
  expected.push_back(u"texts ПРО|ЭПИ|КОН");
  EXPECT_EQ(target.log, expected);
}

TEST(SettingsApplyTest, NoTrayBitMeansNoTray) {
  SettingsRecord record;
  record.optionBytes = {0xFF, 0x7F, 0x03, 0xFF};
  RecordingTarget target;
  ApplySettings(record, target);
  EXPECT_FALSE(TrayBitSet(record));
  ASSERT_EQ(target.log.size(), 18U);
  for (const auto& entry : target.log) EXPECT_NE(entry, u"tray");
  EXPECT_EQ(target.log[15], u"opt15=1");
}

TEST(SettingsApplyTest, ShutdownStoresBoxesAndTrayBitKeepingReservedBits) {
  SettingsRecord record;
  record.optionBytes = {0xFF, 0x00, 0xFC, 0x5A};  // byte 2 bits 2..7 and byte 3 are reserved
  record.baseName = u"[VM: треш]";
  OptionBoxes boxes{};
  boxes[0] = 1;
  boxes[9] = 1;
  boxes[17] = 1;  // not stored
  StoreSettings(record, boxes, false, u"п", u"э", u"к");
  EXPECT_EQ(record.optionBytes[0], 0x01);
  EXPECT_EQ(record.optionBytes[1], 0x82);
  EXPECT_EQ(record.optionBytes[2], 0xFC);
  EXPECT_EQ(record.optionBytes[3], 0x5A);
  EXPECT_EQ(record.prologue, u"п");
  EXPECT_EQ(record.epilogue, u"э");
  EXPECT_EQ(record.console, u"к");
  EXPECT_EQ(record.baseName, u"[VM: треш]");
}

TEST(SettingsApplyTest, GreyBoxesAreStoredAsSetAndAVisibleWindowClearsTheTrayBit) {
  SettingsRecord record;
  record.optionBytes = {0x00, 0x80, 0x00, 0x00};
  OptionBoxes boxes{};
  boxes[15] = 2;
  boxes[16] = 1;
  boxes[14] = 2;
  StoreSettings(record, boxes, true, u"", u"", u"");
  EXPECT_EQ(record.optionBytes[1], 0x40);
  EXPECT_EQ(record.optionBytes[2], 0x03);
}

TEST(SettingsApplyTest, EveryStoredBoxSurvivesARoundTrip) {
  for (int box = 0; box < kStoredOptionCount; ++box) {
    SettingsRecord record;
    OptionBoxes boxes{};
    boxes[static_cast<std::size_t>(box)] = 1;
    StoreSettings(record, boxes, true, u"", u"", u"");
    RecordingTarget target;
    ApplySettings(record, target);
    int ticked = 0;
    for (const auto& entry : target.log) {
      if (entry == u"opt" + Decimal(box) + u"=1")
        ++ticked;
      else if (EndsWith(entry, u"=1"))
        ADD_FAILURE() << "box " << box;
    }
    EXPECT_EQ(ticked, 1) << "box " << box;
  }
}

}  // namespace
}  // namespace vm
