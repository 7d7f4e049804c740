// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/console_shell.h"

#include <chrono>
#include <cstdlib>
#include <system_error>

#include "app/beat_clock.h"
#include "text/cp1251.h"

namespace vm {

ConsoleShell::ConsoleShell() = default;

std::string TerminalText(std::u16string_view text) {
  // Every CR LF becomes LF: a CR goes when an LF follows it.
  std::u16string copy(text.size(), u'\0');
  std::size_t n = 0;
  for (std::size_t i = 0; i < text.size(); ++i)
    if (text[i] != u'\r' || i + 1 == text.size() || text[i + 1] != u'\n') copy[n++] = text[i];
  copy.resize(n);
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
