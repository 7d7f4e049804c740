#include "cli/cli.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <nlohmann/json.hpp>
#include <regex>
#include <sstream>

#include "cli/cli_help.h"
#include "temp_folder.h"
#include "text/cp1251.h"

namespace vm {
namespace {

using test::TempFolder;
using Json = nlohmann::json;

struct CliRun {
  int status;
  std::string out;
  std::string err;
};

// A standard output that fails every write with error (ENOSPC, EPIPE).
class FailingOutput : public std::streambuf {
 public:
  explicit FailingOutput(int error) : error_(error) {}

 protected:
  int overflow(int) override { return Fail(); }
  std::streamsize xsputn(const char*, std::streamsize) override { return Fail(); }

 private:
  int Fail() {
    errno = error_;
    return 0;
  }
  int error_;
};

// In-process. The token ">full" or ">gone" makes standard output fail as a
// full disk or a closed pipe does.
CliRun Cli(std::vector<std::string> args, const std::string& in = {},
           std::size_t baseByteLimit = kBaseByteLimit) {
  int outError = 0;
  std::erase_if(args, [&outError](const std::string& a) {
    if (a == ">full" || a == ">gone") outError = a == ">full" ? ENOSPC : EPIPE;
    return outError != 0 && a.starts_with('>');
  });
  std::istringstream input(in);
  std::ostringstream text, err;
  FailingOutput failing(outError);
  std::ostream out(outError != 0 ? static_cast<std::streambuf*>(&failing) : text.rdbuf());
  CliRequest request = ParseCli(args, out, err);
  request.baseByteLimit = baseByteLimit;
  const int status = request.command == CliRequest::Command::kNone
                         ? request.status
                         : ExecuteCli(request, input, out, err);
  return {status, text.str(), err.str()};
}

// The real executable: script is a bash command line that names it "$CLI".
CliRun Binary(const TempFolder& folder, const std::string& script, const std::string& in) {
  folder.Write("script", script);
  folder.Write("stdin", in);
  const std::string command = "cd " + folder.path().string() +
                              " && CLI=" VM_CLI_BINARY " bash script <stdin >stdout 2>stderr";
  const int status = std::system(command.c_str());
  return {WEXITSTATUS(status), TempFolder::Read(folder / "stdout"),
          TempFolder::Read(folder / "stderr")};
}

std::vector<std::string> Words(const std::string& line) {
  std::istringstream in(line);
  std::vector<std::string> words;
  for (std::string w; in >> w;) words.push_back(w);
  return words;
}

enum Where { kLib, kBoth, kShell };
struct Case {
  const char* args;  // split at blanks; {base}, {empty} and {dir} are filled in
  const char* in;    // standard input; "{2 KiB}" is that much, past the 1 KiB cap
  int status;
  const char* out;  // patterns searched in standard output and error
  const char* err;
  Where where = kLib;  // kBoth: also the real executable; kShell: args is a bash line
};

const Case kCases[] = {
    // 0: texts on standard output, nothing on standard error
    {"generate -b {base} -o , -n 5 --rng-seed 7", "", 0, R"(^(РАЗ|ДВА|ТРИ)( (РАЗ|ДВА|ТРИ))*\n$)",
     "^$", kBoth},
    {"generate -b - -n 1 -o ,", "кот\r\nпёс\r\n", 0, R"(^(КОТ|ПЁС)( (КОТ|ПЁС)){0,4}\n$)", "^$",
     kBoth},
    {"generate -b {base} --repeat 3 -n 1 --print-seed", "", 0, R"(^[^%]+\n%\n[^%]+\n%\n[^%]+\n$)",
     R"(^(--rng-seed \d+\n){3}$)"},
    {"generate --json --repeat 2 -b {base}", "", 0, R"(^(\{"text":"[^\n]+\}\n){2}$)", "^$", kBoth},
    {"generate --rng-seed 18446744073709551615 -b {base}", "", 0, "^.+\n$", "^$"},
    {"generate --rng-seed -9223372036854775808 -b {base}", "", 0, "^.+\n$", "^$"},
    {"load -b {base}", "", 0, R"(^\nФайл:\nb\.txt\n\n3\n)", "^$", kBoth},
    {"rhymes --lines -b {base} глаз", "", 0, R"(^ГЛАЗ\n————\nРАЗ\n\n$)", "^$"},
    {"generate --help", "", 0, R"(omsk +— "Омск": shuffles the words[^]*Exit status:)", "^$"},
    {"--help", "", 0, R"(generate +Print generated texts[^]*Exit status:)", "^$"},
    {"--version", "", 0, R"(^verbalomatic-cli \d+\.\d+\.\d+\n$)", "^$", kBoth},
    {"generate --repeat 50 --print-seed >gone", "", 0, "^$", R"(^--rng-seed \d+\n$)"},
    {R"(set -o pipefail; "$CLI" generate --repeat 100000 --print-seed 2>seeds | head -1
        s=$?; [ $(wc -l <seeds) -lt 5000 ] && exit $s)",
     "", 0, "^[^\n]+\n$", "^$", kShell},
    {R"("$CLI" load -b <(printf 'a\r\nb'))", "", 0, R"(Файл:\n\d+\n\n2\n)", "^$", kShell},
    {R"(mkfifo f; printf 'a\r\nb\r\nc' >f & "$CLI" load -b f)", "", 0, R"(Файл:\nf\n\n3\n)", "^$",
     kShell},
    // 1: file and output errors
    {"generate -b {dir}/nope.txt", "", 1, "^$",
     R"(^verbalomatic-cli: cannot read base '.*/nope\.txt': No such file or directory\n$)", kBoth},
    {"generate --json -b {dir}/nope.txt", "", 1,
     R"(^\{"error":"cannot read base '.*nope\.txt': No such file or directory","status":1\}\n$)",
     "nope"},
    {"load -b /dev/zero", "", 1, "^$", R"('/dev/zero': a device, not a file or pipe\n$)", kBoth},
    {R"(ln -s /dev/urandom u; "$CLI" generate -b u)", "", 1, "^$", "'u': a device", kShell},
    {"load -b {dir}", "", 1, "^$", "a folder, not a file or pipe"},
    {"generate -b -", "{2 KiB}", 1, "^$",
     R"('-': longer than 1 KiB, more than a base may hold\n$)"},
    {"generate >full", "", 1, "^$", "cannot write to standard output: No space left on device\n$"},
    {R"("$CLI" generate >/dev/full)", "", 1, "^$", "standard output: No space left on device\n$",
     kShell},
    {R"("$CLI" --help >/dev/full)", "", 1, "^$", "No space left on device", kShell},
    {"import --into {dir}/nope x", "", 1, "^$", R"(no such folder '.*/nope'\n$)"},
    {"import --into {dir} {dir}/x.txt", "", 1, "Импорт файлов завершен",
     R"(skipped '.*/x\.txt': no such file\n$)"},
    // 2: usage errors
    {"frobnicate", "", 2, "^$",
     "^verbalomatic-cli: unknown command 'frobnicate'; the commands are generate, load, rhymes, "
     "format and import \\(see 'verbalomatic-cli --help'\\)\n$",
     kBoth},
    {"", "", 2, "^$", "no command given"},
    {"generate --bogus", "", 2, "^$",
     R"(unknown option '--bogus' for generate \(see 'verbalomatic-cli generate --help'\)\n$)"},
    {"generate extra", "", 2, "^$", "unexpected argument 'extra' for generate"},
    {"generate -n", "", 2, "^$", "--count needs a value"},
    {"generate -n 1001", "", 2, "^$", "--count must be a whole number from 0 to 1000, not '1001'"},
    {"generate -n 5x", "", 2, "^$", "--count must be a whole number"},
    {"generate --repeat 0", "", 2, "^$", "--repeat must be a whole number from 1 to 1000000"},
    {"generate --rng-seed 18446744073709551616", "", 2, "^$",
     "--rng-seed must be a whole number that 64 bits hold, not '18446744073709551616'", kBoth},
    {"generate --rng-seed -9223372036854775809", "", 2, "^$", "--rng-seed must be"},
    {"generate -o punctuation,bogus", "", 2, "^$",
     "unknown option box 'bogus'; the boxes are punctuation, nocaps, .*, typos"},
    {"generate --seed=", "", 2, "^$", "--seed needs a value"},
    {"generate --json -n x", "", 2, R"(^\{"error":"--count must [^"]+","status":2\}\n$)",
     "--count must"},
    {"rhymes", "", 2, "^$", "rhymes needs TEXT"},
    {"generate -b {base} --builtin trash", "", 2, "^$", "--base and --builtin cannot be used"},
    {"load --builtin big", "", 2, "^$", "--builtin must be standard or trash, not 'big'"},
    // 3: no text could be made; the window's words go to standard error
    {"generate -b {empty}", "", 3, "^$",
     R"(^verbalomatic-cli: no text: "Я ОБКАКАЛСЯ. ПОЧЕМУ\?" \(the base is empty\)\n$)", kBoth},
    {"generate -b - --json", "", 3,
     R"(^\{"error":"Я ОБКАКАЛСЯ. ПОЧЕМУ\?","status":3,"rng_seed":\d+\}\n$)", "ОБКАКАЛСЯ"},
    {"generate -b - -o ,", " \r\n", 3, "^$", R"(no text: "Не взлетело. Слишком мало строк\?"\n$)"},
};

