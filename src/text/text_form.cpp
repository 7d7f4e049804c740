// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/text_form.h"

#include "text/cp1251.h"

namespace vm {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

}  // namespace

TextFileForm TextFileFormOf(std::string_view bytes) {
  TextFileForm form;
  form.utf8 = LooksLikeUtf8(bytes);
  form.byteOrderMark = form.utf8 && bytes.starts_with(kByteOrderMark);
  form.lineFeeds = bytes.find('\r') == std::string_view::npos;
  form.finalLineFeed = form.lineFeeds && bytes.ends_with('\n');
  return form;
}

std::string EncodeTextLines(const std::vector<std::u16string>& lines, const TextFileForm& form) {
  const std::u16string_view separator = form.lineFeeds ? u"\n" : u"\r\n";
  std::u16string text;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (i > 0) text += separator;
    text += lines[i];
  }
  if (form.lineFeeds && form.finalLineFeed && !lines.empty()) text += u'\n';
  if (!form.utf8) return EncodeCp1251(text);
  return std::string(form.byteOrderMark ? kByteOrderMark : "") + ToUtf8(text);
}

}  // namespace vm
