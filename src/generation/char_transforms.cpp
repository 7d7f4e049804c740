// SPDX-License-Identifier: GPL-3.0-or-later
#include "generation/char_transforms.h"

#include <algorithm>

#include "text/letter_case.h"

namespace vm {
namespace {

// Positions 0..21 are consonants, 22..31 vowels.
constexpr std::u16string_view kTypoAlphabet = u"БВГДЖЗКЛМНПРСТФХЦЧШЩЪЬЭЫЮЯАЕИЙОУ";
constexpr std::size_t kFirstTypoVowel = 22;

// One fresh draw at p: yes when it comes out at or below p.
char16_t Either(RandomSource& random, float p, char16_t yes, char16_t no) {
  return Chance(random, p) ? yes : no;
}

char16_t MangleChar(RandomSource& random, char16_t c) {
  switch (c) {
    case u'Б':
      return Chance(random, 0.5F) ? Either(random, 0.8F, u'В', u'Ф') : c;
    case u'б':
      return Chance(random, 0.5F) ? Either(random, 0.8F, u'в', u'ф') : c;
    case u'Г':
      return Either(random, 0.5F, u'Х', c);
    case u'г':
      return Either(random, 0.5F, u'х', c);
    case u'Ґ':
      return Chance(random, 0.5F) ? u'Г' : Either(random, 0.5F, u'Х', c);
    case u'ґ':
      return Chance(random, 0.5F) ? u'г' : Either(random, 0.5F, u'х', c);
    case u'д':
      return Either(random, 0.7F, u'т', c);
    case u'Т':
      return Either(random, 0.7F, u'Д', c);
    case u'т':
      return Either(random, 0.7F, u'д', c);
    case u'Е':
    case u'Ё':
      return Either(random, 0.8F, u'И', u'Э');
    case u'е':
    case u'ё':
      return Either(random, 0.8F, u'и', u'э');
    case u'Є':
      if (Chance(random, 0.5F)) return u'И';
      return Chance(random, 0.5F) ? u'Ї' : Either(random, 0.5F, u'Е', c);
    case u'є':
      // The first draw writes є back.
      if (Chance(random, 0.5F)) return c;
      return Chance(random, 0.5F) ? u'ї' : Either(random, 0.5F, u'е', c);
    case u'Ж':
      return Either(random, 0.8F, u'Ш', u'С');
    case u'ж':
      return Either(random, 0.8F, u'ш', u'с');
    case u'З':
      return Either(random, 0.5F, u'С', c);
    case u'з':
      return Either(random, 0.5F, u'с', c);
    case u'І':
      return Either(random, 0.5F, u'И', c);
    case u'і':
      return Either(random, 0.5F, u'и', c);
    case u'Ї':
      return Either(random, 0.8F, u'І', c);
    case u'ї':
      return Either(random, 0.8F, u'і', c);
    // Certain outcomes still take their one draw, at probability 1.
    case u'Ф':
      return Either(random, 1.0F, u'Х', c);
    case u'ф':
      return Either(random, 1.0F, u'х', c);
    case u'Х':
      return Either(random, 0.7F, u'Г', c);
    case u'х':
      return Either(random, 0.7F, u'г', c);
    case u'Ц':
      return Either(random, 0.5F, u'С', c);
    case u'ц':
      return Either(random, 0.5F, u'с', c);
    case u'Ч':
      return Either(random, 1.0F, u'Ш', c);
    case u'ч':
      return Either(random, 1.0F, u'ш', c);
    case u'Э':
      return Either(random, 1.0F, u'И', c);
    case u'э':
      return Either(random, 1.0F, u'и', c);
    case u'Ю':
      return Either(random, 0.8F, u'У', c);
    case u'ю':
      return Either(random, 0.8F, u'у', c);
    case u'Я':
      return Either(random, 0.8F, u'А', c);
    case u'я':
      return Either(random, 0.8F, u'а', c);
    default:
      return c;
  }
}

char16_t LatinLookalike(char16_t c) {
  switch (c) {
    case u'І':
      return u'I';
    case u'А':
      return u'A';
    case u'Е':
      return u'E';
    case u'К':
      return u'K';
    case u'Н':
      return u'H';
    case u'О':
      return u'O';
    case u'Р':
      return u'P';
    case u'С':
      return u'C';
    case u'Т':
      return u'T';
    case u'Х':
      return u'X';
    case u'і':
      return u'i';
    case u'а':
      return u'a';
    case u'е':
      return u'e';
    case u'о':
      return u'o';
    case u'р':
      return u'p';
    case u'с':
      return u'c';
    case u'у':
      return u'y';
    case u'х':
      return u'x';
    default:
      return c;
  }
}

void AddTyposToPhrase(RandomSource& random, std::u16string& p, bool spareEnd) {
  // 1-based positions j = 2..last; p[j - 1] is the character at j.
  const std::ptrdiff_t length = static_cast<std::ptrdiff_t>(p.size());
  const std::ptrdiff_t last = spareEnd ? length - 3 : length - 1;
  bool marked = false;
  for (std::ptrdiff_t j = 2; j <= last; ++j) {
    if (!Chance(random, 0.065F)) continue;
    const auto at = static_cast<std::size_t>(j - 1);
    if (p[at - 1] == u' ' || p[at + 1] == u' ') continue;
    const std::size_t found = kTypoAlphabet.find(p[at]);
    if (found == std::u16string_view::npos) continue;
    if (found >= kFirstTypoVowel && !Chance(random, 0.4F)) continue;
    if (Chance(random, 0.5F)) {
      p[at] = kTypoAlphabet[static_cast<std::size_t>(RandomUpTo(random, 31))];
    } else {
      p[at] = u'\0';
      marked = true;
    }
  }
  if (marked) p.erase(std::remove(p.begin(), p.end(), u'\0'), p.end());
}

}  // namespace

void AddTypos(RandomSource& random, std::vector<std::u16string>& phrases, bool spareEnd) {
  for (std::u16string& p : phrases) AddTyposToPhrase(random, p, spareEnd);
}

void RandomCase(RandomSource& random, std::u16string& phrase) {
  for (char16_t& c : phrase) c = Chance(random, 0.5F) ? UpperChar(c) : LowerChar(c);
}

void MangleSpeech(RandomSource& random, std::u16string& text) {
  for (char16_t& c : text) c = MangleChar(random, c);
}

void LatinLookalikes(std::u16string& text) {
  for (char16_t& c : text) c = LatinLookalike(c);
}

}  // namespace vm
