// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The random separator placed after a phrase: comma, dash, blank or a
// sentence end. Every sentence end ends in ". ", "? " or "! ".
#include <cstdint>
#include <string>

#include "random/random_source.h"

namespace vm {

// allowEnd lets a draw of 24..44 become a sentence end; allowEnd together
// with forceEnd always gives one; range bounds the first draw (0..range).
std::u16string MakeSeparator(RandomSource& random, bool allowEnd, bool forceEnd,
                             std::uint8_t range);

}  // namespace vm
