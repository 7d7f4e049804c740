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
// new one as "<name>.bak" instead, so nothing is lost. The file itself stays
// (the backup is a second link, or a copy) until the new content is renamed
// over it, so a kill at any moment leaves a whole base behind.
bool ConsoleShell::MoveToTrash(const std::filesystem::path& path, std::u16string& error) {
  std::filesystem::path backup = path;
  backup += ".bak";
  std::filesystem::path kept = backup;
  kept += ".tmp";
  std::error_code ec;
  std::filesystem::remove(kept, ec);
  std::filesystem::create_hard_link(path, kept, ec);
  if (ec) {
    ec.clear();
    std::filesystem::copy_file(path, kept, ec);
  }
  if (!ec) std::filesystem::rename(kept, backup, ec);
  if (ec) {
    error = DecodeTextFile(ec.message());
    std::error_code ignored;
    std::filesystem::remove(kept, ignored);
  }
  return !ec;
}

std::int32_t ConsoleShell::TickCount() const {
  const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
                      std::chrono::steady_clock::now().time_since_epoch())
                      .count();
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(ms));
}

}  // namespace vm
