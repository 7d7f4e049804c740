// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/journal_record.h"

#include "platform/platform.h"
#include "text/cp1251.h"
#include "tools/atomic_file.h"

namespace vm {
namespace {

constexpr std::u16string_view kRuleCharacter = u"—";
constexpr std::size_t kRuleLength = 16;
// Enough of a journal to tell its encoding.
constexpr std::size_t kHeadBytes = 4096;

// The last `width` characters of the number with zeros put in front.
std::string Padded(int value, std::size_t width) {
  const std::string digits = std::string(width, '0') + std::to_string(value);
  return digits.substr(digits.size() - width);
}

}  // namespace

JournalEncoding JournalEncodingOf(const std::filesystem::path& path) {
  std::string head;
  std::string error;
  if (!ReadRegularFile(path, kHeadBytes, head, error)) return JournalEncoding::kUtf8;
  return IsUtf8Head(head) ? JournalEncoding::kUtf8 : JournalEncoding::kWindows1251;
}

std::string JournalRecord(std::u16string_view body, const std::tm& local,
                          JournalEncoding encoding) {
  const auto encode = [encoding](std::u16string_view text) {
    return encoding == JournalEncoding::kUtf8 ? ToUtf8(text) : EncodeCp1251(text);
  };
  std::string rule;
  for (std::size_t i = 0; i < kRuleLength; ++i) rule += encode(kRuleCharacter);
  std::string record = rule + "# ";
  record += Padded(local.tm_year + 1900, 4) + "/" + Padded(local.tm_mon + 1, 2) + "/" +
            Padded(local.tm_mday, 2) + " " + Padded(local.tm_hour, 2) + ":" +
            Padded(local.tm_min, 2) + ":" + Padded(local.tm_sec, 2);
  record += " #" + rule + "\r\n";
  record += encode(body);
  record += "\r\n\r\n";
  return record;
}

bool AppendJournalRecord(const std::filesystem::path& path, std::string_view record,
                         std::string& error) {
  return platform::AppendToFile(path, record, error);
}

}  // namespace vm
