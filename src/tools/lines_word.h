// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>
#include <string>

namespace vm {

// The Russian word for "line" that goes with count: "строка", "строки" or "строк".
std::u16string LinesWord(std::int64_t count);

}  // namespace vm
