// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/lines_word.h"

namespace vm {

std::u16string LinesWord(std::int64_t count) {
  std::int64_t t = count % 100;  // last two digits
  if (t < 0) t = -t;
  const std::int64_t u = t % 10;
  if (u == 0 || (t >= 11 && t <= 19) || u >= 5) return u"строк";
  if (u == 1) return u"строка";
  return u"строки";
}

}  // namespace vm
