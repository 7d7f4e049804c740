// SPDX-License-Identifier: GPL-3.0-or-later
#include "generation/separator.h"

namespace vm {
namespace {

std::u16string Run(char16_t c, std::int32_t count) {
  return std::u16string(static_cast<std::size_t>(count), c);
}

std::u16string SentenceEnd(RandomSource& random) {
  if (Chance(random, 0.6F)) return u". ";
  if (Chance(random, 0.75F)) return Run(u'.', RandomUpTo(random, 4) + 2) + u" ";
  if (Chance(random, 0.88F)) {
    if (Chance(random, 0.5F)) return Run(u'?', RandomUpTo(random, 2) + 1) + u" ";
    return Run(u'!', RandomUpTo(random, 4) + 1) + u" ";
  }
  // Mixed run: the order of the three draws is fixed (choice, a, b).
  const bool questionFirst = Chance(random, 0.5F);
  const std::int32_t a = RandomUpTo(random, 2);
  const std::int32_t b = RandomUpTo(random, 2);
  if (questionFirst) return Run(u'?', a + 1) + Run(u'!', b + 1) + u" ";
  return Run(u'!', a + 1) + Run(u'?', b + 1) + u" ";
}

}  // namespace

std::u16string MakeSeparator(RandomSource& random, bool allowEnd, bool forceEnd,
                             std::uint8_t range) {
  if (!(allowEnd && forceEnd)) {
    const auto d = static_cast<std::uint8_t>(RandomUpTo(random, range));
    if (d <= 23) return Chance(random, 0.86F) ? u", " : u" \u2014 ";
    const std::uint8_t limit = allowEnd ? 44 : 0;
    if (d > limit) return u" ";
  }
  return SentenceEnd(random);
}

}  // namespace vm
