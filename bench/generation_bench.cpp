// SPDX-License-Identifier: GPL-3.0-or-later
// Loading and generation on a large real-text base. The base path comes from
// VM_BENCH_CORPUS (scripts/make-corpus builds it).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <memory>

#include "app/program.h"
#include "cli/console_shell.h"
#include "text/cp1251.h"
#include "text/strings.h"

namespace vm {
namespace {

std::filesystem::path CorpusPath() {
  const char* env = std::getenv("VM_BENCH_CORPUS");
  return env != nullptr ? env : "build/corpus/corpus-10m.txt";
}

struct Loaded {
  ConsoleShell shell;
  std::unique_ptr<Program> program;

  explicit Loaded(const OptionBoxes& boxes) {
    shell.SetBoxes(boxes);
    const auto path = std::filesystem::absolute(CorpusPath());
    program = std::make_unique<Program>(shell, path.parent_path());
    program->ReadOptions();
    program->SetBaseName(DecodeTextFile(path.filename().string()));
    program->SkipAboutOnFirstLoad();
    program->Random().Seed(42);
    program->LoadBase();
  }
};

OptionBoxes Boxes(std::initializer_list<int> ticked) {
  OptionBoxes boxes{};
  for (int i : ticked) boxes[static_cast<std::size_t>(i)] = 1;
  return boxes;
}

const OptionBoxes kDefaults =
    Boxes({kOptPunctuation, kOptNoCapsLock, kOptUseCache, kOptParagraphBreaks});
const OptionBoxes kAllPhraseOptions =
    Boxes({kOptPunctuation, kOptUseCache, kOptOmsk, kOptParagraphBreaks, kOptMarkup, kOptLyrics,
           kOptSpeechDefects, kOptWordMorph, kOptMixedCase, kOptTypos});

void BM_LoadBase(benchmark::State& state) {
  const auto size = static_cast<double>(std::filesystem::file_size(CorpusPath()));
  std::int64_t i1 = 0, i2 = 0, i3 = 0, lines = 0;
  for (auto _ : state) {
    Loaded loaded(kDefaults);
    const auto report = Split(loaded.shell.ShownText(), kCrLf);
    lines = loaded.program->Base().UBound() + 1;
    i1 = std::stoll(ToUtf8(report.at(7).substr(4)));
    i2 = std::stoll(ToUtf8(report.at(8).substr(4)));
    i3 = std::stoll(ToUtf8(report.at(9).substr(4)));
  }
  state.counters["MB/s"] =
      benchmark::Counter(size / 1e6, benchmark::Counter::kIsIterationInvariantRate);
  state.counters["lines"] = static_cast<double>(lines);
  state.counters["I1_ms"] = static_cast<double>(i1);
  state.counters["I2_ms"] = static_cast<double>(i2);
  state.counters["I3_ms"] = static_cast<double>(i3);
}
BENCHMARK(BM_LoadBase)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_ShitDefaults(benchmark::State& state) {
  Loaded loaded(kDefaults);
  const auto count = static_cast<std::int32_t>(state.range(0));
  for (auto _ : state) {
    loaded.program->SHIT(count, 0);
    benchmark::DoNotOptimize(loaded.shell.ShownText());
  }
}
BENCHMARK(BM_ShitDefaults)->Arg(10)->Arg(124)->Unit(benchmark::kMicrosecond);

// Median, 99th percentile and worst of 1000 runs: auto-generation must keep its beat.
void BM_ShitAllOptions124(benchmark::State& state) {
  Loaded loaded(kAllPhraseOptions);
  std::vector<double> times;
  for (auto _ : state) {
    times.clear();
    for (int i = 0; i < 1000; ++i) {
      const auto start = std::chrono::steady_clock::now();
      loaded.program->SHIT(124, 0);
      times.push_back(
          std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start)
              .count());
    }
  }
  std::sort(times.begin(), times.end());
  state.counters["median_us"] = times[times.size() / 2];
  state.counters["p99_us"] = times[times.size() * 99 / 100];
  state.counters["worst_us"] = times.back();
}
BENCHMARK(BM_ShitAllOptions124)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_FindRhymes(benchmark::State& state) {
  Loaded loaded(kDefaults);
  const bool lines = state.range(0) != 0;
  for (auto _ : state) {
    loaded.program->FindRhymes(u"ПОТОЛОК", lines);
    benchmark::DoNotOptimize(loaded.shell.ShownText());
  }
}
BENCHMARK(BM_FindRhymes)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace vm
