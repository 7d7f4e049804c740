// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/cli.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <regex>
#include <sstream>

#include "cli/cli_help.h"
#include "temp_folder.h"
#include "text/cp1251.h"

namespace vm {
namespace {

using test::TempFolder;
using Json = nlohmann::json;

struct CliRun {
  int status;
  std::string out;
  std::string err;
};

// In-process, with a base cap the test can pass.
CliRun Cli(std::vector<std::string> args, const std::string& in = {},
           std::size_t baseByteLimit = kBaseByteLimit) {
  std::istringstream input(in);
  std::ostringstream out, err;
  CliRequest request = ParseCli(args, out, err);
  request.baseByteLimit = baseByteLimit;
  const int status = request.command == CliRequest::Command::kNone
                         ? request.status
                         : ExecuteCli(request, input, out, err);
  return {status, out.str(), err.str()};
}

std::vector<std::string> Words(const std::string& line) {
  std::istringstream in(line);
  std::vector<std::string> words;
  for (std::string w; in >> w;) words.push_back(w);
  return words;
}

// Endless input stops at the cap (1 GiB in use; 1 KiB here) with status 1.
TEST(Cli, InputPastTheCapIsAnError) {
  const CliRun run = Cli({"generate", "-b", "-"}, std::string(2048, 'y'), 1024);
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out, "");
  EXPECT_NE(run.err.find("'-': longer than 1 KiB, more than a base may hold"), std::string::npos)
      << run.err;
}

// Every text of a --json run names the seed that brings it back alone.
TEST(Cli, EachTextsSeedReproducesIt) {
  for (const char* options :
       {"punctuation,nocaps,cache,breaks", "entropy,cache", "omsk,breaks,lyrics,morph,typos",
        "chaos,entropy,markup,classictags", "latin,markup,iq,mixedcase"}) {
    const std::vector<std::string> args = {
        "generate", "-b", VM_BASES_DIR "/standard.txt", "-n", "20", "-o", options};
    auto repeated = args;
    repeated.insert(repeated.end(), {"--json", "--repeat", "20"});
    const CliRun run = Cli(repeated);
    ASSERT_EQ(run.status, 0) << run.err;
    std::istringstream lines(run.out);
    int texts = 0;
    for (std::string line; std::getline(lines, line); ++texts) {
      const Json text = Json::parse(line);
      EXPECT_EQ(text["count"], 20);
      EXPECT_EQ(text["base"], Json::parse(R"({"name": "standard.txt", "lines": 3000})"));
      if (std::string(options).find("entropy") == std::string::npos) {
        EXPECT_EQ(text["options"], Json(Words(std::regex_replace(options, std::regex(","), " "))));
      }
      auto alone = args;
      alone.insert(alone.end(),
                   {"--rng-seed", std::to_string(text["rng_seed"].get<std::uint64_t>())});
      EXPECT_EQ(Cli(alone).out, text["text"].get<std::string>() + "\n") << options;
    }
    EXPECT_EQ(texts, 20);
  }
}

// Each box name ticks its own box, and --json names it back.
TEST(Cli, OptionNamesMatchTheirBoxes) {
  for (const OptionBoxName& box : OptionBoxNames()) {
    const CliRun run = Cli({"generate", "--json", "--rng-seed", "3", "-o", box.name});
    const Json options = Json::parse(run.out)["options"];
    EXPECT_EQ(std::count(options.begin(), options.end(), box.name), 1) << box.name;
    if (box.box != kOptEntropy) {
      EXPECT_EQ(options.size(), 1U) << box.name;
    }
  }
}

TEST(Cli, SeedTextGivesTheSameTextWhateverTheOptions) {
  const CliRun a = Cli({"generate", "--seed", "привет", "--json"});
  const CliRun b = Cli({"generate", "--seed", "привет", "-o", "lyrics,chaos,markup", "-n", "124"});
  const Json text = Json::parse(a.out);
  EXPECT_EQ(text["seed"], "привет");
  EXPECT_EQ(text["text"].get<std::string>() + "\n", b.out);
  EXPECT_NE(text["options"], Json::array({"punctuation", "nocaps", "cache", "breaks"}));
}

}  // namespace
}  // namespace vm
