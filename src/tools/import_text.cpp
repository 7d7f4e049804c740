// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/import_text.h"

#include <algorithm>
#include <array>

#include "base/catalogue.h"
#include "text/cp1251.h"
#include "text/letter_case.h"
#include "text/scan.h"
#include "text/strings.h"
#include "tools/fix_symbols.h"

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
  const auto special = [](__m128i v) {
    return _mm_or_si128(BytesEqual(v, '\0'), BytesEqual(v, '\n'));
  };
  const auto copy = [](__m128i v) { return v; };
#else
  const auto special = 0;
  const auto copy = 0;
#endif
  CopyWithLooks(text, text.size() + feeds, special, copy, one, out);
}

// The cutting, its cut marks becoming CR LF, the source's own line breaks
// going and the upper-casing in one pass, from codes to a new text.
//
// The cutting draws a threshold of 20 + RandomUpTo(10) for every character,
// but one matters only for a blank 20 to 29 characters after the last cut (a
// line break is a cut from 3 on whatever the threshold, other characters
// never are, and a blank is one from 30 on): only those draws are made, the
// others are skipped over. A code 1 of the source becomes CR LF as a cut
// mark does (the rebuild cannot tell them apart), though it is no cut.
//
// Sixteen codes go at a time up to the next that needs a look: a line break,
// a blank that may cut, code 1, or a code from 0x80 to 0xBF (elsewhere
// upper-casing is a..z and the codes from 0xE0 up losing 32). Whole blocks are
// stored: the text has sixteen spare codes at its end, and what lies past the
// copy is written again.
std::string CutAndRebuild(RandomSource& random, const std::string& codes) {
  static const auto upper = [] {
    std::array<char, 256> table{};
    for (std::size_t b = 0; b < 256; ++b)
      table[b] =
          static_cast<char>(Cp1251CodeOf(UpperChar(Cp1251ToChar(static_cast<std::uint8_t>(b)))));
    return table;
  }();
  const std::size_t size = codes.size();
  // Every code 1 takes two; so does every cut, at least 3 characters after the
  // one before.
  const auto ones = static_cast<std::size_t>(std::count(codes.begin(), codes.end(), '\x01'));
  std::string out(size + ones + size / 3 + 17, '\0');
  char* to = out.data();
  std::size_t drawn = 0;    // positions whose draws are made or skipped over
  std::size_t lastCut = 0;  // 0-based: 1-based positions less one
  // The code at 0-based i; to past what it becomes.
  const auto one = [&](std::size_t i) {
    const char c = codes[i];
    const bool blank = c == ' ';
    if (!blank && c != '\n' && c != '\r') {
      if (c == '\x01') {
        *to++ = '\r';
        *to++ = '\n';
      } else {
        *to++ = upper[static_cast<unsigned char>(c)];
      }
      return;
    }
    const std::size_t d = i - lastCut;
    bool cut;
    if (blank && d >= 20 && d < 30) {
      random.Advance(i - drawn);
      drawn = i + 1;
      cut = d >= static_cast<std::size_t>(20 + RandomUpTo(random, 10));
    } else {
      cut = blank ? d >= 30 : d >= 3;
    }
    if (cut) {
      *to++ = '\r';
      *to++ = '\n';
      lastCut = i;
    } else if (blank) {
      *to++ = ' ';
    }
  };
  std::size_t i = 0;
#if defined(__SSE2__)
  while (i + 16 <= size) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(codes.data() + i));
    const __m128i lower = _mm_or_si128(BytesWithin(v, 'a', 25), BytesWithin(v, 0xE0, 0x1F));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(to),
                     _mm_sub_epi8(v, _mm_and_si128(lower, _mm_set1_epi8(32))));
    const __m128i looks =
        _mm_or_si128(_mm_or_si128(BytesWithin(v, 0x80, 0x3F), BytesEqual(v, '\x01')),
                     _mm_or_si128(BytesEqual(v, '\n'), BytesEqual(v, '\r')));
    auto mask = static_cast<unsigned>(_mm_movemask_epi8(looks));
    // Blanks from the first that may cut.
    const std::size_t first = lastCut + 20;
    if (first < i + 16) {
      const unsigned far = first <= i ? 0xFFFFU : (0xFFFFU << (first - i)) & 0xFFFFU;
      mask |= static_cast<unsigned>(_mm_movemask_epi8(BytesEqual(v, ' '))) & far;
    }
    if (mask == 0) {
      to += 16;
      i += 16;
      continue;
    }
    const auto k = static_cast<std::size_t>(__builtin_ctz(mask));
    to += k;
    i += k;
    one(i++);
  }
#endif
  for (; i < size; ++i) one(i);
  random.Advance(size - drawn);
  out.resize(static_cast<std::size_t>(to - out.data()));
  return out;
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
  CutIntoPhraseLines(text, [&random] { return 20 + RandomUpTo(random, 10); });
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
  std::string text = CutAndRebuild(random, codes);
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
