// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The fuzzed entry points. Each runs one input through the code under test
// and checks what must hold for every input; it returns a description of the
// first broken rule, or an empty string. The fuzz executables and the
// regression test in the normal build call the same functions.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace vm::fuzz {

using Input = std::span<const std::uint8_t>;

// DecodeSettings, and the record written back and read again.
std::string Settings(Input data);
// Bytes of a base file through DecodeTextFile and IndexBaseText; LastWord and
// FoldRhymeLetters on every line.
std::string BaseLoad(Input data);
// FixSymbols; the first byte picks Windows-1251 bytes or raw UTF-16 units.
std::string FixSymbolsText(Input data);
// The import's PrepareImportedCodes: four bytes seed the random source, one
// sets the room before the text (up to 63 codes: none, too little to cut in
// place, or room that the text may outgrow), the rest is the source file.
std::string Import(Input data);
// DecipherBase with the resting key; deciphered blocks encipher back.
std::string Decipher(Input data);
// The command-line parse step; arguments are separated by NUL bytes.
std::string CliParse(Input data);

struct Target {
  std::string_view name;  // also the folder of its seed corpus
  std::string (*run)(Input data);
};
std::span<const Target> Targets();

}  // namespace vm::fuzz
