// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/desktop_start.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdint>
#include <cstdio>

#include "app/gen_keys.h"

namespace vm {
namespace {

constexpr std::string_view kTag = "verbalomatic 1 ";
constexpr std::size_t kLongestRequest = 64;

// Qt's own command-line options, given with one dash or two: those that
// take the next argument as their value, and plain switches.
constexpr std::array<std::string_view, 15> kQtValueOptions = {
    "platform",    "platformpluginpath", "platformtheme", "plugin", "display", "geometry",
    "style",       "stylesheet",         "session",       "name",   "title",   "qwindowgeometry",
    "qwindowicon", "qwindowtitle",       "visual"};
constexpr std::array<std::string_view, 7> kQtSwitches = {
    "reverse", "widgetcount", "nograb", "dograb", "sync", "cmap", "qmljsdebugger"};

template <std::size_t N>
bool Among(const std::array<std::string_view, N>& names, std::string_view name) {
  return std::find(names.begin(), names.end(), name) != names.end();
}

std::optional<int> CountOf(std::string_view text) {
  int count = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), count);
  if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
  if (std::find(kGenButtonCounts.begin(), kGenButtonCounts.end(), count) == kGenButtonCounts.end())
    return std::nullopt;
  return count;
}

DesktopArguments UsageError(std::string error) {
  DesktopArguments arguments;
  arguments.action = DesktopArguments::Action::kUsageError;
  arguments.error = std::move(error);
  return arguments;
}

}  // namespace

DesktopArguments ParseDesktopArguments(const std::vector<std::string>& args) {
  DesktopArguments arguments;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string_view arg = args[i];
    if (arg == "--help" || arg == "-h") return {DesktopArguments::Action::kHelp, {}, {}};
    if (arg == "--version") return {DesktopArguments::Action::kVersion, {}, {}};
    if (!arg.starts_with('-') || arg == "-" || arg == "--")
      return UsageError("unexpected argument '" + std::string(arg) + "'");
    std::string_view name = arg.substr(arg.starts_with("--") ? 2 : 1);
    std::optional<std::string_view> value;
    if (const auto equals = name.find('='); equals != std::string_view::npos) {
      value = name.substr(equals + 1);
      name = name.substr(0, equals);
    }
    const bool takesValue = name == "generate" || Among(kQtValueOptions, name);
    if (!takesValue && !Among(kQtSwitches, name))
      return UsageError("unknown option '" + std::string(arg) + "'");
    if (takesValue && !value) {
      if (i + 1 == args.size()) return UsageError("'" + std::string(arg) + "' needs a value");
      value = args[++i];
    }
    if (name != "generate") continue;
    arguments.generate = CountOf(*value);
    if (!arguments.generate)
      return UsageError("--generate takes 1, 5, 10, 15, 20, 28, 44, 60 or 124, not '" +
                        std::string(*value) + "'");
  }
  return arguments;
}

std::string DesktopHelp() {
  return "Usage: verbalomatic [--generate N]\n"
         "       verbalomatic --help | --version\n"
         "\n"
         "Starts the Verbalomatic window. When it already runs, a new start brings\n"
         "its window to the front, also out of the tray, and ends.\n"
         "\n"
         "  --generate N  has the running program make a text of N phrases and put\n"
         "                it on the clipboard, as the tray menu's \"Сгенерировать\"\n"
         "                does; N is 1, 5, 10, 15, 20, 28, 44, 60 or 124 (the program\n"
         "                adds 0 to 4 more). When none runs, starts it in the tray.\n"
         "  --help        prints this help.\n"
         "  --version     prints the version.\n"
         "\n"
         "Qt's own options (-platform, -display, -style, ...) go to Qt.\n"
         "Exit status: 0 done; 1 the running program did not answer or made no\n"
         "text; 2 a usage error. See man verbalomatic for the files it keeps.\n";
}

std::string DesktopVersion(std::string_view version) {
  return "verbalomatic " + std::string(version) + "\n";
}

InstanceRequest RequestOf(const DesktopArguments& arguments) {
  if (arguments.generate) return {InstanceRequest::Kind::kGenerate, *arguments.generate};
  return {};
}

std::string EncodeRequest(const InstanceRequest& request) {
  if (request.kind == InstanceRequest::Kind::kGenerate)
    return std::string(kTag) + "generate " + std::to_string(request.count) + "\n";
  return std::string(kTag) + "show\n";
}

RequestParse ParseRequest(std::string_view received, InstanceRequest& request) {
  const auto end = received.find('\n');
  if (end == std::string_view::npos)
    return received.size() < kLongestRequest ? RequestParse::kIncomplete : RequestParse::kInvalid;
  if (end + 1 != received.size() || !received.starts_with(kTag)) return RequestParse::kInvalid;
  const std::string_view words = received.substr(kTag.size(), end - kTag.size());
  if (words == "show") {
    request = {};
    return RequestParse::kComplete;
  }
  constexpr std::string_view kGenerate = "generate ";
  if (!words.starts_with(kGenerate)) return RequestParse::kInvalid;
  const auto count = CountOf(words.substr(kGenerate.size()));
  if (!count) return RequestParse::kInvalid;
  request = {InstanceRequest::Kind::kGenerate, *count};
  return RequestParse::kComplete;
}

std::string InstanceSocketName(std::string_view dataFolder) {
  // FNV-1a: a short stable name for a folder path of any length.
  std::uint64_t hash = 14695981039346656037ULL;
  for (const char c : dataFolder) {
    hash ^= static_cast<unsigned char>(c);
    hash *= 1099511628211ULL;
  }
  char hex[17];
  std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(hash));
  return std::string("verbalomatic-") + hex;
}

StartRole SettleStart(const InstanceRequest& request, int attempts,
                      const std::function<std::optional<std::string>(std::string_view)>& send,
                      const std::function<bool()>& tryLock, const std::function<void()>& pause) {
  const std::string bytes = EncodeRequest(request);
  for (int attempt = 0; attempt < attempts; ++attempt) {
    if (const auto answer = send(bytes)) {
      if (*answer == kAnswerDone) return {false, 0, {}};
      if (*answer == kAnswerRefused)
        return {false, 1, "verbalomatic: the running program made no text (busy or no base)"};
      return {false, 1, "verbalomatic: the running program gave an unexpected answer"};
    }
    if (tryLock()) return {true, 0, {}};
    if (attempt + 1 < attempts) pause();
  }
  return {false, 1, "verbalomatic: the running program does not answer"};
}

}  // namespace vm
