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

void FoldRhymeLetters(std::u16string& text) {
  // Only upper-case Cyrillic letters fold, all of them in U+0400..U+049F.
  static const auto table = [] {
    std::array<char16_t, 0xA0> t{};
    for (char16_t c = 0; c < 0xA0; ++c) t[c] = FoldRhymeChar(static_cast<char16_t>(0x0400 + c));
    return t;
  }();
  for (char16_t& c : text) {
    const auto offset = static_cast<char16_t>(c - 0x0400);
    if (offset < 0xA0) c = table[offset];
  }
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
