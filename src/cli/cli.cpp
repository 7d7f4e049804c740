// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/cli.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <array>
#include <cerrno>
#include <charconv>
#include <chrono>
#include <nlohmann/json.hpp>
#include <sstream>

#include "app/program.h"
#include "app/version.h"
#include "base/catalogue.h"
#include "cli/cli_help.h"
#include "cli/console_shell.h"
#include "platform/platform.h"
#include "text/cp1251.h"

namespace vm {
namespace {

constexpr const char* kName = "verbalomatic-cli";
constexpr std::array<const char*, 5> kCommands = {"generate", "load", "rhymes", "format", "import"};
using Json = nlohmann::ordered_json;

std::string Dump(const Json& json) {
  return json.dump(-1, ' ', false, Json::error_handler_t::replace);
}

// Values CLI11 takes as text, checked afterwards with messages of our own.
struct RawValues {
  std::string count = "10";
  std::string repeat = "1";
  std::string rngSeed;
  std::string options{kDefaultOptions};
};

void AddBaseOptions(CLI::App* command, CliRequest& request) {
  command
      ->add_option("-b,--base", request.baseFile,
                   "Base file, one phrase per line ('-': standard input)")
      ->type_name("FILE");
  command->add_option("--builtin", request.builtin, "Built-in base: standard or trash (default)")
      ->type_name("NAME");
}

void BuildApp(CLI::App& app, CliRequest& request, RawValues& raw) {
  app.set_version_flag("--version", std::string(kName) + " " + kVersion);
  app.require_subcommand(1);
  app.footer(HelpFooter(""));
  const auto addSeed = [&raw](CLI::App* command, const char* what) {
    command->add_option("--rng-seed", raw.rngSeed, what)->type_name("SEED");
  };

  auto* generate = app.add_subcommand("generate", "Print generated texts");
  AddBaseOptions(generate, request);
  generate->add_option("-n,--count", raw.count, "Phrase count, 0 to 1000 (default 10)")
      ->type_name("N");
  generate->add_option("-o,--options", raw.options, "Ticked option boxes, comma-separated (below)")
      ->type_name("LIST");
  generate->add_option("-s,--seed", request.seedText,
                       "The window's S command: the same TEXT and base give the same text");
  addSeed(generate, "Seed of the first text, a whole number of up to 64 bits");
  generate->add_option("--repeat", raw.repeat, "Print K texts, separated by a line '%'")
      ->type_name("K");
  generate->add_flag("--json", request.json, "One JSON object per text, one per line");
  generate->add_flag("--print-seed", request.printSeed,
                     "Write each text's --rng-seed to standard error");
  generate->footer(HelpFooter("generate"));

  auto* load = app.add_subcommand("load", "Load a base and print the load report");
  AddBaseOptions(load, request);
  load->footer(HelpFooter("load"));

  auto* rhymes = app.add_subcommand("rhymes", "Rhyming words (or lines) from the base");
  AddBaseOptions(rhymes, request);
  addSeed(rhymes, "Seed the random source with SEED");
  rhymes->add_flag("--lines", request.lineMode, "Rhyming lines (L) instead of words (W)");
  rhymes->add_option("TEXT", request.rhymeText, "Text whose last word to rhyme")->required();
  rhymes->footer(HelpFooter("rhymes"));

  auto* format = app.add_subcommand("format", "Clean a base file");
  format->add_flag("--yes", request.yes, "Rewrite the file (otherwise only report)");
  format->add_option("FILE", request.formatFile, "Base file")->required();
  format->footer(HelpFooter("format"));

  auto* import = app.add_subcommand("import", "Create bases from text files");
  import->add_option("--into", request.into, "Folder for the new bases (default: .)")
      ->type_name("DIR");
  addSeed(import, "Seed the random source with SEED");
  import->add_option("FILE", request.importFiles, "Text files")->required();
  import->footer(HelpFooter("import"));
}

// Parses LIST into check boxes; nullopt names the first unknown option.
std::optional<OptionBoxes> ParseOptions(const std::string& list, std::string& unknown) {
  OptionBoxes boxes{};
  std::stringstream in(list);
  std::string name;
  while (std::getline(in, name, ',')) {
    const auto b = name.find_first_not_of(' ');
    const auto e = name.find_last_not_of(' ');
    name = b == std::string::npos ? "" : name.substr(b, e - b + 1);
    if (name.empty()) continue;
    const auto names = OptionBoxNames();
    const auto found = std::find_if(names.begin(), names.end(),
                                    [&name](const OptionBoxName& n) { return name == n.name; });
    if (found == names.end()) {
      unknown = name;
      return std::nullopt;
    }
    boxes[static_cast<std::size_t>(found->box)] = 1;
  }
  return boxes;
}

template <typename T>
bool ParseWhole(const std::string& text, T& value) {
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, value);
  return ec == std::errc() && ptr == end && !text.empty();
}

bool ParseInRange(const std::string& text, int low, int high, int& value) {
  return ParseWhole(text, value) && value >= low && value <= high;
}

// A seed is any whole number that 64 bits hold, signed or not; negative ones
// count as their two's complement.
std::optional<std::uint64_t> ParseSeed(const std::string& text) {
  std::uint64_t value = 0;
  if (!text.empty() && text[0] == '-') {
    std::int64_t negative = 0;
    if (!ParseWhole(text, negative)) return std::nullopt;
    value = static_cast<std::uint64_t>(negative);
  } else if (!ParseWhole(text, value)) {
    return std::nullopt;
  }
  return value;
}

// CLI11's own words, turned into ours where they mislead.
std::string Reworded(const CLI::ParseError& e, const std::vector<std::string>& args,
                     const std::string& command) {
  const std::string what = e.what();
  const std::string detail =
      what.substr(what.find(": ") == std::string::npos ? 0 : what.find(": ") + 2);
  if (command.empty()) {
    const auto word = std::find_if(args.begin(), args.end(),
                                   [](const std::string& a) { return !a.starts_with('-'); });
    const std::string list = "; the commands are generate, load, rhymes, format and import";
    if (word != args.end()) return "unknown command '" + *word + "'" + list;
    if (dynamic_cast<const CLI::RequiredError*>(&e) != nullptr) return "no command given" + list;
  }
  const std::string where = command.empty() ? std::string() : " for " + command;
  if (dynamic_cast<const CLI::ExtrasError*>(&e) != nullptr)
    return (detail.starts_with('-') ? "unknown option '" : "unexpected argument '") + detail + "'" +
           where;
  if (dynamic_cast<const CLI::ArgumentMismatch*>(&e) != nullptr &&
      what.find("missing") != std::string::npos)
    return what.substr(0, what.find(':')) + " needs a value";
  if (dynamic_cast<const CLI::RequiredError*>(&e) != nullptr)
    return command + " needs " + what.substr(0, what.find(' '));
  return what;
}

// Arguments are UTF-8; so are the names in messages.
std::filesystem::path PathOf(const std::string& argument) {
  return platform::PathFromUtf8(argument);
}

std::u16string FileNameText(const std::string& file) {
  return DecodeFileName(PathOf(file).filename());
}

std::filesystem::path FolderOf(const std::string& file) {
  if (file.empty() || file == "-") return std::filesystem::current_path();
  return std::filesystem::absolute(PathOf(file)).parent_path();
}

std::uint64_t Mix(std::uint64_t z) {
  z += 0x9E3779B97F4A7C15ULL;
  z = (z ^ (z >> 30U)) * 0xBF58476D1CE4E5B9ULL;
  z = (z ^ (z >> 27U)) * 0x94D049BB133111EBULL;
  return z ^ (z >> 31U);
}

// Seeds the program picks stay within 32 bits, which every JSON reader keeps exact.
std::uint64_t ClockSeed() {
  const auto now = std::chrono::system_clock::now().time_since_epoch().count();
  return Mix(static_cast<std::uint64_t>(now)) & 0xFFFFFFFFU;
}

// The seed of the text after the one made from seed, in a --repeat run.
std::uint64_t NextTextSeed(std::uint64_t seed) {
  return Mix(seed) & 0xFFFFFFFFU;
}

// The random source takes 32 bits; all 64 of a given seed count.
std::uint32_t RandomSeedOf(std::uint64_t seed) {
  return static_cast<std::uint32_t>(seed ^ (seed >> 32U));
}

// The import gives its reasons in Russian; the command line speaks English.
std::string ImportReasonText(const std::string& reason) {
  static constexpr std::pair<std::string_view, std::string_view> kReasons[] = {
      {"файл не найден", "no such file"},
      {"не обычный файл", "not a regular file"},
      {"база уже существует: ", "the base exists already: "},
      {"ошибка чтения: ", "read error: "},
      {"ошибка записи: ", "write error: "}};
  for (const auto& [russian, english] : kReasons)
    if (reason.starts_with(russian)) return std::string(english) + reason.substr(russian.size());
  return "\"" + reason + "\"";
}

// Standard output and error of one run. Every piece of output is flushed at
// once, so a bot sees each text as it is made and a failed write is caught.
class Terminal {
 public:
  Terminal(std::ostream& out, std::ostream& err, bool json) : out_(out), err_(err), json_(json) {}

