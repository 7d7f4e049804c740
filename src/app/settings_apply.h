// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Between the settings record and the window: which bit holds which check
// box, the order in which start-up applies the record, and how shutdown
// fills it from the window.
#include <cstdint>
#include <string>

#include "app/settings_record.h"
#include "generation/options.h"

namespace vm {

// Boxes 0..16 are stored; box 17 is not.
inline constexpr int kStoredOptionCount = 17;

struct OptionBit {
  int byte;  // index into optionBytes
  std::uint8_t mask;
};
// Where box index (0..16) is stored.
OptionBit OptionBitOf(int index);

// The window as start-up applies the record to it.
class SettingsTarget {
 public:
  SettingsTarget() = default;
  SettingsTarget(const SettingsTarget&) = delete;
  SettingsTarget& operator=(const SettingsTarget&) = delete;
  virtual ~SettingsTarget() = default;

  // Sets a check box; a changed value runs its click handler.
  virtual void SetOptionValue(int index, int value) = 0;
  // The double click's send-to-tray action.
  virtual void SendToTray() = 0;
  virtual void SetLineTexts(const std::u16string& prologue, const std::u16string& epilogue,
                            const std::u16string& console) = 0;
};

bool TrayBitSet(const SettingsRecord& record);
// Boxes 0..14, the tray when its bit is set, boxes 15 and 16, then the texts.
void ApplySettings(const SettingsRecord& record, SettingsTarget& target);

// Fills the option bits (any value but 0 sets a bit; reserved bits stay), the
// tray bit (set when the window is hidden) and the three texts. The base
// name is already in the record.
void StoreSettings(SettingsRecord& record, const OptionBoxes& boxes, bool windowVisible,
                   const std::u16string& prologue, const std::u16string& epilogue,
                   const std::u16string& console);

}  // namespace vm
