// SPDX-License-Identifier: GPL-3.0-or-later
// The platform layer on the system it is built for: a table of checks, run
// on Linux by ctest and on Windows under Wine. It works in a folder with a
// Cyrillic name beside the current one; exit status 0 when every check holds.
#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>

#include "platform/platform.h"

namespace fs = std::filesystem;
namespace pf = vm::platform;

namespace {

fs::path Name(const char* utf8) {
  return pf::PathFromUtf8(utf8);
}

std::string Content(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void Put(const fs::path& file, const std::string& bytes) {
  std::ofstream(file, std::ios::binary) << bytes;
}

// New files never replace; appends add to the end.
bool NewFilesAndAppends(const fs::path& dir) {
  const fs::path file = dir / Name("новый файл.txt");
  std::string error;
  return pf::WriteNewFile(file, "раз\r\n", {}, error) == pf::Created::kDone &&
         pf::WriteNewFile(file, "два", {}, error) == pf::Created::kExists &&
         Content(file) == "раз\r\n" &&
         pf::WriteNewFile(dir / "missing" / "f", "x", {}, error) == pf::Created::kFailed &&
         error == "No such file or directory" && pf::AppendToFile(file, "b", error) &&
         Content(file) == "раз\r\nb" && !pf::AppendToFile(dir, "x", error);
}

bool RenameOverReplaces(const fs::path& dir) {
  const fs::path from = dir / Name("новое.tmp");
  const fs::path to = dir / Name("база.txt");
  Put(from, "new");
  Put(to, "old");
  std::string error;
  return pf::RenameOver(from, to, error) && Content(to) == "new" && !fs::exists(from) &&
         !pf::RenameOver(from, to, error) && Content(to) == "new";
}

bool SecondNames(const fs::path& dir) {
  const fs::path file = dir / Name("с именем.txt");
  const fs::path link = dir / Name("второе имя.txt");
  Put(file, "общее");
  std::string error;
  return pf::LinkFile(file, link, error) == pf::Created::kDone && Content(link) == "общее" &&
         pf::LinkFile(file, link, error) == pf::Created::kExists &&
         pf::MakePrivateFolder(dir / Name("папка"), error) == pf::Created::kDone &&
         pf::MakePrivateFolder(dir / Name("папка"), error) == pf::Created::kExists;
}

bool ReadsAndTellsKinds(const fs::path& dir) {
  const fs::path file = dir / Name("чтение.txt");
  Put(file, "12345");
  pf::InputFile input;
  std::string error;
  char buffer[8] = {};
  if (!input.Open(file, false, error) || input.Status().kind != pf::FileKind::kRegular ||
      input.Status().size != 5 || input.Read(buffer, sizeof buffer, error) != 5 ||
      std::string(buffer, 5) != "12345" || input.Read(buffer, sizeof buffer, error) != 0)
    return false;
  pf::InputFile folder;
  pf::FileStatus status;
  const std::time_t now = std::time(nullptr);  // the stamp follows the write
  return folder.Open(dir, false, error) && folder.Status().kind == pf::FileKind::kFolder &&
         !input.Open(dir / "missing", false, error) && error == "No such file or directory" &&
         pf::StatFile(file, status, error) && status.kind == pf::FileKind::kRegular &&
         status.size == 5 && status.modifiedSeconds >= now - 60 &&
         status.modifiedSeconds <= now + 60 && status.modifiedNanoseconds < 1'000'000'000;
}

bool ListsFolders(const fs::path& dir) {
  const fs::path sub = dir / Name("список");
  fs::create_directories(sub / Name("вложенная"));
  Put(sub / Name("source_ёж.txt"), "");
  int files = 0;
  int folders = 0;
  for (const pf::FolderEntry& entry : pf::ListFolder(sub)) {
    if (entry.regular && pf::Utf8OfPath(entry.name) == "source_ёж.txt") ++files;
    if (!entry.regular && pf::Utf8OfPath(entry.name) == "вложенная") ++folders;
    if (entry.name == "." || entry.name == "..") return false;
  }
  const std::string text = "Мои базы/source_Ёж.txt";  // names stay UTF-8
  const fs::path path = pf::PathFromUtf8(text);
  return files == 1 && folders == 1 && pf::ListFolder(dir / "missing").empty() &&
         pf::Utf8OfPath(path) == text && pf::Utf8OfPath(path.filename()) == "source_Ёж.txt";
}

bool LocksExclude(const fs::path& dir) {
  const fs::path file = dir / Name("замок.lock");
  pf::FileLock first;
  pf::FileLock second;
  std::string error;
  if (!first.TryLock(file, error) || second.TryLock(file, error)) return false;
  first.Unlock();
  return second.TryLock(file, error) && second.Held() && !first.Held();
}

bool KnowsProcessesAndTime(const fs::path&) {
  const std::int32_t start = pf::TickCount();
  std::this_thread::sleep_for(std::chrono::milliseconds(60));
  const std::int32_t elapsed = pf::TickCount() - start;
  // Time zones lie whole minutes apart, so the seconds agree with UTC.
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  return pf::ProcessId() != 0 && pf::ProcessAlive(pf::ProcessId()) && !pf::ProcessAlive(0) &&
         !pf::ProcessAlive(0x7FFFFFF0U) && elapsed >= 40 && elapsed < 5000 &&
         pf::LocalTime(now, local) && local.tm_sec == static_cast<int>(now % 60) &&
         local.tm_year >= 120 && local.tm_mon >= 0 && local.tm_mon < 12 && local.tm_mday >= 1 &&
         local.tm_mday <= 31;
}

struct Check {
  const char* name;
  bool (*run)(const fs::path& dir);
};

constexpr Check kChecks[] = {
    {"new files never replace, appends", NewFilesAndAppends},
    {"rename over replaces", RenameOverReplaces},
    {"second names and private folders", SecondNames},
    {"reads, tells kinds and stamps", ReadsAndTellsKinds},
    {"lists folders, names stay UTF-8", ListsFolders},
    {"locks exclude", LocksExclude},
    {"knows processes and time", KnowsProcessesAndTime},
};

}  // namespace

int main() {
  const fs::path dir =
      fs::absolute(pf::PathFromUtf8("проверка платформы " + std::to_string(pf::ProcessId())));
  int failed = 0;
  for (const Check& check : kChecks) {
    fs::remove_all(dir);
    fs::create_directories(dir);
    const bool ok = check.run(dir);
    std::printf("%s %s\n", ok ? "ok    " : "FAILED", check.name);
    failed += ok ? 0 : 1;
  }
  fs::remove_all(dir);
  return failed == 0 ? 0 : 1;
}
