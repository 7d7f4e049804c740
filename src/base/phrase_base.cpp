// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/phrase_base.h"

#include <algorithm>
#include <array>
#include <mutex>

#include "base/word_end.h"
#include "text/large_buffer.h"
#include "text/letter_case.h"
#include "text/scan.h"

namespace vm {

// The text and key buffers (narrow or wide), the line starts, and the
// digests once made.
struct BaseStorage {
  bool narrow = true;
  std::size_t size = 0;
  std::string narrowText;
  LargeBuffer<char> narrowKeys;
  LargeBuffer<char16_t> wideText;
  LargeBuffer<char16_t> wideKeys;
  std::vector<std::size_t> bounds;
  std::size_t separator = 0;
  mutable std::once_flag digestsMade;
  mutable std::vector<KeyDigest> digests;
};

BaseLine BaseLine::substr(std::size_t pos, std::size_t n) const {
  const std::size_t count = std::min(n, size_ - pos);
  return wide_ != nullptr ? BaseLine(Wide().substr(pos, count))
                          : BaseLine(Narrow().substr(pos, count));
}

BaseLine BaseLine::TrimmedBlanks() const {
  std::size_t b = 0;
  while (b < size_ && (*this)[b] == u' ') ++b;
  std::size_t e = size_;
  while (e > b && (*this)[e - 1] == u' ') --e;
  return substr(b, e - b);
}

BaseLine BaseLine::LastWord(bool stopAtHyphen) const {
  std::size_t i = size_;
  while (i > 0) {
    const char16_t c = (*this)[i - 1];
    if (c == u' ' || (stopAtHyphen && c == u'-')) break;
    --i;
  }
  return substr(i);
}

std::u16string BaseLine::Text() const {
  if (wide_ != nullptr) return std::u16string(Wide());
  std::u16string out(size_, u'\0');
  DecodeCp1251Into(Narrow(), out.data());
  return out;
}

bool operator==(const BaseLine& line, std::u16string_view text) {
  if (line.size() != text.size()) return false;
  if (!line.IsNarrow()) return line.Wide() == text;
  for (std::size_t i = 0; i < text.size(); ++i)
    if (line[i] != text[i]) return false;
  return true;
}

bool operator==(const LineList& list, const std::vector<std::u16string_view>& lines) {
  if (list.size() != lines.size()) return false;
  for (std::size_t i = 0; i < lines.size(); ++i)
    if (!(list[i] == lines[i])) return false;
  return true;
}

namespace {

// Every cased and every folding character lies below U+0500.
constexpr char16_t kTableEnd = 0x0500;

struct Tables {
  std::array<char16_t, kTableEnd> upper{};
  // The key of a character of the upper-case text: a small n there is the
  // line-break marker's, and the key sees it upper-cased.
  std::array<char16_t, kTableEnd> key{};
  // The same by Windows-1251 code: both keep every code to one that exists
  // (the upper case and the folding of a letter of the repertoire are in
  // the repertoire too).
  std::array<std::uint8_t, 256> upperCode{};
  std::array<std::uint8_t, 256> keyCode{};
  Tables() {
    for (char16_t c = 0; c < kTableEnd; ++c) {
      upper[c] = UpperChar(c);
      key[c] = FoldRhymeChar(UpperChar(c));
    }
    for (std::size_t b = 0; b < 256; ++b) {
      const char16_t c = Cp1251ToChar(static_cast<std::uint8_t>(b));
      upperCode[b] = Cp1251CodeOf(UpperChar(c));
      keyCode[b] = Cp1251CodeOf(FoldRhymeChar(UpperChar(c)));
    }
  }
};

const Tables& GetTables() {
  static const Tables tables;
  return tables;
}

// One pass from source to text: every LF CR becomes CR LF (left to right, without overlaps), and
// everything is upper-cased except the small n of a line-break marker (backslash, n). upper(unit)
// is the upper-cased unit; LF, CR, backslash and n are ASCII.
template <typename Unit, typename Upper>
void RepairAndUpper(const Unit* source, std::size_t size, Unit* text, Upper upper) {
  for (std::size_t i = 0; i < size; ++i) {
    const Unit u = source[i];
    if (u != Unit{'\n'} && u != Unit{'n'}) {
      text[i] = upper(u);
    } else if (u == Unit{'n'}) {
      // A backslash stays one when upper-cased: text[i - 1] tells as well.
      text[i] = i > 0 && source[i - 1] == Unit{'\\'} ? Unit{'n'} : Unit{'N'};
    } else if (i + 1 < size && source[i + 1] == Unit{'\r'}) {
      text[i] = Unit{'\r'};
      text[++i] = Unit{'\n'};
    } else {
      text[i] = Unit{'\n'};
    }
  }
}

// The same over Windows-1251 codes in place. Sixteen codes at a time where
// they hold no code from 0x80 to 0xBF, no LF before a CR and no marker: there
// upper-casing is a..z and the codes from 0xE0 up losing 32.
void RepairAndUpperNarrow(std::string& text) {
  const auto& upperCode = GetTables().upperCode;
  auto* s = reinterpret_cast<unsigned char*>(text.data());
  const std::size_t size = text.size();
  std::size_t i = 0;
  const auto step = [&] {  // position i, and i + 1 with it for LF CR
    const unsigned char u = s[i];
    if (u != '\n' && u != 'n') {
      s[i] = upperCode[u];
    } else if (u == 'n') {
      // A backslash stays one when upper-cased.
      s[i] = i > 0 && s[i - 1] == '\\' ? 'n' : 'N';
    } else if (i + 1 < size && s[i + 1] == '\r') {
      s[i] = '\r';
      s[++i] = '\n';
    }
    ++i;
  };
#if defined(__SSE2__)
  if (size > 0) step();
  while (i + 17 <= size) {
    const auto* at = reinterpret_cast<const __m128i*>(s + i);
    const __m128i v = _mm_loadu_si128(at);
    const __m128i next = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + i + 1));
    const __m128i previous = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + i - 1));
    const __m128i special =
        _mm_or_si128(BytesWithin(v, 0x80, 0x3F),
                     _mm_or_si128(_mm_and_si128(BytesEqual(v, '\n'), BytesEqual(next, '\r')),
                                  _mm_and_si128(BytesEqual(v, 'n'), BytesEqual(previous, '\\'))));
    if (const int mask = _mm_movemask_epi8(special); mask != 0) {
      const std::size_t stop =
          i + static_cast<std::size_t>(__builtin_ctz(static_cast<unsigned>(mask)));
      while (i <= stop) step();
      continue;
    }
    const __m128i lower = _mm_or_si128(BytesWithin(v, 'a', 25), BytesWithin(v, 0xE0, 0x1F));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(s + i),
                     _mm_sub_epi8(v, _mm_and_si128(lower, _mm_set1_epi8(32))));
    i += 16;
  }
