// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The last step of the clean-up: the deleted characters go.
#include <cstddef>

namespace vm {

// What becomes of a marker right before an LF.
enum class MarkerBeforeLf { kGoes, kBecomesCr };

// Writes text[0, size) without its markers (code 0) to out and returns the
// end of what it wrote. out may be text itself; else it has 8 spare bytes.
// With kBecomesCr a marker right before an LF becomes its CR: in the
// import's cut text every LF came right after its CR, which the clean-up
// always deletes, so every line end comes out as CR LF and the text still
// only shrinks.
char* DropMarkers(const char* text, std::size_t size, char* out, MarkerBeforeLf beforeLf);

}  // namespace vm
