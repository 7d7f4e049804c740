// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The phrase base in memory: upper-case lines and their rhyme keys, as views
// into two buffers of one layout (the keys sit where the lines do), found
// through one table of line starts. When every character of the base has a
// Windows-1251 code, as in every base read from a Windows-1251 file, the
// buffers hold those codes, one byte per character; otherwise UTF-16.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <iterator>
#include <memory>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "text/cp1251.h"

namespace vm {

// A line or key of a base, or a piece of one, in the form the base keeps.
class BaseLine {
 public:
  BaseLine() = default;
  explicit BaseLine(std::string_view narrow) : narrow_(narrow.data()), size_(narrow.size()) {}
  explicit BaseLine(std::u16string_view wide) : wide_(wide.data()), size_(wide.size()) {}

  // One byte per character (Windows-1251 codes), else UTF-16.
  bool IsNarrow() const { return wide_ == nullptr; }
  std::string_view Narrow() const { return {narrow_, size_}; }
  std::u16string_view Wide() const { return {wide_, size_}; }

  std::size_t size() const { return size_; }
  bool empty() const { return size_ == 0; }
  char16_t operator[](std::size_t i) const {
    return wide_ != nullptr ? wide_[i] : Cp1251ToChar(static_cast<std::uint8_t>(narrow_[i]));
  }
  // Characters pos to pos + n (to the end when fewer).
  BaseLine substr(std::size_t pos, std::size_t n = std::u16string_view::npos) const;
  // Without blanks (code 32) at either end.
  BaseLine TrimmedBlanks() const;
  // Everything after the last blank (or hyphen, with stopAtHyphen).
  BaseLine LastWord(bool stopAtHyphen) const;

  std::u16string Text() const;
  explicit operator std::u16string() const { return Text(); }

  friend bool operator==(const BaseLine& line, std::u16string_view text);

 private:
  const char* narrow_ = nullptr;
  const char16_t* wide_ = nullptr;
  std::size_t size_ = 0;
};

// The lines of one buffer as a random-access range.
class LineList {
 public:
  class const_iterator {
   public:
    using iterator_category = std::random_access_iterator_tag;
    using value_type = BaseLine;
    using difference_type = std::ptrdiff_t;
    using pointer = void;
    using reference = BaseLine;

    const_iterator() = default;
    const_iterator(const LineList* list, std::size_t at) : list_(list), at_(at) {}
    BaseLine operator*() const { return (*list_)[at_]; }
    BaseLine operator[](difference_type n) const {
      return (*list_)[at_ + static_cast<std::size_t>(n)];
    }
    const_iterator& operator++() { return ++at_, *this; }
    const_iterator operator++(int) { return {list_, at_++}; }
    const_iterator& operator--() { return --at_, *this; }
    const_iterator operator--(int) { return {list_, at_--}; }
    const_iterator& operator+=(difference_type n) {
      at_ += static_cast<std::size_t>(n);
      return *this;
    }
    const_iterator& operator-=(difference_type n) {
      at_ -= static_cast<std::size_t>(n);
      return *this;
    }
    friend const_iterator operator+(const_iterator i, difference_type n) { return i += n; }
    friend const_iterator operator+(difference_type n, const_iterator i) { return i += n; }
    friend const_iterator operator-(const_iterator i, difference_type n) { return i -= n; }
    friend difference_type operator-(const const_iterator& a, const const_iterator& b) {
      return static_cast<difference_type>(a.at_) - static_cast<difference_type>(b.at_);
    }
    friend bool operator==(const const_iterator& a, const const_iterator& b) {
      return a.at_ == b.at_;
    }
    friend auto operator<=>(const const_iterator& a, const const_iterator& b) {
      return a.at_ <=> b.at_;
    }

   private:
    const LineList* list_ = nullptr;
    std::size_t at_ = 0;
  };
  using iterator = const_iterator;
  using value_type = BaseLine;
  using size_type = std::size_t;

