// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/import_text.h"

#include <algorithm>
#include <array>

#include "base/catalogue.h"
#include "text/cp1251.h"
#include "text/letter_case.h"
#include "text/strings.h"
#include "tools/fix_symbols.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace vm {
namespace {

constexpr char16_t kCutMark = u'\x01';

void RebuildCuts(std::u16string& text);

// Replaces every LF by CR LF in one rebuild.
std::string ExpandLineFeeds(std::string text) {
  const auto feeds = static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
  if (feeds == 0) return text;
  std::string out(text.size() + feeds, '\0');
  char* to = out.data();
  for (const char ch : text) {
    *to = '\r';
    to += ch == '\n' ? 1 : 0;
    *to++ = ch;
  }
  return out;
}

#if defined(__SSE2__)
// 0xFF where from <= v <= from + span (as unsigned bytes).
inline __m128i Within(__m128i v, int from, int span) {
  const __m128i d = _mm_sub_epi8(v, _mm_set1_epi8(static_cast<char>(from)));
  return _mm_cmpeq_epi8(_mm_min_epu8(d, _mm_set1_epi8(static_cast<char>(span))), d);
}

inline __m128i Equal(__m128i v, char c) {
  return _mm_cmpeq_epi8(v, _mm_set1_epi8(c));
}
#endif

// Copies codes into a new text, sixteen at a time up to the next one that
// needs a look of its own (whole blocks are stored: the text keeps sixteen
// spare codes at its end, and what lies past the copy is written again).
// special(v) marks those in a block; copy(v) is what the others become;
// one(c, to) writes what c becomes and returns the new end.
template <typename Special, typename Copy, typename One>
void CopyWithLooks(std::string_view codes, std::size_t size, Special special, Copy copy, One one,
                   std::string& out) {
  out.clear();
  out.resize(size + 16);
  char* to = out.data();
  std::size_t i = 0;
#if defined(__SSE2__)
  while (i + 16 <= codes.size()) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(codes.data() + i));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(to), copy(v));
    const auto mask = static_cast<unsigned>(_mm_movemask_epi8(special(v)));
    if (mask == 0) {
      to += 16;
      i += 16;
      continue;
    }
    const auto k = static_cast<std::size_t>(__builtin_ctz(mask));
    to = one(codes[i + k], to + k);
    i += k + 1;
  }
#else
  (void)special;
  (void)copy;
#endif
  for (; i < codes.size(); ++i) to = one(codes[i], to);
  out.resize(static_cast<std::size_t>(to - out.data()));
}

// The source's own line breaks go, every cut becomes CR LF, and the text is
// upper-cased.
std::string RebuildUpper(const std::string& codes) {
  static const auto upper = [] {
    std::array<char, 256> table{};
    for (std::size_t b = 0; b < 256; ++b)
      table[b] =
          static_cast<char>(Cp1251CodeOf(UpperChar(Cp1251ToChar(static_cast<std::uint8_t>(b)))));
    return table;
  }();
  const auto marks =
      static_cast<std::size_t>(std::count(codes.begin(), codes.end(), static_cast<char>(kCutMark)));
  const auto one = [](char c, char* to) {
    if (c == '\n' || c == '\r') return to;
    if (c == static_cast<char>(kCutMark)) {
      *to++ = '\r';
      *to++ = '\n';
      return to;
    }
    *to++ = upper[static_cast<unsigned char>(c)];
    return to;
  };
#if defined(__SSE2__)
  // Outside 0x80..0xBF upper-casing is a..z and the codes from 0xE0 up losing 32.
  const auto special = [](__m128i v) {
    return _mm_or_si128(_mm_or_si128(Within(v, 0x80, 0x3F), Equal(v, static_cast<char>(kCutMark))),
                        _mm_or_si128(Equal(v, '\n'), Equal(v, '\r')));
  };
  const auto copy = [](__m128i v) {
    const __m128i lower = _mm_or_si128(Within(v, 'a', 25), Within(v, 0xE0, 0x1F));
    return _mm_sub_epi8(v, _mm_and_si128(lower, _mm_set1_epi8(32)));
  };
#else
  const auto special = 0;
  const auto copy = 0;
#endif
  std::string out;
  CopyWithLooks(codes, codes.size() + marks, special, copy, one, out);
  return out;
}

