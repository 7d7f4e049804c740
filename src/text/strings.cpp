// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/strings.h"

#include <cmath>

namespace vm {

void ReplaceAll(std::u16string& text, std::u16string_view from, std::u16string_view to) {
  if (from.empty()) return;
  std::size_t pos = text.find(from);
  if (pos == std::u16string::npos) return;
  std::u16string out;
  out.reserve(text.size());
  std::size_t start = 0;
  while (pos != std::u16string::npos) {
    out.append(text, start, pos - start);
    out.append(to);
    start = pos + from.size();
    pos = text.find(from, start);
  }
  out.append(text, start, std::u16string::npos);
  text.swap(out);
}

std::vector<std::u16string> Split(std::u16string_view text, std::u16string_view sep) {
  std::vector<std::u16string> pieces;
  if (text.empty()) return pieces;
  if (!sep.empty()) {
    std::size_t count = 1;
    for (std::size_t pos = text.find(sep); pos != std::u16string_view::npos;
         pos = text.find(sep, pos + sep.size()))
      ++count;
    pieces.reserve(count);
  }
  std::size_t start = 0;
  while (true) {
    const std::size_t pos = sep.empty() ? std::u16string_view::npos : text.find(sep, start);
    if (pos == std::u16string_view::npos) {
      pieces.emplace_back(text.substr(start));
      return pieces;
    }
    pieces.emplace_back(text.substr(start, pos - start));
    start = pos + sep.size();
  }
}

std::vector<std::u16string> SplitWords(std::u16string_view text) {
  if (text.empty()) return {std::u16string()};
  return Split(text, u" ");
}

std::u16string Join(const std::vector<std::u16string>& pieces, std::u16string_view sep) {
  std::size_t total = 0;
  for (const auto& p : pieces) total += p.size() + sep.size();
  std::u16string out;
  out.reserve(total);
  for (std::size_t i = 0; i < pieces.size(); ++i) {
    if (i > 0) out.append(sep);
    out.append(pieces[i]);
  }
  return out;
}

std::u16string_view TrimBlanks(std::u16string_view text) {
  std::size_t b = 0;
  while (b < text.size() && text[b] == u' ') ++b;
  std::size_t e = text.size();
  while (e > b && text[e - 1] == u' ') --e;
  return text.substr(b, e - b);
}

void TrimRightBlanksInPlace(std::u16string& text) {
  std::size_t e = text.size();
  while (e > 0 && text[e - 1] == u' ') --e;
  text.resize(e);
}

bool EndsWith(std::u16string_view text, std::u16string_view tail) {
  return text.size() >= tail.size() && text.substr(text.size() - tail.size()) == tail;
}

bool StartsWith(std::u16string_view text, std::u16string_view head) {
  return text.size() >= head.size() && text.substr(0, head.size()) == head;
}

bool Contains(std::u16string_view text, std::u16string_view sought) {
  if (text.empty()) return false;
  return text.find(sought) != std::u16string_view::npos;
}

std::u16string_view Right(std::u16string_view text, std::size_t n) {
  return n >= text.size() ? text : text.substr(text.size() - n);
}

std::u16string Decimal(std::int64_t value) {
  return Ascii(std::to_string(value));
}

std::u16string Ascii(std::string_view text) {
  return std::u16string(text.begin(), text.end());
}

std::int64_t RoundHalfEven(double value) {
  // nearbyint rounds halves to even in the default rounding mode.
  return static_cast<std::int64_t>(std::nearbyint(value));
}

}  // namespace vm
