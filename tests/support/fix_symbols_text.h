// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// FixSymbols over a text, for tests that write their cases as text.
#include <string>

#include "text/cp1251.h"
#include "tools/fix_symbols.h"

namespace vm {

// The rules judge characters by their codes alone, and a character without
// one reads as '?', which they delete: working on the codes gives the same.
inline std::int32_t FixSymbols(std::u16string& text, const FixSymbolsProgress& progress) {
  std::string codes = EncodeCp1251(text);
  const std::int32_t total = FixSymbols(codes, progress);
  text = DecodeCp1251(codes);  // also after uncounted changes alone
  return total;
}

}  // namespace vm
