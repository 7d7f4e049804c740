// SPDX-License-Identifier: GPL-3.0-or-later
// The desktop program's command line, the requests a later start hands to
// the running instance, who of two starts runs the window, and the folders.
#include "app/desktop_start.h"

#include <gtest/gtest.h>

#include <deque>
#include <map>

#include "app/program_folders.h"
#include "temp_folder.h"

namespace vm {
namespace {

using Action = DesktopArguments::Action;
using Kind = InstanceRequest::Kind;

TEST(DesktopStart, CommandLine) {
  const struct {
    std::vector<std::string> args;
    Action action;
    std::optional<int> generate;
  } cases[] = {
      {{}, Action::kRun, {}},
      {{"--help"}, Action::kHelp, {}},
      {{"-h"}, Action::kHelp, {}},
      {{"--generate", "10", "--version"}, Action::kVersion, {}},
      {{"--generate", "10"}, Action::kRun, 10},
      {{"--generate=124"}, Action::kRun, 124},
      {{"-platform", "offscreen", "--generate", "1"}, Action::kRun, 1},
      {{"--platform=xcb", "-reverse", "-session", "x1"}, Action::kRun, {}},
      {{"--generate", "11"}, Action::kUsageError, {}},
      {{"--generate", "10x"}, Action::kUsageError, {}},
      {{"--generate"}, Action::kUsageError, {}},
      {{"--generat", "10"}, Action::kUsageError, {}},
      {{"base.txt"}, Action::kUsageError, {}},
      {{"-display"}, Action::kUsageError, {}},
  };
  for (const auto& c : cases) {
    std::string line;
    for (const auto& arg : c.args) line += arg + " ";
    const DesktopArguments parsed = ParseDesktopArguments(c.args);
    EXPECT_EQ(parsed.action, c.action) << line;
    EXPECT_EQ(parsed.generate, c.generate) << line;
    EXPECT_EQ(parsed.error.empty(), c.action != Action::kUsageError) << line << parsed.error;
  }
  EXPECT_EQ(DesktopVersion("1.2.3"), "verbalomatic 1.2.3\n");
  EXPECT_NE(DesktopHelp().find("--generate N"), std::string::npos);
}

TEST(DesktopStart, RequestsTravelAsOneLine) {
  EXPECT_EQ(RequestOf(ParseDesktopArguments({})), InstanceRequest{});
  const InstanceRequest generate = RequestOf(ParseDesktopArguments({"--generate", "44"}));
  EXPECT_EQ(generate, (InstanceRequest{Kind::kGenerate, 44}));
  for (const InstanceRequest& request : {InstanceRequest{}, generate}) {
    const std::string bytes = EncodeRequest(request);
    InstanceRequest parsed{Kind::kGenerate, 1};
    EXPECT_EQ(ParseRequest(bytes, parsed), RequestParse::kComplete) << bytes;
    EXPECT_EQ(parsed, request);
    EXPECT_EQ(ParseRequest(bytes.substr(0, bytes.size() - 1), parsed), RequestParse::kIncomplete);
  }
  EXPECT_EQ(EncodeRequest(generate), "verbalomatic 1 generate 44\n");
  for (const std::string& bad : std::vector<std::string>{
           "verbalomatic 1 generate 3\n", "verbalomatic 1 show\nx", "verbalomatic 2 show\n",
           "verbalomatic 1 quit\n", "GET / HTTP/1.0\r\n", std::string(64, 'v')}) {
    InstanceRequest parsed;
    EXPECT_EQ(ParseRequest(bad, parsed), RequestParse::kInvalid) << bad;
  }
}

TEST(DesktopStart, SocketNamesFollowTheDataFolder) {
  EXPECT_EQ(InstanceSocketName("/home/u/.local/share/verbalomatic"),
            InstanceSocketName("/home/u/.local/share/verbalomatic"));
  EXPECT_NE(InstanceSocketName("/a"), InstanceSocketName("/b"));
  EXPECT_EQ(InstanceSocketName(std::string(4000, 'x')).size(), 29U);
}

// Each step of a start: is there an answer at the socket, is the lock free.
struct World {
  std::deque<std::optional<std::string>> answers;
  std::deque<bool> locks;
  int pauses = 0;
  std::vector<std::string> sent;

