// SPDX-License-Identifier: GPL-3.0-or-later
#include "generation/pseudo_word.h"

#include <string_view>

#include "text/letter_case.h"

namespace vm {
namespace {

constexpr std::u16string_view kConsonantStarts = u"бвгджзклмнпрстфхцчшщ";
constexpr std::u16string_view kVowelStarts = u"аеиоуэюя";
constexpr std::u16string_view kAnyStart = u"абвгдежзиклмнопрстуфхцчшщэюя";
// The last letter of each (й, ы) may only end a word.
constexpr std::u16string_view kAlternationConsonants = u"бвгджзклмнпрстфхцчшщй";
constexpr std::u16string_view kAlternationVowels = u"ааееииооууы";
constexpr std::u16string_view kVowels = u"аеиоуыэюя";

// After this many rejected letters at one position the alternation is taken
// without a draw. Alternation never repeats the previous letter, so this only
// guarantees an end; with a sound random source it is never reached.
constexpr int kMaxRedraws = 64;

bool IsVowel(char16_t c) {
  return kVowels.find(c) != std::u16string_view::npos;
}

std::u16string_view FollowSet(char16_t c) {
  switch (c) {
    case u'а':
      return u"еиоуэюя";
    case u'е':
      return u"юя";
    case u'и':
      return u"еюя";
    case u'о':
      return u"еюя";
    case u'у':
      return u"еиюя";
    case u'ы':
      return u"еи";
    case u'б':
      return u"дзлр";
    case u'ф':
      return u"дзлр";
    case u'в':
      return u"бжклмнпрсцш";
    case u'г':
      return u"вдлнр";
    case u'д':
      return u"вжнрш";
    case u'ж':
      return u"бдлмр";
    case u'з':
      return u"вдлн";
    case u'к':
      return u"влмнр";
    case u'л':
      return u"жксч";
    case u'м':
      return u"бждклр";
    case u'н':
      return u"гдцн";
    case u'п':
      return u"лмнртчш";
    case u'р':
      return u"вджзклмнтчщ";
    case u'с':
      return u"вджклмнпртхцш";
    case u'т':
      return u"вклмрш";
    case u'х':
      return u"влнртч";
    case u'ч':
      return u"влпрт";
    case u'ш':
      return u"вклмнрт";
    case u'щ':
      return u"вклмнрт";
    default:
      return {};
  }
}

bool AlwaysAlternates(char16_t c) {
  return c == u'ц' || c == u'э' || c == u'ю' || c == u'я';
}

char16_t DrawFrom(RandomSource& random, std::u16string_view set) {
  return set[static_cast<std::size_t>(
      RandomUpTo(random, static_cast<std::int32_t>(set.size()) - 1))];
}

char16_t Alternate(RandomSource& random, char16_t previous, bool lastPosition) {
  std::u16string_view set = IsVowel(previous) ? kAlternationConsonants : kAlternationVowels;
  if (!lastPosition) set.remove_suffix(1);
  return DrawFrom(random, set);
}

char16_t NextLetter(RandomSource& random, char16_t previous, bool lastPosition) {
  for (int attempt = 0; attempt < kMaxRedraws; ++attempt) {
    if (AlwaysAlternates(previous) || Chance(random, 0.9F))
      return Alternate(random, previous, lastPosition);
    const std::u16string_view follow = FollowSet(previous);
    if (follow.empty()) continue;
    const char16_t letter = DrawFrom(random, follow);
    if (letter != previous) return letter;
  }
  return Alternate(random, previous, lastPosition);
}

float DoublingChance(char16_t c) {
  if (c == u'а' || c == u'н') return 0.04F;
  if (c == u'и' || c == u'о') return 0.02F;
  return 0.0F;
}

}  // namespace

std::u16string MakePseudoWord(RandomSource& random, std::int32_t length, std::uint8_t mode,
                              bool capitalise) {
  if (length < 2) return {};
  const std::u16string_view starts = mode == 1   ? kConsonantStarts
                                     : mode == 2 ? kVowelStarts
                                                 : kAnyStart;
  std::u16string word;
  word.reserve(static_cast<std::size_t>(length));
  bool doubleNext = false;
  for (std::int32_t k = 1; k <= length; ++k) {
    char16_t letter = 0;
    if (k == 1) {
      letter = DrawFrom(random, starts);
    } else if (doubleNext) {
      letter = word.back();
    } else {
      letter = NextLetter(random, word.back(), k == length);
    }
    if (doubleNext) {
      doubleNext = false;
    } else {
      const float chance = DoublingChance(letter);
      if (chance > 0.0F) doubleNext = Chance(random, chance);
    }
    word.push_back(letter);
  }
  if (capitalise) word[0] = UpperChar(word[0]);
  return word;
}

}  // namespace vm
