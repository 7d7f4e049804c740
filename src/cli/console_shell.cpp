// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/console_shell.h"

#include <chrono>
#include <cstdlib>
#include <system_error>

#include "app/beat_clock.h"
#include "text/cp1251.h"
#include "text/strings.h"

namespace vm {

ConsoleShell::ConsoleShell() = default;

std::string TerminalText(std::u16string_view text) {
  std::u16string copy(text);
  ReplaceAll(copy, kCrLf, u"\n");
  return ToUtf8(copy);
}

void ConsoleShell::ShowText(std::u16string_view text, Alignment) {
  shown_ = std::u16string(text);
  if (echo_ != nullptr) *echo_ << TerminalText(text) << '\n' << std::flush;
}

// Scripts have no desktop trash: the formatter keeps the old content as
// "<name>.bak" beside the new one instead.
bool ConsoleShell::KeepInTrash(const std::filesystem::path&, std::u16string& error) {
  error.clear();
  return false;
}

std::int32_t ConsoleShell::TickCount() const {
  return SteadyTickCount();
}

}  // namespace vm
