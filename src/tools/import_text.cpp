// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/import_text.h"

#include <algorithm>
#include <array>

#include "base/catalogue.h"
#include "text/cp1251.h"
#include "text/large_buffer.h"
#include "text/letter_case.h"
#include "text/scan.h"
#include "text/strings.h"
#include "tools/fix_symbols.h"

namespace vm {
namespace {

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

// The clean-up's deleted characters go and every LF becomes CR LF, into out
// (whose memory is used again).
void DropMarkersExpandLineFeeds(std::string_view text, std::string& out) {
  // Deleted characters are as frequent here as line ends: no branches. Every
  // code writes its first character and the code itself after it, and the
  // end moves on by what stays (a deleted one: none; LF: CR and LF).
  struct Step {
    std::array<char, 256> first{};
    std::array<std::uint8_t, 256> length{};
  };
  static const Step step = [] {
    Step t;
    for (std::size_t b = 0; b < 256; ++b) {
      t.first[b] = static_cast<char>(b);
      t.length[b] = 1;
    }
    t.length[0] = 0;
    t.first['\n'] = '\r';
    t.length['\n'] = 2;
    return t;
  }();
  // The exact size, so that out's memory, the source's, which is as long,
  // is used again: fresh pages cost more than these two counts.
  const auto feeds = static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
  const auto dropped = static_cast<std::size_t>(std::count(text.begin(), text.end(), '\0'));
  out.clear();
  out.resize(text.size() - dropped + feeds + 1);  // one spare for the code written after the end
  char* to = out.data();
  for (const char c : text) {
    const auto b = static_cast<unsigned char>(c);
    to[0] = step.first[b];
    to[1] = c;
    to += step.length[b];
  }
  out.resize(static_cast<std::size_t>(to - out.data()));
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
std::string_view CutAndRebuild(RandomSource& random, const std::string& codes,
                               LargeBuffer<char>& buffer) {
  static const auto upper = [] {
    std::array<char, 256> table{};
    for (std::size_t b = 0; b < 256; ++b)
      table[b] =
          static_cast<char>(Cp1251CodeOf(UpperChar(Cp1251ToChar(static_cast<std::uint8_t>(b)))));
    return table;
  }();
  const std::size_t size = codes.size();
  // Every code 1 takes two; so does every cut, at least 3 characters after the
  // one before. (Pages past the end are never touched.)
  const auto ones = static_cast<std::size_t>(std::count(codes.begin(), codes.end(), '\x01'));
  buffer = LargeBuffer<char>(size + ones + size / 3 + 17);
  char* const start = buffer.data();
  char* to = start;
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
  return {start, static_cast<std::size_t>(to - start)};
}

}  // namespace

std::filesystem::path ImportTargetPath(const std::filesystem::path& folder,
                                       const std::filesystem::path& source) {
  std::u16string name = u"source_" + Lower(DecodeFileName(source.filename()));
  if (!EndsWith(name, u".txt")) name += u".txt";
  return folder / EncodeFileName(name);
}

std::string PrepareImportedCodes(RandomSource& random, std::string codes,
                                 const std::function<void()>& yield,
                                 const std::function<void(std::int32_t passChanges)>& passDone) {
  // A source written with LF alone is cut as the same text with CR LF: its
  // short lines stay lines instead of gluing to the next.
  if (codes.find('\r') == std::string::npos) codes = ExpandLineFeeds(std::move(codes));
  LargeBuffer<char> buffer;
  const std::string_view cut = CutAndRebuild(random, codes, buffer);
  char* const text = buffer.data();
  if (yield) yield();
  FixSymbolsProgress progress;
  progress.yield = yield;
  progress.passDone = [&](std::int32_t changes) {
    if (passDone) passDone(changes);
    if (yield) yield();
  };
  FixSymbolsMarked(text, cut.size(), progress);
  DropMarkersExpandLineFeeds(cut, codes);
  return codes;
}

}  // namespace vm
