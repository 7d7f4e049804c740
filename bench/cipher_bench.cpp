// SPDX-License-Identifier: GPL-3.0-or-later
// Decipherment speed: the built-in trash base and a 10 MiB blob.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "base/builtin_bases.h"
#include "base/rijndael.h"

namespace {

void BM_BuiltinTrashBase(benchmark::State& state) {
  const std::size_t size = vm::BuiltinBlob(vm::kTrashBaseResource).size();
  for (auto _ : state) {
    std::u16string text = vm::BuiltinBaseText(2, {});
    benchmark::DoNotOptimize(text.data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                          static_cast<std::int64_t>(size));
  state.counters["blob_bytes"] = static_cast<double>(size);
}
BENCHMARK(BM_BuiltinTrashBase)->Unit(benchmark::kMicrosecond);

// DecipherBase over 10 MiB, including the strip and the Windows-1251 decoding.
void BM_DecipherBase10MiB(benchmark::State& state) {
  std::mt19937 random(7);
  std::vector<std::uint8_t> blob(10U << 20);
  for (auto& b : blob) b = static_cast<std::uint8_t>(random());
  for (auto _ : state) {
    state.PauseTiming();
    std::vector<std::uint8_t> data = blob;
    std::u16string text;
    state.ResumeTiming();
    vm::DecipherBase(data, text, {});
    benchmark::DoNotOptimize(text.data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                          static_cast<std::int64_t>(blob.size()));
}
BENCHMARK(BM_DecipherBase10MiB)->Unit(benchmark::kMillisecond);

// The block cipher alone, 10 MiB in place.
void BM_RijndaelDecrypt10MiB(benchmark::State& state) {
  std::vector<std::uint8_t> data(10U << 20, 0x5A);
  const std::vector<std::uint8_t> key(32, 0x11);
  vm::clsA cipher;
  cipher.gentables();
  cipher.gkey(8, 8, key.data());
  for (auto _ : state) {
    for (std::size_t offset = 0; offset < data.size(); offset += 32)
      cipher.Decrypt(data.data() + offset);
    benchmark::DoNotOptimize(data.data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                          static_cast<std::int64_t>(data.size()));
}
BENCHMARK(BM_RijndaelDecrypt10MiB)->Unit(benchmark::kMillisecond);

}  // namespace
