// SPDX-License-Identifier: GPL-3.0-or-later
#include <csignal>
#include <iostream>

#include "cli/cli.h"

int main(int argc, char** argv) {
  // A reader that goes away (| head) shows up as EPIPE, which ends the run quietly.
  std::signal(SIGPIPE, SIG_IGN);
  return vm::RunCli(std::vector<std::string>(argv + 1, argv + argc), std::cin, std::cout,
                    std::cerr);
}
