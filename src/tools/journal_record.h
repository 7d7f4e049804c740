// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Records of the output journal "+out.txt".
#include <ctime>
#include <filesystem>
#include <string>
#include <string_view>

namespace vm {

inline constexpr const char* kJournalFileName = "+out.txt";

// One record, byte for byte: a header line of sixteen "—", "# ", the local
// date and time as YYYY/MM/DD HH:MM:SS, " #", sixteen "—", CR LF; then the
// body in Windows-1251 ('?' for characters without a code); then CR LF CR LF.
std::string JournalRecord(std::u16string_view body, const std::tm& local);

// Appends record at the end of the file, creating it when missing. False with
// the system's description of the error on failure.
bool AppendJournalRecord(const std::filesystem::path& path, std::string_view record,
                         std::string& error);

}  // namespace vm
