// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <filesystem>
#include <string>

namespace vm {

// Local last-write time as "Y-M-D h:m:s" without leading zeros, then the
// nanoseconds and the size; only ever compared for equality. An unreadable
// file gives "?".
std::u16string FileTimeText(const std::filesystem::path& path);

}  // namespace vm
