// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/output_text.h"

#include <algorithm>
#include <utility>

namespace vm {

void OutputText::Set(std::u16string text) {
  text_ = std::move(text);
  display_.clear();
  origin_.clear();
  display_.reserve(text_.size());
  origin_.reserve(text_.size() + 1);
  for (std::size_t i = 0; i < text_.size(); ++i) {
    origin_.push_back(i);
    if (text_[i] == u'\r') {
      display_.push_back(u'\n');
      if (i + 1 < text_.size() && text_[i + 1] == u'\n') ++i;
    } else {
      display_.push_back(text_[i]);
    }
  }
  origin_.push_back(text_.size());
}

std::u16string OutputText::Slice(std::size_t start, std::size_t end) const {
  end = std::min(end, display_.size());
  if (start >= end) return {};
  return text_.substr(origin_[start], origin_[end] - origin_[start]);
}

}  // namespace vm
