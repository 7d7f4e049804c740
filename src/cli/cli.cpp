#include "cli/cli.h"

#include <CLI/CLI.hpp>
#include <array>
#include <fstream>
#include <optional>
#include <sstream>

#include "app/program.h"
#include "cli/console_shell.h"
#include "text/cp1251.h"

namespace vm {
namespace {

constexpr const char* kName = "verbalomatic-cli";

// Option names for check boxes 2..16, in box order.
constexpr std::array<const char*, 15> kOptionNames = {
    "punctuation", "nocaps",  "cache", "omsk", "breaks", "latin",     "markup", "classictags",
    "lyrics",      "entropy", "chaos", "iq",   "morph",  "mixedcase", "typos"};
constexpr const char* kDefaultOptions = "punctuation,nocaps,cache,breaks";

std::string ValidOptionNames() {
  std::string names;
  for (const char* n : kOptionNames) names += std::string(names.empty() ? "" : ", ") + n;
  return names;
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
    bool found = false;
    for (std::size_t i = 0; i < kOptionNames.size(); ++i) {
      if (name == kOptionNames[i]) {
        boxes[i + 2] = 1;
        found = true;
      }
    }
    if (!found) {
      unknown = name;
      return std::nullopt;
    }
  }
  return boxes;
}

std::u16string FileNameText(const std::filesystem::path& path) {
  return DecodeTextFile(path.filename().string());
}

struct BaseChoice {
  std::string file;
  std::string builtin;
};

// Points the program at a base file or a built-in base; false (with the
// message written) when the file cannot be read.
bool ChooseBase(Program& program, const BaseChoice& choice, std::ostream& err) {
  if (!choice.file.empty()) {
    std::ifstream probe(choice.file, std::ios::binary);
    std::error_code ec;
    if (!probe || std::filesystem::is_directory(choice.file, ec)) {
      err << kName << ": cannot read base file '" << choice.file << "'\n";
      return false;
    }
    program.BaseName() = FileNameText(choice.file);
    return true;
  }
  program.BaseName() = choice.builtin == "standard" ? kBuiltinStandardName : kBuiltinTrashName;
  return true;
}

std::filesystem::path FolderOf(const BaseChoice& choice) {
  if (choice.file.empty()) return std::filesystem::current_path();
  return std::filesystem::absolute(choice.file).parent_path();
}

void AddBaseOptions(CLI::App* command, BaseChoice& choice) {
  auto* file = command->add_option("--base", choice.file, "Base file (Windows-1251 or UTF-8)");
  auto* builtin = command->add_option("--builtin", choice.builtin, "Built-in base")
                      ->check(CLI::IsMember({"standard", "trash"}));
  file->excludes(builtin);
}

}  // namespace

CliRequest ParseCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  CLI::App app{"Verbalomatic: a nonsense generator, from the terminal", kName};
  app.set_version_flag("--version", "verbalomatic-cli 1.0.72");
  app.require_subcommand(1);

  CliRequest request;
  BaseChoice base;
  const auto addSeed = [&request](CLI::App* command) {
    command->add_option("--rng-seed", request.rngSeed, "Seed the random source once with N");
  };

  auto* generate = app.add_subcommand("generate", "Print generated texts");
  AddBaseOptions(generate, base);
  addSeed(generate);
  std::string options = kDefaultOptions;
  generate->add_option("--count", request.count, "Phrase count, 0 to 1000")
      ->check(CLI::Range(0, 1000));
  generate->add_option("--options", options, "Ticked option boxes: " + ValidOptionNames());
  generate->add_option("--repeat", request.repeat, "Number of texts, separated by a line '%'")
      ->check(CLI::Range(1, 1000000));
  generate->add_option("--seed", request.seedText,
                       "Reproducible text from a seed text (the S command)");

  auto* load = app.add_subcommand("load", "Load a base and print the load report");
  AddBaseOptions(load, base);

  auto* rhymes = app.add_subcommand("rhymes", "Rhyming words (or lines) from the base");
  AddBaseOptions(rhymes, base);
  addSeed(rhymes);
  rhymes->add_flag("--lines", request.lineMode, "Rhyming lines instead of words");
  rhymes->add_option("TEXT", request.rhymeText, "Text whose last word to rhyme")->required();

  auto* format = app.add_subcommand("format", "Clean a base file");
  format->add_flag("--yes", request.yes, "Overwrite the file (otherwise only report)");
  format->add_option("FILE", request.formatFile, "Base file")->required();

  auto* import = app.add_subcommand("import", "Create bases from text files");
  import->add_option("--into", request.into, "Folder for the new bases");
  addSeed(import);
  import->add_option("FILE", request.importFiles, "Text files")->required();

  const auto usageError = [&request] {
    request.command = CliRequest::Command::kNone;
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
    err << kName << ": " << e.what() << '\n';
    return usageError();
  }
  request.baseFile = base.file;
  request.builtin = base.builtin;

  if (*generate) {
    request.command = CliRequest::Command::kGenerate;
    std::string unknown;
    const auto parsed = ParseOptions(options, unknown);
    if (!parsed) {
      err << kName << ": unknown option '" << unknown << "'; valid: " << ValidOptionNames() << '\n';
      return usageError();
    }
    request.boxes = *parsed;
    if (request.seedText && request.seedText->empty()) {
      err << kName << ": --seed needs a non-empty text\n";
      return usageError();
    }
  } else if (*load) {
    request.command = CliRequest::Command::kLoad;
  } else if (*rhymes) {
    request.command = CliRequest::Command::kRhymes;
    if (request.rhymeText.empty()) {
      err << kName << ": TEXT must not be empty\n";
      return usageError();
    }
  } else if (*format) {
    request.command = CliRequest::Command::kFormat;
  } else {
    request.command = CliRequest::Command::kImport;
  }
  return request;
}

