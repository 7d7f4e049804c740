// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/key_strokes.h"

#include <algorithm>

namespace vm {

std::optional<int> KeyStrokes::Press(int key, std::uint32_t time) {
  if (waiting_ && waiting_->key == key && waiting_->time == time) waiting_.reset();
  std::optional<int> ended = Settle();
  if (std::find(down_.begin(), down_.end(), key) == down_.end()) down_.push_back(key);
  return ended;
}

bool KeyStrokes::Release(int key, std::uint32_t time) {
  const auto down = std::find(down_.begin(), down_.end(), key);
  if (down == down_.end()) return false;
  down_.erase(down);
  waiting_ = Up{key, time};
  return true;
}

std::optional<int> KeyStrokes::Settle() {
  std::optional<int> key;
  if (waiting_) key = waiting_->key;
  waiting_.reset();
  return key;
}

}  // namespace vm
