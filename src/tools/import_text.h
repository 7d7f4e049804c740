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

// Cuts one-line phrases: a line ends at the first blank or line break at
// least `threshold` characters after the previous cut (a new threshold for
// every character), or earlier at a line break at least 3 characters after
// it. Then the source's own line breaks go and every cut becomes CR LF.
void CutIntoPhraseLines(std::u16string& text, const std::function<std::int32_t()>& threshold);
// The same with thresholds drawn as 20 + RandomUpTo(10).
void CutIntoPhraseLines(RandomSource& random, std::u16string& text);

// Cut, upper-case, yield once, FixSymbols (yielding during its passes; the
// optional passDone sees each pass's count), then LF becomes CR LF.
std::u16string PrepareImportedBase(
    RandomSource& random, std::u16string text, const std::function<void()>& yield,
    const std::function<void(std::int32_t passChanges)>& passDone = {});

}  // namespace vm
