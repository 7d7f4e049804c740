// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Records of the output journal "+out.txt".
#include <ctime>
#include <filesystem>
#include <string>
#include <string_view>

namespace vm {

inline constexpr const char* kJournalFileName = "+out.txt";

// A new journal is UTF-8; one that holds Windows-1251 records stays so.
enum class JournalEncoding { kUtf8, kWindows1251 };

// How the journal at path is written, judged by its first bytes: Windows-1251
// when they are not UTF-8; UTF-8 when they are, or when there is no journal.
JournalEncoding JournalEncodingOf(const std::filesystem::path& path);

// One record, byte for byte: a header line of sixteen "—", "# ", the local
// date and time as YYYY/MM/DD HH:MM:SS, " #", sixteen "—", CR LF; then the
// body; then CR LF CR LF. In Windows-1251 every "—" is one byte and a
// character without a code is '?'.
std::string JournalRecord(std::u16string_view body, const std::tm& local, JournalEncoding encoding);

// Appends record at the end of the file, creating it when missing. False with
// the system's description of the error on failure.
bool AppendJournalRecord(const std::filesystem::path& path, std::string_view record,
                         std::string& error);

}  // namespace vm
