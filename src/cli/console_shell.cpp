#include "cli/console_shell.h"

#include <chrono>
#include <cstdlib>
#include <system_error>

#include "text/cp1251.h"
#include "text/strings.h"

namespace vm {

ConsoleShell::ConsoleShell() = default;

std::string TerminalText(std::u16string_view text) {
  std::u16string copy(text);
  ReplaceAll(copy, kCrLf, u"\n");
  return ToUtf8(copy);
}

void ConsoleShell::ShowText(std::u16string_view text, Alignment alignment) {
  shown_ = std::u16string(text);
  alignment_ = alignment;
  if (echo_ != nullptr) *echo_ << TerminalText(text) << '\n' << std::flush;
}

// Scripts have no desktop trash; the formatter's old file is kept beside the
// new one as "<name>.bak" instead, so nothing is lost.
bool ConsoleShell::MoveToTrash(const std::filesystem::path& path, std::u16string& error) {
  std::filesystem::path backup = path;
  backup += ".bak";
  std::error_code ec;
  std::filesystem::rename(path, backup, ec);
  if (ec) error = DecodeTextFile(ec.message());
  return !ec;
}

std::int32_t ConsoleShell::TickCount() const {
  const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
                      std::chrono::steady_clock::now().time_since_epoch())
                      .count();
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(ms));
}

}  // namespace vm