TEST(Cli, EveryExitStatusWithItsOutputAndMessages) {
  TempFolder folder;
  const std::string base = folder.Write("b.txt", EncodeCp1251(u"раз\r\nдва\r\nтри")).string();
  const std::string empty = folder.Write("empty.txt", "").string();
  const auto fill = [&](std::string text) {
    for (const auto& [key, value] : {std::pair<std::string, std::string>{"{base}", base},
                                     {"{empty}", empty},
                                     {"{dir}", folder.path().string()},
                                     {"{2 KiB}", std::string(2048, 'y')}})
      for (std::size_t at; (at = text.find(key)) != std::string::npos;)
        text.replace(at, key.size(), value);
    return text;
  };
  for (const Case& c : kCases) {
    const std::string args = fill(c.args);
    std::vector<CliRun> runs;
    const std::string in = fill(c.in);
    if (c.where != kShell) runs.push_back(Cli(Words(args), in, 1024));
    if (c.where != kLib) {
      TempFolder work;
      runs.push_back(Binary(work, c.where == kShell ? args : "\"$CLI\" " + args, in));
    }
    for (const CliRun& run : runs) {
      SCOPED_TRACE(args + (&run == &runs.back() && c.where != kLib ? " (binary)" : ""));
      EXPECT_EQ(run.status, c.status) << run.err;
      EXPECT_TRUE(std::regex_search(run.out, std::regex(c.out))) << "stdout: " << run.out;
      EXPECT_TRUE(std::regex_search(run.err, std::regex(c.err))) << "stderr: " << run.err;
    }
  }
}

