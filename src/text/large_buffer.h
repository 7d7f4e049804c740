// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A buffer for a whole text, left uncleared: its pages are first touched by
// whoever fills it, once.
#include <cstddef>
#include <memory>

#include "platform/platform.h"

namespace vm {

template <typename T>
class LargeBuffer {
 public:
  LargeBuffer() = default;
  explicit LargeBuffer(std::size_t size)
      : data_(static_cast<T*>(platform::AllocateLarge(size * sizeof(T)))), size_(size) {}
  T* data() { return data_.get(); }
  const T* data() const { return data_.get(); }
  std::size_t size() const { return size_; }

 private:
  struct Free {
    void operator()(T* memory) const { platform::FreeLarge(memory); }
  };
  std::unique_ptr<T, Free> data_;
  std::size_t size_ = 0;
};

}  // namespace vm
