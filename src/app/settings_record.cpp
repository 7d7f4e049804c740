// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/settings_record.h"

#include "text/cp1251.h"
#include "tools/atomic_file.h"

namespace vm {
namespace {

constexpr std::size_t kMaxTextBytes = 32'767;
// Four option bytes and four texts of at most 65,535 bytes each.
constexpr std::size_t kMaxFileBytes = 4 + 4 * (2 + 65'535);

void PutText(std::string& out, std::u16string_view text) {
  std::string bytes = EncodeCp1251(text);
  if (bytes.size() > kMaxTextBytes) bytes.resize(kMaxTextBytes);
  out.push_back(static_cast<char>(bytes.size() & 0xFF));
  out.push_back(static_cast<char>(bytes.size() >> 8));
  out += bytes;
}

// Reads one text at pos; false (text left empty) when the file ends before
// the text does.
bool TakeText(std::string_view bytes, std::size_t& pos, std::u16string& text) {
  if (bytes.size() - pos < 2) return false;
  const std::size_t length =
      static_cast<unsigned char>(bytes[pos]) |
      (static_cast<std::size_t>(static_cast<unsigned char>(bytes[pos + 1])) << 8);
  pos += 2;
  if (bytes.size() - pos < length) return false;
  text = DecodeCp1251(bytes.substr(pos, length));
  pos += length;
  return true;
}

}  // namespace

std::string EncodeSettings(const SettingsRecord& record) {
  std::string out;
  for (const std::uint8_t b : record.optionBytes) out.push_back(static_cast<char>(b));
  PutText(out, record.prologue);
  PutText(out, record.epilogue);
  PutText(out, record.baseName);
  PutText(out, record.console);
  return out;
}

SettingsRecord DecodeSettings(std::string_view bytes) {
  SettingsRecord record;
  std::size_t pos = 0;
  for (std::uint8_t& b : record.optionBytes) {
    if (pos == bytes.size()) return record;
    b = static_cast<std::uint8_t>(bytes[pos++]);
  }
  if (TakeText(bytes, pos, record.prologue) && TakeText(bytes, pos, record.epilogue) &&
      TakeText(bytes, pos, record.baseName))
    TakeText(bytes, pos, record.console);
  return record;
}

bool ReadSettingsFile(const std::filesystem::path& path, SettingsRecord& record) {
  std::string bytes;
  std::string error;
  if (!ReadRegularFile(path, kMaxFileBytes, bytes, error)) return false;
  record = DecodeSettings(bytes);
  return true;
}

bool WriteSettingsFile(const std::filesystem::path& path, const SettingsRecord& record,
                       std::string* error) {
  std::string description;
  const bool ok = WriteFileAtomically(path, EncodeSettings(record), description);
  if (!ok && error != nullptr) *error = description;
  return ok;
}

}  // namespace vm