  StartRole Start(const InstanceRequest& request, int attempts = 3) {
    return SettleStart(
        request, attempts,
        [this](std::string_view bytes) {
          sent.emplace_back(bytes);
          auto answer = answers.empty() ? std::nullopt : answers.front();
          if (!answers.empty()) answers.pop_front();
          return answer;
        },
        [this] {
          const bool free = !locks.empty() && locks.front();
          if (!locks.empty()) locks.pop_front();
          return free;
        },
        [this] { ++pauses; });
  }
};

TEST(DesktopStart, WhoRunsTheWindow) {
  const struct {
    std::deque<std::optional<std::string>> answers;
    std::deque<bool> locks;
    bool first;
    int status;
    int pauses;
  } cases[] = {
      // Nobody runs (or a crash left its socket and lock): this start runs.
      {{std::nullopt}, {true}, true, 0, 0},
      // An instance answers at once.
      {{"done\n"}, {}, false, 0, 0},
      {{"refused\n"}, {}, false, 1, 0},
      {{"what?\n"}, {}, false, 1, 0},
      // Two starts at once: the other one holds the lock and listens later.
      {{std::nullopt, std::nullopt, "done\n"}, {false, false}, false, 0, 2},
      // The lock holder never listens.
      {{}, {false, false, false}, false, 1, 2},
  };
  for (const auto& c : cases) {
    World world;
    world.answers = c.answers;
    world.locks = c.locks;
    const StartRole role = world.Start({Kind::kGenerate, 10});
    EXPECT_EQ(role.first, c.first);
    EXPECT_EQ(role.status, c.status);
    EXPECT_EQ(role.message.empty(), c.status == 0) << role.message;
    EXPECT_EQ(world.pauses, c.pauses);
    EXPECT_EQ(world.sent.front(), "verbalomatic 1 generate 10\n");
  }
}

TEST(ProgramFolders, BesideTheExecutableUnlessInstalled) {
  const std::map<std::string, std::string> home = {{"HOME", "/home/u"}};
  const std::map<std::string, std::string> xdg = {
      {"HOME", "/home/u"}, {"XDG_CONFIG_HOME", "/cfg"}, {"XDG_DATA_HOME", "/data"}};
  const std::map<std::string, std::string> relative = {
      {"HOME", "/home/u"}, {"XDG_CONFIG_HOME", "cfg"}, {"XDG_DATA_HOME", "data"}};
  const struct {
    std::string folder;
    bool writable;
    std::map<std::string, std::string> environment;
    std::string settings;
    std::string data;
  } cases[] = {
      {"/src/vm/build/debug/src/shell", true, home, "/src/vm/build/debug/src/shell",
       "/src/vm/build/debug/src/shell"},
      {"/opt/verbalomatic", true, xdg, "/opt/verbalomatic", "/opt/verbalomatic"},
      {"/usr/bin", false, home, "/home/u/.config/verbalomatic",
       "/home/u/.local/share/verbalomatic"},
      {"/home/u/.local/bin", true, home, "/home/u/.config/verbalomatic",
       "/home/u/.local/share/verbalomatic"},
      {"/tmp/prefix/bin/", true, xdg, "/cfg/verbalomatic", "/data/verbalomatic"},
      {"/usr/bin", false, relative, "/home/u/.config/verbalomatic",
       "/home/u/.local/share/verbalomatic"},
      {"/opt/verbalomatic", false, {}, "/.config/verbalomatic", "/.local/share/verbalomatic"},
  };
  for (const auto& c : cases) {
    const ProgramFolders folders =
        ChooseProgramFolders(c.folder, c.writable, [&](const char* name) {
          const auto it = c.environment.find(name);
          return it == c.environment.end() ? std::string() : it->second;
        });
    EXPECT_EQ(folders.settings, c.settings) << c.folder;
    EXPECT_EQ(folders.data, c.data) << c.folder;
    EXPECT_EQ(folders.perUser, c.settings != c.folder) << c.folder;
  }
}

TEST(ProgramFolders, AreMadeOnFirstUse) {
  test::TempFolder home;
  const ProgramFolders folders{home / ".config/verbalomatic", home / ".local/share/verbalomatic",
                               true};
  std::string error;
  ASSERT_TRUE(MakeProgramFolders(folders, error)) << error;
  ASSERT_TRUE(MakeProgramFolders(folders, error)) << error;
  for (const auto& folder : {folders.settings, folders.data}) {
    EXPECT_TRUE(std::filesystem::is_directory(folder));
    EXPECT_EQ(std::filesystem::status(folder).permissions(), std::filesystem::perms::owner_all);
  }
  home.Write("file", "");
  EXPECT_FALSE(MakeProgramFolders({home / "file/x", home / "file/y", true}, error));
  EXPECT_FALSE(error.empty());
}

}  // namespace
}  // namespace vm
