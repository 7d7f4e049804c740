// Kills the command-line formatter at each of its steps in turn (a forked
// child dies by SIGKILL at the step) and checks the base file afterwards: it
// holds the old content or the new one, whole, never a mix and never nothing.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>

#include "app/program.h"
#include "cli/console_shell.h"
#include "temp_folder.h"
#include "text/cp1251.h"

namespace vm {
namespace {

namespace fs = std::filesystem;
using test::TempFolder;

// The console shell, dying at its killAt-th step (0: never). A step is each
// shown text, each event loop turn, and either side of the trash step.
class KillingShell : public ConsoleShell {
 public:
  explicit KillingShell(int killAt) : killAt_(killAt) {}

  void ShowText(std::u16string_view text, Alignment alignment) override {
    ConsoleShell::ShowText(text, alignment);
    Step();
  }
  void ProcessEvents() override { Step(); }
  bool KeepInTrash(const fs::path& path, std::u16string& error) override {
    Step();
    const bool kept = ConsoleShell::KeepInTrash(path, error);
    Step();
    return kept;
  }

 private:
  void Step() {
    if (++steps_ == killAt_) ::raise(SIGKILL);
  }
  int killAt_;
  int steps_ = 0;
};

enum class Ending { kKilled, kFinished, kFailed };

// Formats folder/source_x.txt in a child that dies at step killAt.
Ending FormatInChild(const fs::path& folder, int killAt) {
  const pid_t child = ::fork();
  if (child == 0) {
    KillingShell shell(killAt);
    shell.SetAnswer(true);
    Program program(shell, folder);
    program.BaseName() = u"source_x.txt";
    program.SkipAboutOnFirstLoad();
    const bool written = program.FormatBase() == Program::FormatOutcome::kWritten;
    ::_exit(written ? 0 : 1);
  }
  int status = 0;
  if (child < 0 || ::waitpid(child, &status, 0) != child) return Ending::kFailed;
  if (WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) return Ending::kKilled;
  return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? Ending::kFinished : Ending::kFailed;
}

TEST(FormatKill, EveryStepLeavesTheOldOrTheNewBase) {
  TempFolder folder;
  const fs::path base = folder / "source_x.txt";
  const std::string old = EncodeCp1251(u"привет, мир!\r\nпривет, мир!\r\nёлка - зелёная...");
  folder.Write("source_x.txt", old);
  ASSERT_EQ(FormatInChild(folder.path(), 0), Ending::kFinished);
  const std::string fresh = TempFolder::Read(base);
  ASSERT_NE(fresh, old);

  int killed = 0;
  for (int step = 1; step < 200; ++step) {
    for (const auto& entry : fs::directory_iterator(folder.path())) fs::remove(entry.path());
    folder.Write("source_x.txt", old);
    const Ending ending = FormatInChild(folder.path(), step);
    ASSERT_NE(ending, Ending::kFailed) << "step " << step;
    ASSERT_TRUE(fs::exists(base)) << "killed at step " << step << ", the base file is gone";
    const std::string left = TempFolder::Read(base);
    EXPECT_TRUE(left == old || left == fresh) << "killed at step " << step << ", a mixed base";
    if (ending == Ending::kFinished) break;
    ++killed;
  }
  EXPECT_GT(killed, 5);
}

}  // namespace
}  // namespace vm
