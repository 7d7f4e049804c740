#pragma once
// verbalomatic-cli: the program object driven from a terminal.
#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "generation/options.h"

namespace vm {

// A parsed and checked command line. Parsing touches no file.
struct CliRequest {
  enum class Command { kNone, kGenerate, kLoad, kRhymes, kFormat, kImport };
  // kNone: nothing to run (help, version or a usage error); status says how it ended.
  Command command = Command::kNone;
  int status = 0;

  std::string baseFile;  // --base
  std::string builtin;   // --builtin
  std::optional<std::int64_t> rngSeed;
  OptionBoxes boxes{};  // generate: the ticked option boxes
  int count = 10;
  int repeat = 1;
  std::optional<std::string> seedText;
  bool lineMode = false;  // rhymes --lines
  std::string rhymeText;
  bool yes = false;  // format --yes
  std::string formatFile;
  std::string into = ".";
  std::vector<std::string> importFiles;
};

// Parses args; help, version and usage errors are written here.
CliRequest ParseCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
// Runs a request whose command is not kNone.
int ExecuteCli(const CliRequest& request, std::ostream& out, std::ostream& err);

// Exit status: 0 success, 1 file errors (and skipped imports, failed
// writes), 2 usage errors, 3 when generation showed one of its failure messages.
int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace vm
