// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How the command line reads a base: standard input, regular files, and pipes
// or FIFOs read to their end as cat reads them. The window refuses anything
// but regular files so that it never blocks; a script's pipe is meant to be
// read, and a FIFO without a writer blocks here exactly as it blocks cat.
#include <cstddef>
#include <istream>
#include <string>

namespace vm {

// The most a base may hold in memory; more is refused, never cut.
inline constexpr std::size_t kBaseByteLimit = std::size_t{1} << 30;  // 1 GiB

// Reads the whole base named name ("-" for in) into bytes; false with the
// reason in error when it is missing, unreadable, a folder, a device or a
// socket, or longer than limit bytes.
bool ReadBaseInput(const std::string& name, std::istream& in, std::size_t limit, std::string& bytes,
                   std::string& error);

// "1 GiB", "64 KiB", "100 bytes": how the limit reads in messages.
std::string ByteSizeText(std::size_t bytes);

}  // namespace vm
