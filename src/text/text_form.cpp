// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/text_form.h"

#include "text/cp1251.h"

namespace vm {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

}  // namespace

TextFileForm TextFileFormOf(std::string_view bytes) {
  return TextFileFormOf(bytes, LooksLikeUtf8(bytes));
}

TextFileForm TextFileFormOf(std::string_view bytes, bool looksLikeUtf8) {
  TextFileForm form;
  form.utf8 = looksLikeUtf8;
  form.byteOrderMark = form.utf8 && bytes.starts_with(kByteOrderMark);
  form.lineFeeds = bytes.find('\r') == std::string_view::npos;
  form.finalLineFeed = form.lineFeeds && bytes.ends_with('\n');
  return form;
}

std::string EncodeCodeLines(const std::vector<std::string_view>& lines, const TextFileForm& form) {
  const std::string_view separator = form.lineFeeds ? "\n" : "\r\n";
  std::string out;
  if (form.utf8) {
    if (form.byteOrderMark) out = kByteOrderMark;
    for (std::size_t i = 0; i < lines.size(); ++i) {
      if (i > 0) out += separator;
      out += ToUtf8(DecodeCp1251(lines[i]));
    }
  } else {
    std::size_t total = 0;
    for (const std::string_view line : lines) total += line.size() + separator.size();
    out.reserve(total + 1);
    for (std::size_t i = 0; i < lines.size(); ++i) {
      if (i > 0) out += separator;
      out += lines[i];
    }
  }
  if (form.lineFeeds && form.finalLineFeed && !lines.empty()) out += '\n';
  return out;
}

}  // namespace vm