// The clean-up's deleted characters go and every LF becomes CR LF, into out
// (whose memory is used again).
void DropMarkersExpandLineFeeds(const std::string& text, std::string& out) {
  const auto feeds = static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
  const auto one = [](char c, char* to) {
    if (c == '\0') return to;
    if (c == '\n') *to++ = '\r';
    *to++ = c;
    return to;
  };
#if defined(__SSE2__)
  const auto special = [](__m128i v) { return _mm_or_si128(Equal(v, '\0'), Equal(v, '\n')); };
  const auto copy = [](__m128i v) { return v; };
#else
  const auto special = 0;
  const auto copy = 0;
#endif
  CopyWithLooks(text, text.size() + feeds, special, copy, one, out);
}

// Bit k is set where codes[k] is a blank, LF or CR: the only characters at
// which a cut can fall.
inline unsigned CutCandidates(const char* codes) {
#if defined(__SSE2__)
  const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(codes));
  const __m128i hit = _mm_or_si128(
      _mm_cmpeq_epi8(v, _mm_set1_epi8(' ')),
      _mm_or_si128(_mm_cmpeq_epi8(v, _mm_set1_epi8('\n')), _mm_cmpeq_epi8(v, _mm_set1_epi8('\r'))));
  return static_cast<unsigned>(_mm_movemask_epi8(hit));
#else
  unsigned mask = 0;
  for (unsigned k = 0; k < 16; ++k)
    if (codes[k] == ' ' || codes[k] == '\n' || codes[k] == '\r') mask |= 1U << k;
  return mask;
#endif
}

// Bit k is set where codes[k] is LF or CR.
inline unsigned LineBreaks(const char* codes) {
#if defined(__SSE2__)
  const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(codes));
  return static_cast<unsigned>(_mm_movemask_epi8(_mm_or_si128(
      _mm_cmpeq_epi8(v, _mm_set1_epi8('\n')), _mm_cmpeq_epi8(v, _mm_set1_epi8('\r')))));
#else
  unsigned mask = 0;
  for (unsigned k = 0; k < 16; ++k)
    if (codes[k] == '\n' || codes[k] == '\r') mask |= 1U << k;
  return mask;
#endif
}

// CutIntoPhraseLines with thresholds of 20 + RandomUpTo(10), one drawn for
// every character, marking cuts in codes. A threshold matters only for a blank
// 20 to 29 characters after the last cut (a line break is a cut from 3 on
// whatever the threshold, other characters never are, and a blank is one
// from 30 on): only those draws are made, the others are skipped over.
void MarkCuts(RandomSource& random, std::string& codes) {
  std::size_t drawn = 0;                // positions whose draws are made or skipped over
  std::size_t lastCut = 1;              // 1-based, as in the rule
  const auto at = [&](std::size_t i) {  // 1-based position i, a blank, LF or CR
    char& c = codes[i - 1];
    const std::size_t d = i - lastCut;
    bool cut;
    if (c == ' ' && d >= 20 && d < 30) {
      random.Advance(i - 1 - drawn);
      drawn = i;
      cut = d >= static_cast<std::size_t>(20 + RandomUpTo(random, 10));
    } else {
      cut = c == ' ' ? d >= 30 : d >= 3;
    }
    if (cut) {
      c = static_cast<char>(kCutMark);
      lastCut = i;
    }
  };
  const std::size_t size = codes.size();
  std::size_t i = 0;  // 0-based start of the block
  for (; i + 16 <= size; i += 16) {
    // A blank less than 20 characters after the last cut does nothing.
    const unsigned breaks = LineBreaks(codes.data() + i);
    const unsigned blanks = CutCandidates(codes.data() + i) & ~breaks;
    const auto due = [&] {
      const std::size_t first = lastCut + 19;  // 0-based, the first blank that may cut
      const unsigned far = first <= i        ? 0xFFFFU
                           : first >= i + 16 ? 0U
                                             : (0xFFFFU << (first - i)) & 0xFFFFU;
      return breaks | (blanks & far);
    };
    for (unsigned left = due(); left != 0;) {
      const auto k = static_cast<unsigned>(__builtin_ctz(left));
      const std::size_t before = lastCut;
      at(i + k + 1);
      left &= left - 1;
      if (lastCut != before) left = due() & ~((2U << k) - 1);
    }
  }
  for (; i < size; ++i) {
    const char c = codes[i];
    if (c == ' ' || c == '\n' || c == '\r') at(i + 1);
  }
  random.Advance(size - drawn);
}

}  // namespace