// Every text of a --json run names the seed that brings it back alone.
TEST(Cli, EachTextsSeedReproducesIt) {
  for (const char* options :
       {"punctuation,nocaps,cache,breaks", "entropy,cache", "omsk,breaks,lyrics,morph,typos",
        "chaos,entropy,markup,classictags", "latin,markup,iq,mixedcase"}) {
    const std::vector<std::string> args = {
        "generate", "-b", VM_BASES_DIR "/standard.txt", "-n", "20", "-o", options};
    auto repeated = args;
    repeated.insert(repeated.end(), {"--json", "--repeat", "20"});
    const CliRun run = Cli(repeated);
    ASSERT_EQ(run.status, 0) << run.err;
    std::istringstream lines(run.out);
    int texts = 0;
    for (std::string line; std::getline(lines, line); ++texts) {
      const Json text = Json::parse(line);
      EXPECT_EQ(text["count"], 20);
      EXPECT_EQ(text["base"], Json::parse(R"({"name": "standard.txt", "lines": 3000})"));
      if (std::string(options).find("entropy") == std::string::npos) {
        EXPECT_EQ(text["options"], Json(Words(std::regex_replace(options, std::regex(","), " "))));
      }
      auto alone = args;
      alone.insert(alone.end(),
                   {"--rng-seed", std::to_string(text["rng_seed"].get<std::uint64_t>())});
      EXPECT_EQ(Cli(alone).out, text["text"].get<std::string>() + "\n") << options;
    }
    EXPECT_EQ(texts, 20);
  }
}

// Each box name ticks its own box, and --json names it back.
TEST(Cli, OptionNamesMatchTheirBoxes) {
  for (const OptionBoxName& box : OptionBoxNames()) {
    const CliRun run = Cli({"generate", "--json", "--rng-seed", "3", "-o", box.name});
    const Json options = Json::parse(run.out)["options"];
    EXPECT_EQ(std::count(options.begin(), options.end(), box.name), 1) << box.name;
    if (box.box != kOptEntropy) {
      EXPECT_EQ(options.size(), 1U) << box.name;
    }
  }
}

TEST(Cli, SeedTextGivesTheSameTextWhateverTheOptions) {
  const CliRun a = Cli({"generate", "--seed", "привет", "--json"});
  const CliRun b = Cli({"generate", "--seed", "привет", "-o", "lyrics,chaos,markup", "-n", "124"});
  const Json text = Json::parse(a.out);
  EXPECT_EQ(text["seed"], "привет");
  EXPECT_EQ(text["text"].get<std::string>() + "\n", b.out);
  EXPECT_NE(text["options"], Json::array({"punctuation", "nocaps", "cache", "breaks"}));
}

TEST(Cli, FormatAsksOnlyWithYes) {
  TempFolder folder;
  const std::string dirty = EncodeCp1251(u"привет, мир!");
  const auto base = folder.Write("source_x.txt", dirty);
  const CliRun dry = Cli({"format", base.string()});
  EXPECT_EQ(dry.status, 0);
  EXPECT_NE(dry.out.find("символов."), std::string::npos);
  EXPECT_EQ(TempFolder::Read(base), dirty);
  const CliRun wet = Cli({"format", "--yes", base.string()});
  EXPECT_EQ(wet.status, 0) << wet.out;
  EXPECT_EQ(TempFolder::Read(base), EncodeCp1251(u"ПРИВЕТ МИР"));
  EXPECT_EQ(Cli({"format", (folder / "none.txt").string()}).status, 1);
}

TEST(Cli, ImportNamesSkippedFiles) {
  TempFolder sources, into;
  const auto text = sources.Write("Story.txt", "once upon a time\r\nthe end");
  const CliRun ok = Cli({"import", "--into", into.path().string(), text.string()});
  EXPECT_EQ(ok.status, 0) << ok.err;
  EXPECT_TRUE(std::filesystem::exists(into / "source_story.txt"));
  const CliRun again = Cli({"import", "--into", into.path().string(), text.string()});
  EXPECT_EQ(again.status, 1);
  EXPECT_NE(again.err.find("Story.txt': the base exists already: source_story.txt"),
            std::string::npos)
      << again.err;
}

}  // namespace
}  // namespace vm