int ExecuteCli(const CliRequest& request, std::ostream& out, std::ostream& err) {
  using Command = CliRequest::Command;
  ConsoleShell shell;
  const auto seedProgram = [&request](Program& program) {
    if (request.rngSeed) program.Random().Seed(static_cast<std::uint32_t>(*request.rngSeed));
  };

  switch (request.command) {
    case Command::kNone:
      return request.status;
    case Command::kGenerate:
    case Command::kLoad:
    case Command::kRhymes: {
      const BaseChoice base{request.baseFile, request.builtin};
      shell.SetBoxes(request.boxes);
      Program program(shell, FolderOf(base));
      program.ReadOptions();
      if (!ChooseBase(program, base, err)) return 1;
      seedProgram(program);
      program.SkipAboutOnFirstLoad();
      program.LoadBase();
      if (request.command == Command::kLoad) {
        out << TerminalText(shell.ShownText()) << '\n';
        return 0;
      }
      if (request.command == Command::kRhymes) {
        program.FindRhymes(FromUtf8(request.rhymeText), request.lineMode);
        out << TerminalText(shell.ShownText()) << '\n';
        return 0;
      }
      for (int i = 0; i < request.repeat; ++i) {
        if (i > 0) out << "%\n";
        if (request.seedText)
          program.GenerateFromSeed(FromUtf8(*request.seedText));
        else
          program.SHIT(request.count, 0);
        out << TerminalText(shell.ShownText()) << '\n';
        if (shell.LastAlignment() == Alignment::kCentre) return 3;
      }
      return 0;
    }
    case Command::kFormat: {
      const BaseChoice choice{request.formatFile, {}};
      Program program(shell, FolderOf(choice));
      if (!ChooseBase(program, choice, err)) return 1;
      program.SkipAboutOnFirstLoad();
      shell.SetAnswer(request.yes);
      shell.EchoTo(&err);  // the progress, as the window shows it
      const auto outcome = program.FormatBase();
      shell.EchoTo(nullptr);
      out << TerminalText(shell.ShownText()) << '\n';
      return outcome == Program::FormatOutcome::kWriteFailed ? 1 : 0;
    }
    case Command::kImport:
      break;
  }

  shell.SetAnswer(true);
  shell.EchoTo(&out);
  std::error_code ec;
  if (!std::filesystem::is_directory(request.into, ec)) {
    err << kName << ": no such folder '" << request.into << "'\n";
    return 1;
  }
  Program program(shell, std::filesystem::absolute(request.into));
  seedProgram(program);
  std::vector<std::filesystem::path> files(request.importFiles.begin(), request.importFiles.end());
  const auto report = program.ImportFiles(files);
  for (const auto& [file, reason] : report.skipped)
    err << kName << ": skipped '" << file.string() << "': " << reason << '\n';
  return report.skipped.empty() ? 0 : 1;
}

int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  return ExecuteCli(ParseCli(args, out, err), out, err);
}

}  // namespace vm
