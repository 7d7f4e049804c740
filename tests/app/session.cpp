// SPDX-License-Identifier: GPL-3.0-or-later
// vm-session STEP...: drives the program object as the window would, in the
// current folder, and prints every effect on the desktop, one per line, for
// the golden transcripts. Multi-line texts print as "| " lines. Steps:
//   seed N | opt NAME,... | grey N | prologue T | epilogue T | hidden | visible
//   ctrl | noctrl | answer yes|no | trash-fails (once) | base NAME | noabout | gen N
//   seedtext T | rhymes T | lines T | press N BUTTON | tray N | tick K | about
//   format | import FILE,... | journal | menu | choose N | builtin N | open
//   reload | hint | openjournal | dump (lines and keys) | state | sh COMMAND
//   console T | start (reads and applies the settings file) | quit (writes it)
//   traymenu | traypick N | click W|L|S TEXT | enter TEXT | keyup FOCUS KEY
//   buttonkeyup KEY shift|ctrl|alt | lock | unlock (another formatter holds the base)
// and the desktop's pure parts: args ARG... | request BYTES | settle ANSWERS LOCKS
//   socket FOLDER | folders EXE_FOLDER writable|readonly VAR=VALUE... | mkfolders A B
//   beats TICK... | traywatch NOW,INTRAY,HOST... | strokes EVENTS | output T | slice A B
//   digitkey KEY main|keypad X11CODE | journalform | birth X,Y... | neighbours X,Y...
//   fill isolated|blocks N | sweep | lifetick N (a life grid drawn as the timer's is)
#include <algorithm>
#include <array>
#include <cstdlib>
#include <deque>
#include <filesystem>
#include <functional>
#include <iostream>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "app/aux_timer.h"
#include "app/beat_clock.h"
#include "app/console_line.h"
#include "app/desktop_start.h"
#include "app/gen_keys.h"
#include "app/key_strokes.h"
#include "app/output_text.h"
#include "app/program.h"
#include "app/program_folders.h"
#include "app/settings_apply.h"
#include "app/settings_record.h"
#include "app/tray_menu.h"
#include "app/tray_watch.h"
#include "cli/cli_help.h"
#include "platform/platform.h"
#include "text/strings.h"
#include "tools/atomic_file.h"
#include "tools/journal_record.h"
#include "tools/trash.h"

namespace vm {
namespace {

void ReplaceAll(std::string& text, std::string_view from, std::string_view to) {
  for (std::size_t at = text.find(from); at != std::string::npos;
       at = text.find(from, at + to.size()))
    text.replace(at, from.size(), to);
}

// Bytes on one line, their line breaks written \n; and back, \r too.
std::string Escaped(std::string bytes) {
  ReplaceAll(bytes, "\n", "\\n");
  return bytes;
}
std::string Unescaped(std::string text) {
  ReplaceAll(text, "\\n", "\n");
  ReplaceAll(text, "\\r", "\r");
  return text;
}

// A tick count as the step gives it, modulo 2^32 as the tick count wraps.
std::int32_t Tick(const std::string& number) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(std::stoll(number)));
}

// Reports and messages (centred) print on one line, their breaks as "⏎".
void Print(std::string_view head, std::u16string_view text, bool oneLine = false) {
  std::string out = ToUtf8(text);
  if (oneLine) ReplaceAll(out, "\r\n", "⏎");
  if (out.find_first_of("\r\n") == std::string::npos) {
    std::cout << head << ' ' << out << '\n';
    return;
  }
  std::cout << head << '\n';
  ReplaceAll(out, "\r\n", "\x1F");
  ReplaceAll(out, "\r", "\\r");
  ReplaceAll(out, "\n", "\\n");
  for (std::size_t from = 0;;) {
    const std::size_t to = out.find('\x1F', from);
    std::cout << "| " << out.substr(from, to - from) << '\n';
    if (to == std::string::npos) break;
    from = to + 1;
  }
}

