// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/journal_record.h"

#include "platform/platform.h"
#include "text/cp1251.h"

namespace vm {
namespace {

constexpr char kRuleByte = '\x97';  // "—" in Windows-1251
constexpr std::size_t kRuleLength = 16;

// The last `width` characters of the number with zeros put in front.
std::string Padded(int value, std::size_t width) {
  const std::string digits = std::string(width, '0') + std::to_string(value);
  return digits.substr(digits.size() - width);
}

}  // namespace

std::string JournalRecord(std::u16string_view body, const std::tm& local) {
  const std::string rule(kRuleLength, kRuleByte);
  std::string record = rule + "# ";
  record += Padded(local.tm_year + 1900, 4) + "/" + Padded(local.tm_mon + 1, 2) + "/" +
            Padded(local.tm_mday, 2) + " " + Padded(local.tm_hour, 2) + ":" +
            Padded(local.tm_min, 2) + ":" + Padded(local.tm_sec, 2);
  record += " #" + rule + "\r\n";
  record += EncodeCp1251(body);
  record += "\r\n\r\n";
  return record;
}

bool AppendJournalRecord(const std::filesystem::path& path, std::string_view record,
                         std::string& error) {
  return platform::AppendToFile(path, record, error);
}

}  // namespace vm
