// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The pure steps of base creation by import: the target name, the cutting
// into phrase lines and the clean-up of the imported text.
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>

#include "random/random_source.h"

namespace vm {

// Only the first 10 MiB of a source are imported.
inline constexpr std::size_t kImportByteLimit = 10'485'760;

// folder / ("source_" + lower-cased file name), with ".txt" appended unless
// the name already ends in ".txt" (in any letter case).
std::filesystem::path ImportTargetPath(const std::filesystem::path& folder,
                                       const std::filesystem::path& source);

// The spare room before a source's codes that lets the import work in their
// memory alone: more than cutting adds to most texts (a blank becomes CR LF
// at most every 20 codes, and a source's own CR LF stays as long).
inline constexpr std::size_t kImportRoom = kImportByteLimit / 16;

// The new base's bytes from a source's Windows-1251 codes, as EncodeCp1251
// gives them (a character without a code stands as '?', which the clean-up
// deletes), which follow `room` spare codes in `codes`: with kImportRoom it
// works in that memory alone. Cut into one-line phrases: a line ends
// at the first blank or line break at least 20 + RandomUpTo(10) characters
// after the previous cut (a new threshold drawn for every character), or
// earlier at a line break at least 3 characters after it; then the source's
// own line breaks go and every cut becomes CR LF. Then upper-case, yield
// once, FixSymbols (yielding during its passes; the optional passDone sees
// each pass's count), and LF becomes CR LF. A source without any CR is cut
// as if each of its LFs were CR LF.
std::string PrepareImportedCodes(
    RandomSource& random, std::string codes, std::size_t room, const std::function<void()>& yield,
    const std::function<void(std::int32_t passChanges)>& passDone = {});

}  // namespace vm
