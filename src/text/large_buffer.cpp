// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/large_buffer.h"

#include <cstdlib>
#include <new>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace vm {

void* AllocateLarge(std::size_t bytes) {
#if defined(__linux__) && defined(MADV_HUGEPAGE)
  constexpr std::size_t kHugePage = std::size_t{2} << 20;
  if (bytes >= kHugePage) {
    const std::size_t rounded = (bytes + kHugePage - 1) & ~(kHugePage - 1);
    void* memory = std::aligned_alloc(kHugePage, rounded);
    if (memory == nullptr) throw std::bad_alloc();
    // Only advice: without transparent huge pages the memory works as well.
    ::madvise(memory, rounded, MADV_HUGEPAGE);
    return memory;
  }
#endif
  void* memory = std::malloc(bytes == 0 ? 1 : bytes);
  if (memory == nullptr) throw std::bad_alloc();
  return memory;
}

void FreeLarge(void* memory) {
  std::free(memory);
}

}  // namespace vm
