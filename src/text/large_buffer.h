// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A buffer for a whole text, left uncleared: its pages are first touched by
// whoever fills it, once. A big one asks the system for large pages, so that
// filling it takes one page fault per 2 MiB rather than one per 4 KiB.
#include <cstddef>
#include <memory>

namespace vm {

// Memory for bytes bytes (throws std::bad_alloc), and its release.
void* AllocateLarge(std::size_t bytes);
void FreeLarge(void* memory);

template <typename T>
class LargeBuffer {
 public:
  LargeBuffer() = default;
  explicit LargeBuffer(std::size_t size)
      : data_(static_cast<T*>(AllocateLarge(size * sizeof(T)))), size_(size) {}
  T* data() { return data_.get(); }
  const T* data() const { return data_.get(); }
  std::size_t size() const { return size_; }

 private:
  struct Free {
    void operator()(T* memory) const { FreeLarge(memory); }
  };
  std::unique_ptr<T, Free> data_;
  std::size_t size_ = 0;
};

}  // namespace vm