#endif
  while (i < size) step();
}

// Line starts of text: after every CR LF, or, in a text without any CR,
// after every LF (a final LF ending the last line, not starting one).
template <typename Char>
void SplitLines(const Char* text, std::size_t size, BaseStorage& storage) {
  std::vector<std::size_t>& bounds = storage.bounds;
  if (size == 0) return;
  bounds.reserve(size / 32 + 2);
  bounds.push_back(0);
  if (FindUnit(text, size, Char{'\r'}) == size) {
    ForEachUnit(text, size, Char{'\n'}, [&](std::size_t at) { bounds.push_back(at + 1); });
    if (text[size - 1] != Char{'\n'}) bounds.push_back(size + 1);
    storage.separator = 1;
    return;
  }
  ForEachUnit(text, size, Char{'\n'}, [&](std::size_t at) {
    if (at > 0 && text[at - 1] == Char{'\r'}) bounds.push_back(at + 1);
  });
  bounds.push_back(size + 2);
  storage.separator = 2;
}

// Splitting and folding after the first pass has filled the text buffer.
PhraseBase Finish(std::shared_ptr<BaseStorage> storage, const std::function<std::int64_t()>& tick,
                  IndexTimings& timings) {
  BaseStorage& s = *storage;
  const std::size_t size = s.size;
  const char* narrow = s.narrow ? s.narrowText.data() : nullptr;
  const char16_t* wide = s.narrow ? nullptr : s.wideText.data();
  std::int64_t start = tick();
  if (s.narrow) {
    SplitLines(narrow, size, s);
  } else {
    SplitLines(wide, size, s);
  }
  const std::size_t count = s.bounds.empty() ? 0 : s.bounds.size() - 1;
  PhraseBase base;
  base.lines = LineList(narrow, wide, s.bounds.data(), count, s.separator);
  timings.I2 = tick() - start;

  // Folding keeps every character's place, so the keys sit where the lines do.
  start = tick();
  const Tables& tables = GetTables();
  if (s.narrow) {
    s.narrowKeys = LargeBuffer<char>(size);
    const auto* from = reinterpret_cast<const unsigned char*>(narrow);
    auto* to = reinterpret_cast<unsigned char*>(s.narrowKeys.data());
    for (std::size_t i = 0; i < size; ++i) to[i] = tables.keyCode[from[i]];
    base.keys = LineList(s.narrowKeys.data(), nullptr, s.bounds.data(), count, s.separator);
  } else {
    s.wideKeys = LargeBuffer<char16_t>(size);
    char16_t* to = s.wideKeys.data();
    for (std::size_t i = 0; i < size; ++i) {
      const char16_t c = wide[i];
      to[i] = c < kTableEnd ? tables.key[c] : c;
    }
    base.keys = LineList(nullptr, s.wideKeys.data(), s.bounds.data(), count, s.separator);
  }
  timings.I3 = tick() - start;
  base.storage = std::move(storage);
  return base;
}

}  // namespace