class PrintingShell : public Shell, public SettingsTarget {
 public:
  void ShowText(std::u16string_view text, Alignment alignment) override {
    shown = text;
    const bool centred = alignment == Alignment::kCentre;
    Print(centred ? "show centred:" : "show:", text, centred);
  }
  std::u16string ShownText() const override { return shown; }
  void CopyToClipboard(std::u16string_view text, bool unicode) override {
    const std::string head = unicode ? "clipboard unicode:" : "clipboard cp1251:";
    Print(head, text == shown ? u"(the text shown)" : text);
  }
  void SetCaption(std::u16string_view text) override {
    caption = text;
    Print("caption:", text);
  }
  std::u16string Caption() const override { return caption; }
  bool AskYesNo(std::u16string_view question, MessageIcon icon) override {
    const bool yes = !answers.empty() && answers.front();
    if (!answers.empty()) answers.pop_front();
    Print(icon == MessageIcon::kWarning ? "ask (warning):" : "ask:", question, true);
    std::cout << (yes ? "answer: yes\n" : "answer: no\n");
    return yes;
  }
  void Inform(std::u16string_view text) override { Print("inform:", text, true); }
  void ProcessEvents() override {}
  bool IsWindowVisible() const override { return visible; }
  std::u16string PrologueText() const override { return prologue; }
  std::u16string EpilogueText() const override { return epilogue; }
  int OptionValue(int index) const override { return boxes[static_cast<std::size_t>(index)]; }
  void MarkGenButton(int count, bool marked) override {
    std::cout << "mark " << count << (marked ? " on\n" : " off\n");
  }
  bool KeepInTrash(const std::filesystem::path& path, std::u16string& error) override {
    std::cout << "trash " << path.filename().string() << ", " << std::filesystem::file_size(path)
              << " bytes\n";
    std::string reason = "корзины нет";  // the desktop's trash, as the window keeps it
    const bool kept = !std::exchange(trashFails, false) && LinkIntoTrash(path, ".trash", reason);
    if (!kept) error = FromUtf8(reason);
    return kept;
  }
  void OpenWithAssociatedProgram(const std::filesystem::path& path) override {
    std::cout << "open " << std::filesystem::relative(path).string() << '\n';
  }
  std::int32_t TickCount() const override { return tick; }
  void SetOptionEnabled(int index, bool enabled) override {
    auto& was = enabled_[static_cast<std::size_t>(index)];
    if (was != (enabled ? 1 : 0))
      std::cout << "box " << OptionName(index) << (enabled ? " enabled\n" : " greyed\n");
    was = enabled ? 1 : 0;
  }
  void SetChaosTooltip(std::u16string_view tooltip) override { Print("tooltip:", tooltip); }
  bool ControlKeyHeld() const override { return ctrl; }
  void DrawLifeCell(int x, int y, bool alive) override {
    ++cells;
    picture[static_cast<std::size_t>(x + LifeGrid::kColumns * y)] = alive;
  }
  // Start-up's settings, on one line in the order they come.
  void SetOptionValue(int index, int value) override {
    boxes[static_cast<std::size_t>(index)] = value;
    applied += " " + OptionName(index) + "=" + std::to_string(value);
  }
  void SendToTray() override {
    visible = false;
    applied += " tray";
  }
  void SetLineTexts(const std::u16string& p, const std::u16string& e,
                    const std::u16string& c) override {
    prologue = p, epilogue = e, console = c;
    applied += " texts " + ToUtf8(p + u"|" + e + u"|" + c);
  }

  static std::string OptionName(int index) {
    for (const OptionBoxName& n : OptionBoxNames())
      if (n.box == index) return std::string(n.name);
    return index == kOptAutoCopy ? "autocopy" : index == kOptCopyUnicode ? "unicode" : "spare";
  }

  std::u16string shown, caption, prologue, epilogue, console;
  std::string applied;
  std::deque<bool> answers;
  OptionBoxes boxes = DesignOptionBoxes();
  bool visible = true, ctrl = false, trashFails = false;
  std::int32_t tick = 0;
  int cells = 0;
  std::vector<bool> picture = std::vector<bool>(LifeGrid::kColumns * LifeGrid::kRows);

 private:
  std::array<int, kOptionCount> enabled_ = [] {
    std::array<int, kOptionCount> a{};
    a.fill(-1);
    return a;
  }();
};

