// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/scramble.h"

#include "text/cp1251.h"

namespace vm {

std::u16string ScrambleText(std::u16string_view text) {
  const auto k = static_cast<std::uint8_t>((text.size() & 30U) + 1U);
  std::u16string out(text.size(), u'\0');
  for (std::size_t i = 0; i < text.size(); ++i)
    out[i] = Cp1251ToChar(static_cast<std::uint8_t>(Cp1251CodeOf(text[i]) ^ k));
  return out;
}

}  // namespace vm