  // False once standard output failed; Status() then ends the run.
  bool Print(std::string_view text) {
    if (broken_) return false;
    errno = 0;
    out_ << text;
    out_.flush();
    if (out_) return true;
    const int error = errno;
    broken_ = true;
    // The reader went away (| head): nothing is wrong, nothing more to do.
    if (error == EPIPE) return false;
    status_ = 1;
    err_ << kName << ": cannot write to standard output"
         << (error != 0 ? ": " + platform::ErrorText(error) : std::string()) << '\n';
    return false;
  }
  int Status() const { return status_; }

  // A failure: message on standard error; with --json also an object on
  // standard output, whose "error" is jsonError (message when empty).
  int Fail(int status, const std::string& message, const std::string& jsonError = {},
           Json extra = Json::object()) {
    err_ << kName << ": " << message << '\n';
    if (json_) {
      Json object = {{"error", jsonError.empty() ? message : jsonError}, {"status", status}};
      object.update(extra);
      Print(Dump(object) + "\n");
    }
    return broken_ && status_ != 0 ? status_ : status;
  }

 private:
  std::ostream& out_;
  std::ostream& err_;
  bool json_;
  bool broken_ = false;
  int status_ = 0;
};

Json OptionsInForce(const GenerationFlags& flags) {
  Json names = Json::array();
  for (const auto& box : OptionBoxNames())
    if (flags.*box.flag) names.push_back(box.name);
  return names;
}

int Generate(const CliRequest& request, Program& program, ConsoleShell& shell, Terminal& term,
             std::ostream& err) {
  std::uint64_t seed = request.rngSeed ? *request.rngSeed : ClockSeed();
  for (int i = 0; i < request.repeat; ++i) {
    // Each text starts afresh from its own seed, so that seed alone brings it back.
    if (i > 0) seed = NextTextSeed(seed);
    program.ReadOptions();
    program.ResetCache();
    program.Random().Seed(RandomSeedOf(seed));
    const auto outcome = request.seedText ? program.GenerateFromSeed(FromUtf8(*request.seedText))
                                          : program.SHIT(request.count, 0);
    if (request.printSeed) err << "--rng-seed " << seed << '\n';
    const std::string text = TerminalText(shell.ShownText());
    if (outcome != Program::GenerateOutcome::kText) {
      const char* why = program.Base().UBound() < 0 ? " (the base is empty)" : "";
      return term.Fail(3, "no text: \"" + text + "\"" + why, text, {{"rng_seed", seed}});
    }
    std::string line;
    if (request.json) {
      const auto& run = program.LastRun();
      Json object = {
          {"text", text},
          {"rng_seed", seed},
          {"count", run.count},
          {"options", OptionsInForce(run.flags)},
          {"base", {{"name", ToUtf8(program.BaseName())}, {"lines", program.Base().UBound() + 1}}}};
      if (request.seedText) object["seed"] = *request.seedText;
      line = Dump(object) + "\n";
    } else {
      line = (i > 0 ? "%\n" : "") + text + "\n";
    }
    if (!term.Print(line)) return term.Status();
  }
  return 0;
}

int Run(const CliRequest& request, std::istream& in, Terminal& term, std::ostream& err) {
  using Command = CliRequest::Command;
  ConsoleShell shell;
  const auto seedProgram = [&request](Program& program) {
    if (request.rngSeed) program.Random().Seed(RandomSeedOf(*request.rngSeed));
  };

  switch (request.command) {
    case Command::kNone:
      return request.status;
    case Command::kGenerate:
    case Command::kLoad:
    case Command::kRhymes: {
      shell.SetBoxes(request.boxes);
      Program program(shell, FolderOf(request.baseFile));
      program.ReadOptions();
      if (!request.baseFile.empty()) {
        std::string bytes, error;
        if (!ReadBaseInput(request.baseFile, in, request.baseByteLimit, bytes, error))
          return term.Fail(1, "cannot read base '" + request.baseFile + "': " + error);
        program.SetBaseName(request.baseFile == "-" ? u"-" : FileNameText(request.baseFile));
        program.SupplyBaseBytes(std::move(bytes));
      } else {
        program.SetBaseName(std::u16string(request.builtin == "standard" ? kBuiltinStandardName
                                                                         : kBuiltinTrashName));
      }
      seedProgram(program);
      program.SkipAboutOnFirstLoad();
      program.LoadBase();
      if (!program.LoadFailure().empty())
        return term.Fail(1, "cannot load the base: " + ToUtf8(program.LoadFailure()));
      if (request.command == Command::kGenerate)
        return Generate(request, program, shell, term, err);
      if (request.command == Command::kRhymes)
        program.FindRhymes(FromUtf8(request.rhymeText), request.lineMode);
      term.Print(TerminalText(shell.ShownText()) + "\n");
      return term.Status();
    }
    case Command::kFormat: {
      Program program(shell, FolderOf(request.formatFile));
      // Only a regular file can be rewritten; probing anything else may block.
      std::error_code ec;
      if (!std::filesystem::is_regular_file(PathOf(request.formatFile), ec))
        return term.Fail(1, "cannot read base file '" + request.formatFile + "'");
      program.SetBaseName(FileNameText(request.formatFile));
      program.SkipAboutOnFirstLoad();
      shell.SetAnswer(request.yes);
      shell.EchoTo(&err);  // the progress, as the window shows it
      const auto outcome = program.FormatBase();
      shell.EchoTo(nullptr);
      term.Print(TerminalText(shell.ShownText()) + "\n");
      const bool failed = outcome == Program::FormatOutcome::kWriteFailed ||
                          outcome == Program::FormatOutcome::kBaseBusy;
      return failed ? 1 : term.Status();
    }
    case Command::kImport:
      break;
  }

  std::error_code ec;
  if (!std::filesystem::is_directory(PathOf(request.into), ec))
    return term.Fail(1, "no such folder '" + request.into + "'");
  shell.SetAnswer(true);
  std::ostringstream shown;
  shell.EchoTo(&shown);
  Program program(shell, std::filesystem::absolute(PathOf(request.into)));
  seedProgram(program);
  std::vector<std::filesystem::path> files;
  for (const std::string& file : request.importFiles) files.push_back(PathOf(file));
  const auto report = program.ImportFiles(files);
  for (const auto& [file, reason] : report.skipped)
    err << kName << ": skipped '" << platform::Utf8OfPath(file) << "': " << ImportReasonText(reason)
        << '\n';
  if (!term.Print(shown.str())) return term.Status();
  return report.skipped.empty() ? 0 : 1;
}

}  // namespace

