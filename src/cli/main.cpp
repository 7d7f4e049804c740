// SPDX-License-Identifier: GPL-3.0-or-later
#include <iostream>

#include "cli/cli.h"
#include "platform/platform.h"

int main(int argc, char** argv) {
  // A reader that goes away (| head) shows up as EPIPE, which ends the run quietly.
  vm::platform::PrepareStandardStreams();
  return vm::RunCli(vm::platform::CommandLineArguments(argc, argv), std::cin, std::cout, std::cerr);
}