PhraseBase IndexBaseText(std::u16string input, const std::function<std::int64_t()>& tick,
                         IndexTimings& timings) {
  auto storage = std::make_shared<BaseStorage>();
  storage->size = input.size();
  const std::int64_t start = tick();
  storage->narrow =
      std::all_of(input.begin(), input.end(), [](char16_t c) { return CharToCp1251(c) >= 0; });
  if (storage->narrow) {
    storage->narrowText = EncodeCp1251(input);
    std::u16string().swap(input);  // (an assignment would keep the capacity)
    RepairAndUpperNarrow(storage->narrowText);
  } else {
    storage->wideText = LargeBuffer<char16_t>(input.size());
    const auto& upper = GetTables().upper;
    RepairAndUpper(input.data(), input.size(), storage->wideText.data(),
                   [&upper](char16_t c) { return c < kTableEnd ? upper[c] : c; });
    std::u16string().swap(input);
  }
  timings.I1 = tick() - start;
  return Finish(std::move(storage), tick, timings);
}

PhraseBase IndexBaseBytes(std::string bytes, bool looksLikeUtf8,
                          const std::function<std::int64_t()>& tick, IndexTimings& timings) {
  if (TextEncodingOf(bytes, looksLikeUtf8) != TextEncoding::kWindows1251) {
    std::u16string text = DecodeTextFile(bytes, looksLikeUtf8);
    std::string().swap(bytes);
    return IndexBaseText(std::move(text), tick, timings);
  }
  // Windows-1251: the codes are the narrow form already.
  auto storage = std::make_shared<BaseStorage>();
  storage->size = bytes.size();
  const std::int64_t start = tick();
  storage->narrowText = std::move(bytes);
  RepairAndUpperNarrow(storage->narrowText);
  timings.I1 = tick() - start;
  return Finish(std::move(storage), tick, timings);
}

const std::vector<KeyDigest>& PhraseBase::KeyDigests() const {
  static const std::vector<KeyDigest> kNone;
  if (!storage) return kNone;
  std::call_once(storage->digestsMade, [this] {
    std::vector<KeyDigest>& digests = storage->digests;
    digests.resize(keys.size());
    const auto digest = [&digests](std::size_t i, const auto key) {
      using Char = typename decltype(key)::value_type;
      const auto at = [&key](std::size_t k) -> char16_t {
        if constexpr (sizeof(Char) == 1) {
          return Cp1251ToChar(static_cast<std::uint8_t>(key[k]));
        } else {
          return key[k];
        }
      };
      const std::size_t n = key.size();
      KeyDigest& d = digests[i];
      d.tail = std::uint64_t{std::min<std::size_t>(n, 0xFFFF)} << 48;
      for (std::size_t k = 1; k <= 3 && k <= n; ++k)
        d.tail |= std::uint64_t{at(n - k)} << (16 * (k - 1));
      ForEachUnit(key.data(), n, Char{' '}, [&](std::size_t blank) {
        if (blank >= 3) d.inner |= KeyEndBits(at(blank - 3), at(blank - 2), at(blank - 1));
      });
    };
    for (std::size_t i = 0; i < keys.size(); ++i) {
      if (keys.IsNarrow()) {
        digest(i, keys.At<char>(i));
      } else {
        digest(i, keys.At<char16_t>(i));
      }
    }
  });
  return storage->digests;
}

}  // namespace vm