const char* OutcomeName(Program::GenerateOutcome o) {
  constexpr const char* kNames[] = {"busy", "nothing", "text", "empty base", "no phrases"};
  return kNames[static_cast<int>(o)];
}

const char* OutcomeName(Program::FormatOutcome o) {
  constexpr const char* kNames[] = {"busy",     "base busy", "empty base",  "unchanged",
                                    "declined", "written",   "write failed"};
  return kNames[static_cast<int>(o)];
}

std::vector<std::string> Words(const std::string& list, char by) {
  std::vector<std::string> words;
  for (std::size_t from = 0; from <= list.size();) {
    const std::size_t to = std::min(list.find(by, from), list.size());
    if (to > from) words.push_back(list.substr(from, to - from));
    from = to + 1;
  }
  return words;
}

int Run(const std::vector<std::string>& steps) {
  PrintingShell shell;
  const std::filesystem::path folder = std::filesystem::current_path();
  Program program(shell, folder);
  AuxTimer timer(program);
  ConsoleLine console;
  platform::FileLock lock;
  BeatClock clock;
  TrayWatch watch;
  OutputText output;
  LifeGrid life(program.Random(),
                [&shell](int x, int y, bool alive) { shell.DrawLifeCell(x, y, alive); });
  program.Random().Seed(1);
  const std::map<std::string, std::function<void(int)>> calls = {
      {"noabout", [&](int) { program.SkipAboutOnFirstLoad(); }},
      {"about", [&](int) { program.ShowAbout(); }},
      {"choose", [&](int n) { program.ChooseCatalogueEntry(n); }},
      {"builtin", [&](int n) { program.ChooseBuiltin(n); }},
      {"open", [&](int) { program.OpenCurrentBase(); }},
      {"reload", [&](int) { program.Reload(); }},
      {"hint", [&](int) { program.ShowImportHint(); }},
      {"openjournal", [&](int) { program.OpenJournal(); }}};
  for (const std::string& step : steps) {
    std::cout << "> " << step << '\n';
    const std::size_t blank = step.find(' ');
    const std::string verb = step.substr(0, blank);
    const std::string arg = blank == std::string::npos ? "" : step.substr(blank + 1);
    const std::u16string text = FromUtf8(arg);
    const int n = std::atoi(arg.c_str());
    std::string result;  // what the command returned, printed after its effects
    if (const auto call = calls.find(verb); call != calls.end()) {
      call->second(n);
    } else if (verb == "seed") {
      program.Random().Seed(static_cast<std::uint32_t>(std::stoul(arg)));
    } else if (verb == "opt" || verb == "grey") {
      if (verb == "opt") shell.boxes.fill(0);
      for (const std::string& name : Words(arg, ','))
        for (int box = 0; box < kOptionCount; ++box)
          if (name == PrintingShell::OptionName(box))
            shell.boxes[static_cast<std::size_t>(box)] = verb == "opt" ? 1 : 2;
      program.ReadOptions();
    } else if (verb == "start" || verb == "quit") {
      // What the window does with its settings file when it opens and closes.
      const std::filesystem::path file = folder / kSettingsFileName;
      SettingsRecord settings = program.Settings();
      std::string error;
      if (verb == "quit") {
        StoreSettings(settings, shell.boxes, shell.visible, shell.prologue, shell.epilogue,
                      shell.console);
        program.SetSettings(settings);
        result = WriteSettingsFile(file, settings, &error) ? "saved" : "failed: " + error;
      } else if (ReadSettingsFile(file, settings)) {
        program.SetSettings(settings);
        ApplySettings(settings, shell);
        std::cout << "applied:" << std::exchange(shell.applied, {}) << '\n';
        program.ReadOptions();
      } else {
        result = "no settings";
      }
    } else if (verb == "prologue" || verb == "epilogue" || verb == "console") {
      (verb == "prologue"   ? shell.prologue
       : verb == "epilogue" ? shell.epilogue
                            : shell.console) = text;
    } else if (verb == "hidden" || verb == "visible") {
      shell.visible = verb == "visible";
    } else if (verb == "ctrl" || verb == "noctrl") {
      shell.ctrl = verb == "ctrl";
    } else if (verb == "answer") {
      shell.answers.push_back(arg == "yes");
    } else if (verb == "trash-fails") {
      shell.trashFails = true;
    } else if (verb == "base") {
      program.SetBaseName(text);
      program.LoadBase();
    } else if (verb == "gen") {
      result = OutcomeName(program.SHIT(n, 0));
    } else if (verb == "seedtext") {
      result = OutcomeName(program.GenerateFromSeed(text));
    } else if (verb == "rhymes" || verb == "lines") {
      result = program.FindRhymes(text, verb == "lines") ? "shown, " : "nothing";
      if (result != "nothing") result += std::to_string(Words(ToUtf8(shell.shown), '\n').size());
    } else if (verb == "press") {
      const auto w = Words(arg, ' ');
      program.PressGenButton(std::stoi(w.at(0)), std::stoi(w.at(1)));
    } else if (verb == "tray") {
      result = program.GenerateToClipboard(n) ? "copied" : "nothing";
    } else if (verb == "click" || verb == "enter") {  // the console's W, L, S buttons; Enter
      const std::size_t cut = verb == "click" ? std::min(arg.find(' '), arg.size()) : 0;
      const std::u16string line = FromUtf8(arg.substr(std::min(cut + 1, arg.size())));
      if (verb == "enter") {
        console.EnterPressed(program, FromUtf8(arg));
      } else {
        console.cmdC_Click(program, static_cast<int>(std::string("WLS").find(arg.substr(0, cut))),
                           line);
      }
      result = "tag " + ToUtf8(console.Tag());
    } else if (verb == "keyup") {  // FOCUS KEY: a key released in the window
      const auto w = Words(arg, ' ');
      result = "count " + std::to_string(Form_KeyUp(program, FromUtf8(w.at(0)), w.at(1).at(0)));
    } else if (verb == "buttonkeyup") {  // KEY shift|ctrl|alt: on a focused generate button
      const auto w = Words(arg, ' ');
      const int mask = w.at(1) == "shift" ? kShiftMask : w.at(1) == "ctrl" ? kCtrlMask : kAltMask;
      result = "count " + std::to_string(cmdS_KeyUp(program, w.at(0).at(0), mask));
    } else if (verb == "traymenu") {
      const TrayMenuState menu = BuildTrayMenuState(program.AutoGen());
      std::cout << "tray " << ToUtf8(TrayTooltip(program.AutoGen())) << ':';
      if (menu.genVisible)
        for (const TrayGenEntry& e : menu.gen) std::cout << ' ' << ToUtf8(e.caption + u"=" + e.tag);
      std::cout << (menu.autoVisible ? " [auto]\n" : "\n");
    } else if (verb == "traypick") {  // an entry of the menu's generate list, 1-based
      const TrayMenuState menu = BuildTrayMenuState(program.AutoGen());
      program.PressGenButton(TrayTagCount(menu.gen.at(static_cast<std::size_t>(n - 1)).tag), 1);
    } else if (verb == "tick") {
      for (int i = 0; i < n; ++i, shell.tick += AuxTimer::kIntervalMs) timer.TmrAUX_Timer();
      std::cout << "life cells drawn: " << std::exchange(shell.cells, 0) << '\n';
    } else if (verb == "format") {
      result = OutcomeName(program.FormatBase());
    } else if (verb == "import") {
      std::vector<std::filesystem::path> files;
      for (const std::string& f : Words(arg, ',')) files.emplace_back(f);
      const Program::ImportReport report = program.ImportFiles(files);
      result = "imported " + std::to_string(report.imported);
      for (const auto& [file, why] : report.skipped)
        result += ", skipped " + file.filename().string() + ": " + why;
    } else if (verb == "journal") {
      result = program.SaveToJournal() ? "saved" : "failed";
    } else if (verb == "menu") {
      const MainMenuState menu = program.PrepareMainMenu(u"Открыть");
      std::cout << "builtin checks " << menu.builtinChecked[0] << menu.builtinChecked[1]
                << ", file commands " << (menu.fileCommandsEnabled ? "on" : "off") << '\n';
      for (const auto& entry : menu.files)
        if (entry.visible)
          Print(entry.checked ? "menu entry (checked):" : "menu entry:", entry.caption);
      Print("menu open:", menu.openCaption);
    } else if (verb == "dump") {
      const PhraseBase& base = program.Base();
      for (std::size_t i = 0; i < base.lines.size(); ++i) {
        const std::u16string line = base.lines[i].Text(), key = base.keys[i].Text();
        Print(key == line ? "line:" : "line, key " + ToUtf8(key) + ":", line);
      }
    } else if (verb == "lock" || verb == "unlock") {
      std::string error;
      if (verb == "unlock")
        lock.Unlock();
      else if (!lock.TryLock(FormatterLockPath(folder / program.BaseName()), error))
        result = "failed: " + error;
    } else if (verb == "args") {
      const DesktopArguments parsed = ParseDesktopArguments(Words(arg, ' '));
      constexpr const char* kActions[] = {"run", "help", "version", "usage error"};
      result = kActions[static_cast<int>(parsed.action)];
      if (parsed.generate) result += " --generate " + std::to_string(*parsed.generate);
      if (!parsed.error.empty()) result += ": " + parsed.error;
      if (parsed.action == DesktopArguments::Action::kRun)
        result += ", sends " + Escaped(EncodeRequest(RequestOf(parsed)));
      if (parsed.action == DesktopArguments::Action::kHelp) std::cout << DesktopHelp();
    } else if (verb == "request") {  // the bytes a later start sent, as the instance reads them
      InstanceRequest request{InstanceRequest::Kind::kGenerate, 1};
      const RequestParse parse = ParseRequest(Unescaped(arg), request);
      result = parse == RequestParse::kComplete     ? "complete, " + Escaped(EncodeRequest(request))
               : parse == RequestParse::kIncomplete ? "incomplete"
                                                    : "invalid";
    } else if (verb == "settle") {  // ANSWERS (a,b,...; - none) LOCKS (y free, n taken)
      const auto w = Words(arg, ' ');
      const auto list = Words(w.at(0), ',');
      std::deque<std::string> answers(list.begin(), list.end());
      std::string locks = w.at(1);
      const auto send = [&](std::string_view bytes) -> std::optional<std::string> {
        std::cout << "send " << Escaped(std::string(bytes)) << '\n';
        const std::string answer = answers.empty() ? "-" : answers.front();
        if (!answers.empty()) answers.pop_front();
        return answer == "-" ? std::nullopt : std::optional(answer + "\n");
      };
      const auto tryLock = [&] {
        const bool free = !locks.empty() && locks.front() == 'y';
        std::cout << (free ? "lock free\n" : "lock taken\n");
        if (!locks.empty()) locks.erase(0, 1);
        return free;
      };
      const StartRole role = SettleStart({InstanceRequest::Kind::kGenerate, 10}, 3, send, tryLock,
                                         [] { std::cout << "pause\n"; });
      result = (role.first ? "runs the window, status " : "hands over, status ") +
               std::to_string(role.status) + (role.message.empty() ? "" : ": " + role.message);
    } else if (verb == "socket") {
      result = InstanceSocketName(arg);
    } else if (verb == "folders") {
      const auto w = Words(arg, ' ');
      const ProgramFolders f =
          ChooseProgramFolders(w.at(0), w.at(1) == "writable", [&w](const char* name) {
            for (const std::string& v : w)
              if (v.rfind(std::string(name) + "=", 0) == 0) return v.substr(v.find('=') + 1);
            return std::string();
          });
      result = (f.perUser ? "per user: " : "own: ") + f.settings.string() + ", " + f.data.string();
    } else if (verb == "mkfolders") {
      const auto w = Words(arg, ' ');
      std::string error;
      result = MakeProgramFolders({w.at(0), w.at(1), true}, error) ? "made" : "failed";
    } else if (verb == "beats") {
      for (const std::string& t : Words(arg, ' ')) result += clock.IsBeat(Tick(t)) ? '1' : '0';
    } else if (verb == "traywatch") {  // NOW,INTRAY,HOST: does the window come back
      for (const std::string& look : Words(arg, ' ')) {
        const auto v = Words(look, ',');
        result += watch.Look(Tick(v.at(0)), v.at(1) == "1", v.at(2) == "1") ? " back" : " -";
      }
    } else if (verb == "strokes") {  // P5@100 R5@180: '5' pressed, released; S settle; F focus lost
      KeyStrokes keys;
      result = "strokes:";
      for (const std::string& e : Words(arg, ' ')) {
        const int key = e.size() > 1 ? e[1] : 0;
        const auto time = e.size() > 3 ? static_cast<std::uint32_t>(std::stoul(e.substr(3))) : 0U;
        std::optional<int> stroke = e[0] == 'P' ? keys.Press(key, time) : std::nullopt;
        if (e[0] == 'R') keys.Release(key, time);
        if (e[0] == 'S') stroke = keys.Settle();
        if (e[0] == 'F') keys.Forget();
        if (stroke) result += " " + std::string(1, static_cast<char>(*stroke));
      }
    } else if (verb == "output") {  // the output box's display of a text
      output.Set(FromUtf8(Unescaped(arg)));
      Print("display:", output.Display());
    } else if (verb == "slice") {  // what a selection of the display copies
      const auto w = Words(arg, ' ');
      Print("slice:", output.Slice(std::stoul(w.at(0)), std::stoul(w.at(1))));
    } else if (verb == "digitkey") {
      const auto w = Words(arg, ' ');
      const int key = DigitKeyCode(w.at(0).at(0), w.at(1) == "keypad", std::stoi(w.at(2)));
      result = key == 0 ? "none" : std::string(1, static_cast<char>(key));
    } else if (verb == "journalform") {
      const bool utf8 = JournalEncodingOf("+out.txt") == JournalEncoding::kUtf8;
      result = utf8 ? "UTF-8" : "Windows-1251";
    } else if (verb == "birth" || verb == "neighbours") {
      for (const std::string& cell : Words(arg, ' ')) {
        const auto xy = Words(cell, ',');
        life.SetCursor(std::stoi(xy.at(0)), std::stoi(xy.at(1)));
        if (verb == "birth") life.LifeBirth();
        if (verb == "neighbours") result += " " + std::to_string(life.LifeNeighbours());
      }
    } else if (verb == "fill") {  // lone cells, or blocks of four, three cells apart
      const int size = arg.starts_with("blocks") ? 2 : 1;
      int left = std::stoi(arg.substr(arg.find(' ') + 1));
      for (int y = 0; y + size <= LifeGrid::kRows && left > 0; y += 3)
        for (int x = 0; x + size <= LifeGrid::kColumns && left > 0; x += 3, --left)
          for (int c = 0; c < size * size; ++c) {
            life.SetCursor(x + c % size, y + c / size);
            life.LifeBirth();
          }
    } else if (verb == "sweep" || verb == "lifetick") {
      const auto alive = [&life] {
        int cells = 0;
        for (int y = 0; y < LifeGrid::kRows; ++y)
          for (int x = 0; x < LifeGrid::kColumns; ++x) cells += life.Alive(x, y) ? 1 : 0;
        return cells;
      };
      int peak = alive();
      for (int i = 0; i < std::max(n, 1); ++i, peak = std::max(peak, alive()))
        verb == "sweep" ? life.LifeSweep() : life.LifeTick();
      const auto shown = std::count(shell.picture.begin(), shell.picture.end(), true);
      result = "alive " + std::to_string(alive()) + ", shown " + std::to_string(shown) + ", peak " +
               std::to_string(peak);
    } else if (verb == "sh") {
      std::cout.flush();
      if (std::system(arg.c_str()) != 0) std::cout << "(failed)\n";
    } else if (verb == "state") {
      std::cout << "base " << ToUtf8(program.BaseName()) << ", " << program.Base().UBound() + 1
                << " lines, auto " << program.AutoGen() << '\n';
    } else {
      std::cerr << "unknown step: " << step << '\n';
      return 2;
    }
    if (!result.empty()) std::cout << "= " << result << '\n';
  }
  return 0;
}

}  // namespace
}  // namespace vm

int main(int argc, char** argv) {
  return vm::Run(std::vector<std::string>(argv + 1, argv + argc));
}
