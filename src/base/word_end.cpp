// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/word_end.h"

#include <array>

namespace vm {

char16_t FoldRhymeChar(char16_t c) {
  switch (c) {
    case u'Б':
    case u'В':
    case u'Г':
    case u'П':
    case u'Ф':
    case u'Ґ':
      return u'Х';
    case u'Д':
      return u'Т';
    case u'Ж':
    case u'Ч':
    case u'Щ':
      return u'Ш';
    case u'З':
    case u'Ц':
      return u'С';
    case u'М':
      return u'Н';
    case u'Э':
    case u'Є':
    case u'Ї':
    case u'І':
      return u'И';
    case u'Ю':
      return u'У';
    case u'Я':
      return u'А';
    default:
      return c;
  }
}

namespace {

// Every folding letter lies below U+0500; the branch on that bound is
// predictable where one on the letter range would not be.
constexpr char16_t kFoldTableEnd = 0x0500;

const std::array<char16_t, kFoldTableEnd>& FoldTable() {
  static const auto table = [] {
    std::array<char16_t, kFoldTableEnd> t{};
    for (char16_t c = 0; c < kFoldTableEnd; ++c) t[c] = FoldRhymeChar(c);
    return t;
  }();
  return table;
}

}  // namespace

void FoldRhymeLetters(std::u16string& text) {
  const auto& table = FoldTable();
  for (char16_t& c : text)
    if (c < kFoldTableEnd) c = table[c];
}

std::u16string_view LastWordView(std::u16string_view text, bool stopAtHyphen) {
  std::size_t i = text.size();
  while (i > 0) {
    const char16_t c = text[i - 1];
    if (c == u' ' || (stopAtHyphen && c == u'-')) break;
    --i;
  }
  return text.substr(i);
}

std::u16string LastWord(std::u16string_view text, bool stopAtHyphen, bool fold,
                        std::size_t maxLength) {
  std::u16string_view word = LastWordView(text, stopAtHyphen);
  if (maxLength != 0 && word.size() > maxLength) word = word.substr(word.size() - maxLength);
  std::u16string out(word);
  if (fold) FoldRhymeLetters(out);
  return out;
}

}  // namespace vm
