// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/settings_apply.h"

namespace vm {

OptionBit OptionBitOf(int index) {
  if (index < 8) return {0, static_cast<std::uint8_t>(1U << index)};
  if (index < 15) return {1, static_cast<std::uint8_t>(1U << (index - 8))};
  return {2, static_cast<std::uint8_t>(1U << (index - 15))};
}

bool TrayBitSet(const SettingsRecord& record) {
  return TestBit(record.optionBytes[1], kTrayBit) == 1;
}

namespace {
void ApplyOption(const SettingsRecord& record, int index, SettingsTarget& target) {
  const OptionBit bit = OptionBitOf(index);
  target.SetOptionValue(index,
                        TestBit(record.optionBytes[static_cast<std::size_t>(bit.byte)], bit.mask));
}
}  // namespace

void ApplySettings(const SettingsRecord& record, SettingsTarget& target) {
  for (int i = 0; i <= kOptWordMorph; ++i) ApplyOption(record, i, target);
  if (TrayBitSet(record)) target.SendToTray();
  ApplyOption(record, kOptMixedCase, target);
  ApplyOption(record, kOptTypos, target);
  target.SetLineTexts(record.prologue, record.epilogue, record.console);
}

void StoreSettings(SettingsRecord& record, const OptionBoxes& boxes, bool windowVisible,
                   const std::u16string& prologue, const std::u16string& epilogue,
                   const std::u16string& console) {
  for (int i = 0; i < kStoredOptionCount; ++i) {
    const OptionBit bit = OptionBitOf(i);
    SetBit(record.optionBytes[static_cast<std::size_t>(bit.byte)], bit.mask,
           boxes[static_cast<std::size_t>(i)] != 0);
  }
  SetBit(record.optionBytes[1], kTrayBit, !windowVisible);
  record.prologue = prologue;
  record.epilogue = epilogue;
  record.console = console;
}

}  // namespace vm
