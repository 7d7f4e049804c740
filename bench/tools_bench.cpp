// SPDX-License-Identifier: GPL-3.0-or-later
// The base tools on a 10 MiB synthetic dirty Russian text: letters in mixed
// case, punctuation, digits, dashes, no-break spaces, repeated lines; as
// Windows-1251 codes, the form the formatter and the import work on.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "random/random_source.h"
#include "text/cp1251.h"
#include "tools/duplicates.h"
#include "tools/fix_symbols.h"
#include "tools/import_text.h"

namespace vm {
namespace {

constexpr std::size_t kTextBytes = 10 * 1024 * 1024;

// Windows-1251 bytes of a dirty text, decoded.
const std::u16string& DirtyText() {
  static const std::u16string text = [] {
    RandomSource random(1251);
    const std::string punctuation = ",.!?;:\"()\x85\xAB\xBB";  // incl. … « »
    std::string bytes;
    bytes.reserve(kTextBytes + 256);
    std::vector<std::string> recent;
    while (bytes.size() < kTextBytes) {
      std::string line;
      if (!recent.empty() && Chance(random, 0.2F)) {
        line = recent[static_cast<std::size_t>(
            RandomUpTo(random, static_cast<std::int32_t>(recent.size()) - 1))];
      } else {
        const int words = 3 + RandomUpTo(random, 9);
        for (int w = 0; w < words; ++w) {
          const int letters = 1 + RandomUpTo(random, 9);
          const bool upper = Chance(random, 0.3F);
          for (int k = 0; k < letters; ++k) {
            const int code = (upper ? 0xC0 : 0xE0) + RandomUpTo(random, 31);
            line.push_back(static_cast<char>(Chance(random, 0.01F) ? 0xA8 : code));  // some Ё
          }
          if (Chance(random, 0.15F))
            line.push_back(punctuation[static_cast<std::size_t>(
                RandomUpTo(random, static_cast<std::int32_t>(punctuation.size()) - 1))]);
          if (Chance(random, 0.03F)) line += std::to_string(RandomUpTo(random, 999));
          const float gap = random.Next();
          line += gap < 0.85F ? " " : gap < 0.9F ? "  " : gap < 0.95F ? " \x96 " : "\xA0";
        }
        if (recent.size() < 5000) recent.push_back(line);
      }
      bytes += line;
      bytes += Chance(random, 0.5F) ? "\r\n" : "\n";
    }
    bytes.resize(kTextBytes);
    return DecodeCp1251(bytes);
  }();
  return text;
}

// The dirty text as the formatter and the import clean it: Windows-1251 codes.
const std::string& DirtyCodes() {
  static const std::string codes = EncodeCp1251(DirtyText());
  return codes;
}

void BM_FixSymbols(benchmark::State& state) {
  std::int32_t passes = 0;
  for (auto _ : state) {
    state.PauseTiming();
    std::string codes = DirtyCodes();
    passes = 0;
    state.ResumeTiming();
    FixSymbolsProgress progress;
    progress.passDone = [&](std::int32_t) { ++passes; };
    benchmark::DoNotOptimize(FixSymbols(codes, progress));
  }
  state.counters["passes"] = passes + 1;
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * DirtyCodes().size()));
}
BENCHMARK(BM_FixSymbols)->Unit(benchmark::kMillisecond);

// One pass over clean text: the cost of a pass by itself.
void BM_FixSymbolsCleanPass(benchmark::State& state) {
  std::string codes = DirtyCodes();
  FixSymbols(codes, {});
  for (auto _ : state) benchmark::DoNotOptimize(FixSymbols(codes, {}));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * codes.size()));
}
BENCHMARK(BM_FixSymbolsCleanPass)->Unit(benchmark::kMillisecond);

void BM_RemoveDuplicateLines(benchmark::State& state) {
  std::string joined = DirtyCodes();
  std::erase(joined, '\r');
  std::vector<std::string_view> lines;
  for (std::size_t start = 0, end; start <= joined.size(); start = end + 1) {
    end = std::min(joined.find('\n', start), joined.size());
    lines.emplace_back(joined.data() + start, end - start);
  }
  std::int32_t dropped = 0;
  for (auto _ : state) {
    state.PauseTiming();
    std::vector<std::string_view> work = lines;
    state.ResumeTiming();
    dropped = RemoveDuplicateLines(work, {});
    benchmark::DoNotOptimize(work.data());
  }
  state.counters["lines"] = static_cast<double>(lines.size());
  state.counters["dropped"] = dropped;
}
BENCHMARK(BM_RemoveDuplicateLines)->Unit(benchmark::kMillisecond);

void BM_PrepareImportedBase(benchmark::State& state) {
  RandomSource random(7);
  for (auto _ : state) {
    state.PauseTiming();
    std::string codes = std::string(kImportRoom, '\0') + DirtyCodes();  // as the import reads
    state.ResumeTiming();
    benchmark::DoNotOptimize(PrepareImportedCodes(random, std::move(codes), kImportRoom, {}));
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * DirtyCodes().size()));
}
BENCHMARK(BM_PrepareImportedBase)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vm