  LineList() = default;
  // Line i of a buffer (narrow or wide: the other is null) starts at
  // bounds[i] and ends separator characters before bounds[i + 1]; bounds
  // holds count + 1 entries.
  LineList(const char* narrow, const char16_t* wide, const std::size_t* bounds, std::size_t count,
           std::size_t separator)
      : narrow_(narrow), wide_(wide), bounds_(bounds), count_(count), separator_(separator) {}

  std::size_t size() const { return count_; }
  bool empty() const { return count_ == 0; }
  bool IsNarrow() const { return wide_ == nullptr; }
  BaseLine operator[](std::size_t i) const {
    return wide_ != nullptr ? BaseLine(At<char16_t>(i)) : BaseLine(At<char>(i));
  }
  // Line i as stored: At<char> for a narrow list, At<char16_t> for a wide one.
  template <typename Char>
  std::basic_string_view<Char> At(std::size_t i) const {
    const Char* data;
    if constexpr (sizeof(Char) == 1) {
      data = narrow_;
    } else {
      data = wide_;
    }
    return {data + bounds_[i], bounds_[i + 1] - bounds_[i] - separator_};
  }
  const_iterator begin() const { return {this, 0}; }
  const_iterator end() const { return {this, count_}; }

  friend bool operator==(const LineList& list, const std::vector<std::u16string_view>& lines);

 private:
  const char* narrow_ = nullptr;
  const char16_t* wide_ = nullptr;
  const std::size_t* bounds_ = nullptr;
  std::size_t count_ = 0;
  std::size_t separator_ = 0;
};

// What the rhyme searches know of a key without reading it: its length (held
// at 65,535), its last three characters (the last one in the low 16 bits, 0
// where the key is shorter) and the bits KeyEndBits sets for every three
// characters that stand right before a blank of the key.
struct KeyDigest {
  std::uint64_t tail = 0;  // length << 48 | last three characters
  std::uint64_t inner = 0;
};

// Two bits of 64 for the three characters a, b, c (c the last).
inline std::uint64_t KeyEndBits(char16_t a, char16_t b, char16_t c) {
  const std::uint64_t h =
      (std::uint64_t{a} | std::uint64_t{b} << 16 | std::uint64_t{c} << 32) * 0x9E3779B97F4A7C15ULL;
  return (std::uint64_t{1} << (h >> 58)) | (std::uint64_t{1} << ((h >> 52) & 63));
}

struct BaseStorage;

struct PhraseBase {
  LineList lines;  // upper case, without line breaks
  LineList keys;   // FoldRhymeLetters of each line, same lengths
  std::int32_t UBound() const { return static_cast<std::int32_t>(lines.size()) - 1; }

  // One digest per key, made when first asked for (and then kept).
  const std::vector<KeyDigest>& KeyDigests() const;

  // Owns what the lines point into; copies of a base share it.
  std::shared_ptr<const BaseStorage> storage;
};

// Elapsed milliseconds of the three indexing passes, for the load report.
struct IndexTimings {
  std::int64_t I1 = 0;  // LF CR repair and upper-casing
  std::int64_t I2 = 0;  // splitting into lines
  std::int64_t I3 = 0;  // folding and splitting into keys
};

// Builds the base from a whole text: LF CR becomes CR LF, the text is
// upper-cased and split at CR LF (an empty text gives no lines), and the keys
// are the folded text split the same way. A text that holds no CR at all is
// split at LF instead, a final LF giving no empty last line. tick is a
// millisecond clock.
PhraseBase IndexBaseText(std::u16string text, const std::function<std::int64_t()>& tick,
                         IndexTimings& timings);

// The same for the bytes of a base file, decoded as DecodeTextFile decodes
// them (looksLikeUtf8 is LooksLikeUtf8 of the bytes). Windows-1251 bytes are
// upper-cased where they are and become the base's own buffer.
PhraseBase IndexBaseBytes(std::string bytes, bool looksLikeUtf8,
                          const std::function<std::int64_t()>& tick, IndexTimings& timings);

}  // namespace vm