CliRequest ParseCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  CLI::App app{
      "Verbalomatic, the Russian nonsense generator, for scripts and chat bots:\n"
      "texts on standard output (UTF-8, LF), messages on standard error.",
      kName};
  CliRequest request;
  RawValues raw;
  BuildApp(app, request, raw);

  std::string command;
  for (const auto& a : args)
    if (std::find(kCommands.begin(), kCommands.end(), a) != kCommands.end()) {
      command = a;
      break;
    }
  const bool json = std::find(args.begin(), args.end(), "--json") != args.end();
  const auto usageError = [&](const std::string& message) {
    const std::string help = std::string(kName) + (command.empty() ? "" : " " + command);
    err << kName << ": " << message << " (see '" << help << " --help')\n";
    if (json) out << Dump({{"error", message}, {"status", 2}}) << '\n';
    request = CliRequest{};
    request.status = 2;
    return request;
  };
  try {
    std::vector<std::string> reversed(args.rbegin(), args.rend());
    app.parse(reversed);
  } catch (const CLI::CallForHelp&) {
    out << app.help();
    return request;
  } catch (const CLI::CallForVersion& e) {
    out << e.what() << '\n';
    return request;
  } catch (const CLI::ParseError& e) {
    return usageError(Reworded(e, args, command));
  }

  command = app.get_subcommands().front()->get_name();
  if (!raw.rngSeed.empty()) {
    request.rngSeed = ParseSeed(raw.rngSeed);
    if (!request.rngSeed)
      return usageError("--rng-seed must be a whole number that 64 bits hold, not '" + raw.rngSeed +
                        "'");
  }
  if (!request.builtin.empty() && !request.baseFile.empty())
    return usageError("--base and --builtin cannot be used together");
  if (!request.builtin.empty() && request.builtin != "standard" && request.builtin != "trash")
    return usageError("--builtin must be standard or trash, not '" + request.builtin + "'");

  if (command == "generate") {
    request.command = CliRequest::Command::kGenerate;
    if (!ParseInRange(raw.count, 0, 1000, request.count))
      return usageError("--count must be a whole number from 0 to 1000, not '" + raw.count + "'");
    if (!ParseInRange(raw.repeat, 1, 1'000'000, request.repeat))
      return usageError("--repeat must be a whole number from 1 to 1000000, not '" + raw.repeat +
                        "'");
    std::string unknown;
    const auto parsed = ParseOptions(raw.options, unknown);
    if (!parsed)
      return usageError("unknown option box '" + unknown + "'; the boxes are " + OptionNameList());
    request.boxes = *parsed;
    if (request.seedText && request.seedText->empty())
      return usageError("--seed needs a non-empty text");
  } else if (command == "load") {
    request.command = CliRequest::Command::kLoad;
  } else if (command == "rhymes") {
    request.command = CliRequest::Command::kRhymes;
    if (request.rhymeText.empty()) return usageError("TEXT must not be empty");
  } else if (command == "format") {
    request.command = CliRequest::Command::kFormat;
  } else {
    request.command = CliRequest::Command::kImport;
  }
  return request;
}

int ExecuteCli(const CliRequest& request, std::istream& in, std::ostream& out, std::ostream& err) {
  Terminal term(out, err, request.json);
  try {
    const int status = Run(request, in, term, err);
    // What is still buffered (help, a report) must reach its reader too.
    term.Print("");
    return term.Status() != 0 ? term.Status() : status;
  } catch (const std::bad_alloc&) {
    return term.Fail(1, "out of memory");
  }
}

int RunCli(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
           std::ostream& err) {
  return ExecuteCli(ParseCli(args, out, err), in, out, err);
}

}  // namespace vm
