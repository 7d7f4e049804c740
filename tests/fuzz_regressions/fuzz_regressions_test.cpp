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

std::vector<std::uint8_t> ReadInput(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The files of folder, sorted; none when it does not exist.
std::vector<fs::path> InputsIn(const fs::path& folder) {
  std::vector<fs::path> files;
  std::error_code ec;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec))
    if (it->is_regular_file()) files.push_back(it->path());
  std::sort(files.begin(), files.end());
  return files;
}

class FuzzInputs : public testing::TestWithParam<Target> {};

TEST_P(FuzzInputs, EverySavedInputKeepsTheRules) {
  const Target target = GetParam();
  const fs::path tests = VM_TESTS_DIR;
  std::vector<fs::path> inputs = InputsIn(tests / "fuzz" / target.name);
  ASSERT_FALSE(inputs.empty()) << "no seed corpus for " << target.name;
  const auto found = InputsIn(tests / "fuzz_regressions" / target.name);
  inputs.insert(inputs.end(), found.begin(), found.end());
  for (const fs::path& input : inputs) {
    const std::vector<std::uint8_t> bytes = ReadInput(input);
    EXPECT_EQ(target.run(bytes), "") << input;
  }
}

INSTANTIATE_TEST_SUITE_P(Targets, FuzzInputs, testing::ValuesIn(Targets().begin(), Targets().end()),
                         [](const testing::TestParamInfo<Target>& info) {
                           return std::string(info.param.name);
                         });

}  // namespace
}  // namespace vm::fuzz