std::filesystem::path ImportTargetPath(const std::filesystem::path& folder,
                                       const std::filesystem::path& source) {
  std::u16string name = u"source_" + Lower(DecodeFileName(source.filename()));
  if (!EndsWith(name, u".txt")) name += u".txt";
  return folder / EncodeFileName(name);
}

void CutIntoPhraseLines(std::u16string& text, const std::function<std::int32_t()>& threshold) {
  // Positions are 1-based as in the rule: d is the distance from the last cut.
  std::size_t lastCut = 1;
  for (std::size_t i = 1; i <= text.size(); ++i) {
    char16_t& c = text[i - 1];
    const std::size_t d = i - lastCut;
    const auto limit = static_cast<std::size_t>(std::max<std::int32_t>(threshold(), 0));
    const bool lineBreak = c == u'\n' || c == u'\r';
    if (d >= limit ? (lineBreak || c == u' ') : (d >= 3 && lineBreak)) {
      c = kCutMark;
      lastCut = i;
    }
  }
  RebuildCuts(text);
}

void CutIntoPhraseLines(RandomSource& random, std::u16string& text) {
  std::string codes = EncodeCp1251(text);
  MarkCuts(random, codes);
  for (std::size_t i = 0; i < codes.size(); ++i)
    if (codes[i] == static_cast<char>(kCutMark)) text[i] = kCutMark;
  RebuildCuts(text);
}

namespace {

// The source's line breaks go, then every cut mark becomes CR LF.
void RebuildCuts(std::u16string& text) {
  std::erase(text, u'\n');
  std::erase(text, u'\r');
  const auto marks = static_cast<std::size_t>(std::count(text.begin(), text.end(), kCutMark));
  if (marks == 0) return;
  std::u16string out;
  out.reserve(text.size() + marks);
  for (const char16_t ch : text) {
    if (ch == kCutMark) {
      out += kCrLf;
    } else {
      out.push_back(ch);
    }
  }
  text = std::move(out);
}

}  // namespace

std::u16string PrepareImportedBase(RandomSource& random, std::u16string text,
                                   const std::function<void()>& yield,
                                   const std::function<void(std::int32_t passChanges)>& passDone) {
  return DecodeCp1251(PrepareImportedCodes(random, EncodeCp1251(text), yield, passDone));
}

std::string PrepareImportedCodes(RandomSource& random, std::string codes,
                                 const std::function<void()>& yield,
                                 const std::function<void(std::int32_t passChanges)>& passDone) {
  // A source written with LF alone is cut as the same text with CR LF: its
  // short lines stay lines instead of gluing to the next.
  if (codes.find('\r') == std::string::npos) codes = ExpandLineFeeds(std::move(codes));
  MarkCuts(random, codes);
  std::string text = RebuildUpper(codes);
  if (yield) yield();
  FixSymbolsProgress progress;
  progress.yield = yield;
  progress.passDone = [&](std::int32_t changes) {
    if (passDone) passDone(changes);
    if (yield) yield();
  };
  FixSymbolsMarked(text, progress);
  DropMarkersExpandLineFeeds(text, codes);
  return codes;
}

}  // namespace vm
