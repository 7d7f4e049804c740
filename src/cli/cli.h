// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// verbalomatic-cli: the program object driven from a terminal, a script or a
// chat bot. Texts go to out, messages to err, never the other way round.
#include <cstddef>
#include <cstdint>
#include <istream>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "cli/base_input.h"
#include "generation/options.h"

namespace vm {

// A parsed and checked command line. Parsing touches no file.
struct CliRequest {
  enum class Command { kNone, kGenerate, kLoad, kRhymes, kFormat, kImport };
  // kNone: nothing to run (help, version or a usage error); status says how it ended.
  Command command = Command::kNone;
  int status = 0;

  std::string baseFile;  // --base; "-" is standard input
  std::string builtin;   // --builtin
  std::optional<std::uint64_t> rngSeed;
  OptionBoxes boxes{};  // generate: the ticked option boxes
  int count = 10;
  int repeat = 1;
  std::optional<std::string> seedText;
  bool json = false;       // generate: JSON Lines
  bool printSeed = false;  // generate: each text's seed to err
  bool lineMode = false;   // rhymes --lines
  std::string rhymeText;
  bool yes = false;  // format --yes
  std::string formatFile;
  std::string into = ".";
  std::vector<std::string> importFiles;
  std::size_t baseByteLimit = kBaseByteLimit;  // not on the command line; tests lower it
};

// Parses args; help, version and usage errors are written here.
CliRequest ParseCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
// Runs a request whose command is not kNone; in is read for "--base -".
int ExecuteCli(const CliRequest& request, std::istream& in, std::ostream& out, std::ostream& err);

// Exit status: 0 success (also when the reader of out went away), 1 file
// errors (unreadable or refused bases, failed writes, skipped imports), 2
// usage errors, 3 when generation showed one of its failure messages.
int RunCli(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
           std::ostream& err);

}  // namespace vm
