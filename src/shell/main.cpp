// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/run_desktop.h"

int main(int argc, char** argv) {
  return vm::shell::RunDesktop(argc, argv);
}
