#pragma once
// verbalomatic-cli: the program object driven from a terminal.
#include <ostream>
#include <string>
#include <vector>

namespace vm {

// Exit status: 0 success, 1 file errors (and skipped imports, failed
// writes), 2 usage errors, 3 when generation showed one of its failure messages.
int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace vm
