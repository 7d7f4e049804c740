// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace vm::shell {

// The whole desktop program: single instance, start-up, event loop and
// shutdown on close, "Выход", SIGTERM, SIGINT or the end of the session.
int RunDesktop(int argc, char** argv);

}  // namespace vm::shell
