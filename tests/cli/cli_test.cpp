#include "cli/cli.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>

#include "temp_folder.h"
#include "text/cp1251.h"
#include "text/strings.h"

namespace vm {
namespace {

using test::TempFolder;

struct CliRun {
  int status;
  std::string out;
  std::string err;
};

CliRun Cli(std::vector<std::string> args) {
  std::ostringstream out, err;
  const int status = RunCli(args, out, err);
  return {status, out.str(), err.str()};
}

// Runs the real executable through the shell; stdout only.
CliRun Binary(const std::string& args) {
  const std::string command = std::string(VM_CLI_BINARY) + " " + args + " 2>/dev/null";
  FILE* pipe = popen(command.c_str(), "r");
  std::string out;
  char buffer[4096];
  while (const std::size_t n = fread(buffer, 1, sizeof buffer, pipe)) out.append(buffer, n);
  const int status = pclose(pipe);
  return {WEXITSTATUS(status), out, {}};
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::stringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

TEST(Cli, GenerateWithoutOptionsPrintsUpperCaseLinesReproducibly) {
  TempFolder folder;
  const auto base = folder.Write("b.txt", EncodeCp1251(u"раз\r\nдва\r\nтри\r\nчетыре\r\nпять"));
  const std::vector<std::string> args = {"generate", "--base", base.string(), "--options", "",
                                         "--count",  "5",      "--rng-seed",  "7"};
  const CliRun first = Cli(args);
  ASSERT_EQ(first.status, 0) << first.err;
  EXPECT_EQ(Cli(args).out, first.out);
  const auto words = Split(FromUtf8(Lines(first.out).at(0)), u" ");
  EXPECT_GE(words.size(), 5U);
  EXPECT_LE(words.size(), 9U);
  for (const auto& w : words)
    EXPECT_TRUE(w == u"РАЗ" || w == u"ДВА" || w == u"ТРИ" || w == u"ЧЕТЫРЕ" || w == u"ПЯТЬ");
  EXPECT_EQ(Binary("generate --base " + base.string() + " --options '' --count 5 --rng-seed 7").out,
            first.out);
}

TEST(Cli, DefaultOptionsEndInASentenceEndAndRepeatSeparates) {
  TempFolder folder;
  const auto base = folder.Write("b.txt", "alpha beta\r\ngamma delta\r\nepsilon zeta");
  const CliRun run = Cli({"generate", "--base", base.string(), "--repeat", "3", "--rng-seed", "1"});
  ASSERT_EQ(run.status, 0);
  int separators = 0;
  for (const auto& line : Lines(run.out)) separators += line == "%";
  EXPECT_EQ(separators, 2);
  const std::string last = Lines(run.out).back();
  EXPECT_TRUE(last.back() == '.' || last.back() == '?' || last.back() == '!') << last;
}

TEST(Cli, LoadReportsLineCounts) {
  TempFolder folder;
  const auto crlf = folder.Write("a.txt", "A\r\nB\r\n");
  const auto lf = folder.Write("b.txt", "A\nB\nC");
  EXPECT_EQ(Lines(Cli({"load", "--base", crlf.string()}).out).at(4), "3");
  EXPECT_EQ(Lines(Cli({"load", "--base", lf.string()}).out).at(4), "1");
  EXPECT_EQ(Lines(Binary("load --base " + crlf.string()).out).back(), "DONE");
}

TEST(Cli, ErrorsHaveTheirExitStatuses) {
  TempFolder folder;
  const CliRun missing = Cli({"generate", "--base", (folder / "nope.txt").string()});
  EXPECT_EQ(missing.status, 1);
  EXPECT_NE(missing.err.find("nope.txt"), std::string::npos);
  const CliRun unknown = Cli({"generate", "--options", "punctuation,bogus"});
  EXPECT_EQ(unknown.status, 2);
  EXPECT_NE(unknown.err.find("typos"), std::string::npos);
  EXPECT_EQ(Cli({"generate", "--count", "1001"}).status, 2);
  EXPECT_EQ(Cli({"generate", "--seed", ""}).status, 2);
  EXPECT_EQ(Cli({"frobnicate"}).status, 2);
  const auto empty = folder.Write("empty.txt", "");
  const CliRun failed = Cli({"generate", "--base", empty.string()});
  EXPECT_EQ(failed.status, 3);
  EXPECT_EQ(failed.out, "Я ОБКАКАЛСЯ. ПОЧЕМУ?\n");
  EXPECT_EQ(Cli({"--version"}).status, 0);
}

TEST(Cli, SeedTextGivesTheSameTextWhateverTheOptions) {
  TempFolder folder;
  const auto base = folder.Write("b.txt", "alpha beta\r\ngamma delta\r\nepsilon zeta\r\neta theta");
  const CliRun a = Cli({"generate", "--base", base.string(), "--seed", "привет"});
  const CliRun b = Cli({"generate", "--base", base.string(), "--seed", "привет", "--options",
                        "lyrics,chaos,markup", "--count", "124"});
  EXPECT_EQ(a.status, 0);
  EXPECT_EQ(a.out, b.out);
}

TEST(Cli, RhymesInLineModeListTheVotLine) {
  TempFolder folder;
  const auto base = folder.Write("b.txt", EncodeCp1251(u"вот\r\nкот\r\nэто кот\r\nа вот"));
  const CliRun run = Cli({"rhymes", "--lines", "--base", base.string(), "КОТ"});
  EXPECT_EQ(run.status, 0);
  EXPECT_NE(run.out.find("ВОТ"), std::string::npos);
  EXPECT_EQ(run.out.find("\nКОТ"), std::string::npos);
  EXPECT_EQ(Lines(run.out).at(0), "КОТ");
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
  EXPECT_NE(ok.out.find("Импорт файлов завершен"), std::string::npos);
  EXPECT_TRUE(std::filesystem::exists(into / "source_story.txt"));
  const CliRun again = Cli({"import", "--into", into.path().string(), text.string()});
  EXPECT_EQ(again.status, 1);
  EXPECT_NE(again.err.find("Story.txt"), std::string::npos);
}

}  // namespace
}  // namespace vm
