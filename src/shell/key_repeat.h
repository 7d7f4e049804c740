// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace vm::shell {

// Asks the X server to repeat a held key as presses alone, without a
// release before each (XKB detectable auto-repeat). True when it does;
// false on other window systems and servers without XKB.
bool UseDetectableAutoRepeat();

}  // namespace vm::shell
