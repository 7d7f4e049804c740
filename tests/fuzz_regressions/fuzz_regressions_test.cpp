// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds saved fuzz inputs through the fuzzers' own entry points.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "fuzz_entries.h"

namespace vm::fuzz {
namespace {

namespace fs = std::filesystem;

// The files of folder, sorted; none when it does not exist.
std::vector<fs::path> InputsIn(const fs::path& folder) {
  std::vector<fs::path> files;
  std::error_code ec;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec))
    if (it->is_regular_file()) files.push_back(it->path());
  std::sort(files.begin(), files.end());
  return files;
}

// Every target's seed corpus and the inputs that once broke a rule.
TEST(FuzzInputs, EverySavedInputKeepsTheRules) {
  const fs::path tests = VM_TESTS_DIR;
  for (const Target& target : Targets()) {
    std::vector<fs::path> inputs = InputsIn(tests / "fuzz" / target.name);
    EXPECT_FALSE(inputs.empty()) << "no seed corpus for " << target.name;
    const auto found = InputsIn(tests / "fuzz_regressions" / target.name);
    inputs.insert(inputs.end(), found.begin(), found.end());
    for (const fs::path& input : inputs) {
      std::ifstream in(input, std::ios::binary);
      const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in), {}};
      EXPECT_EQ(target.run(bytes), "") << input;
    }
  }
}

}  // namespace
}  // namespace vm::fuzz
