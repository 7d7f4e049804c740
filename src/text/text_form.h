// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How a text file is written: encoding and line ends. A file the program
// rewrites keeps the form it came in.
#include <string>
#include <string_view>
#include <vector>

namespace vm {

struct TextFileForm {
  bool utf8 = false;           // else Windows-1251
  bool byteOrderMark = false;  // UTF-8 only
  bool lineFeeds = false;      // LF alone (the file holds no CR), else CR LF
  bool finalLineFeed = false;  // LF files only: the last line ends in LF too
};

// The form of a file's bytes, judged as DecodeTextFile reads them.
TextFileForm TextFileFormOf(std::string_view bytes);
// The same with LooksLikeUtf8(bytes) already known.
TextFileForm TextFileFormOf(std::string_view bytes, bool looksLikeUtf8);

// Lines given as Windows-1251 codes as a file of that form: joined with CR
// LF (no break after the last line) or with LF (one after the last line when
// the form has it).
std::string EncodeCodeLines(const std::vector<std::string_view>& lines, const TextFileForm& form);

}  // namespace vm
