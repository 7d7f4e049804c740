// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How the desktop program starts: its command line, and what a start asks of
// an instance that already runs for the same folders, as the bytes that go
// over the local socket between them. No I/O here; the Qt side carries the
// bytes and the callbacks do the rest.
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vm {

struct DesktopArguments {
  enum class Action { kRun, kHelp, kVersion, kUsageError };
  Action action = Action::kRun;
  std::optional<int> generate;  // --generate N: one of the generate buttons' counts
  std::string error;            // kUsageError: what is wrong, one line
};

// args: the command line without the program's name. Qt's own options
// (-platform NAME, -display NAME, -session ID, -style NAME, ...) are left to Qt.
DesktopArguments ParseDesktopArguments(const std::vector<std::string>& args);
std::string DesktopHelp();
std::string DesktopVersion(std::string_view version);

// What a start wants done by the instance that runs: bring the window to the
// front (also out of the tray), or put a text of count phrases on the clipboard.
struct InstanceRequest {
  enum class Kind { kShow, kGenerate };
  Kind kind = Kind::kShow;
  int count = 0;
  bool operator==(const InstanceRequest&) const = default;
};
InstanceRequest RequestOf(const DesktopArguments& arguments);

// One line: "verbalomatic 1 show" or "verbalomatic 1 generate N", then LF.
std::string EncodeRequest(const InstanceRequest& request);
enum class RequestParse { kIncomplete, kComplete, kInvalid };
// The bytes received so far: a whole valid line, not yet a whole line, or
// anything else (a line of something else, or more than a line can be).
RequestParse ParseRequest(std::string_view received, InstanceRequest& request);
// The running instance answers with one line.
inline constexpr std::string_view kAnswerDone = "done\n";
inline constexpr std::string_view kAnswerRefused = "refused\n";

// The socket's file name in the user's runtime folder, one per data folder.
std::string InstanceSocketName(std::string_view dataFolder);

// Who a start is. first: it took the instance lock and runs the window
// (after a crash the lock and the socket left behind are taken over).
// Otherwise it handed its request over (or gave up) and ends with status,
// saying message on standard error when it is not empty.
struct StartRole {
  bool first = false;
  int status = 0;
  std::string message;
};
// Asks the running instance (send: the answer, nullopt when none listens),
// else tries to become it (tryLock); between attempts pause() waits. Two
// starts at once settle it between them: the one without the lock asks the
// other once it listens.
StartRole SettleStart(const InstanceRequest& request, int attempts,
                      const std::function<std::optional<std::string>(std::string_view)>& send,
                      const std::function<bool()>& tryLock, const std::function<void()>& pause);

}  // namespace vm
