// SPDX-License-Identifier: GPL-3.0-or-later
// One libFuzzer executable per entry point; VM_FUZZ_ENTRY names it.
#include <cstdio>
#include <cstdlib>

#include "fuzz_entries.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string broken = vm::fuzz::VM_FUZZ_ENTRY({data, size});
  if (!broken.empty()) {
    std::fprintf(stderr, "broken rule: %s\n", broken.c_str());
    std::abort();
  }
  return 0;
}
