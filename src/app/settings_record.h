// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The settings record kept in "verbalomatic.cfg": four option bytes and four
// length-prefixed Windows-1251 texts, little-endian, nothing else.
#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace vm {

struct SettingsRecord {
  // Byte 0: boxes 0..7; byte 1: boxes 8..14 and the tray bit 0x80; byte 2:
  // boxes 15 (0x01) and 16 (0x02), other bits reserved; byte 3 reserved.
  std::array<std::uint8_t, 4> optionBytes{};
  std::u16string prologue;
  std::u16string epilogue;
  std::u16string baseName;
  std::u16string console;
};

inline constexpr std::uint8_t kTrayBit = 0x80;
inline constexpr const char* kSettingsFileName = "verbalomatic.cfg";

// The file's bytes; texts longer than 32,767 bytes are cut to fit.
std::string EncodeSettings(const SettingsRecord& record);
// Reads what is there; a short or truncated file leaves the missing fields
// as zero bytes and empty texts.
SettingsRecord DecodeSettings(std::string_view bytes);

// Reads the file; false (record untouched) when it does not exist or cannot be read.
bool ReadSettingsFile(const std::filesystem::path& path, SettingsRecord& record);
// Writes through a temporary file in the same folder renamed into place, so
// a failed write leaves the previous file intact. False on failure.
bool WriteSettingsFile(const std::filesystem::path& path, const SettingsRecord& record,
                       std::string* error = nullptr);

}  // namespace vm
