// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/import_text.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "base/catalogue.h"
#include "text/cp1251.h"
#include "text/large_buffer.h"
#include "text/letter_case.h"
#include "text/scan.h"
#include "text/strings.h"
#include "tools/drop_markers.h"
#include "tools/fix_symbols.h"

namespace vm {
namespace {

// The text after room spare codes with every LF replaced by CR LF, after as
// much room, in one rebuild.
std::string ExpandLineFeeds(std::string codes, std::size_t room) {
  const std::string_view text = std::string_view(codes).substr(room);
  const auto feeds = static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
  if (feeds == 0) return codes;
  std::string out(room + text.size() + feeds, '\0');
  char* to = out.data() + room;
  for (const char ch : text) {
    *to = '\r';
    to += ch == '\n' ? 1 : 0;
    *to++ = ch;
  }
  return out;
}

// Where the cutting stands.
struct Cutting {
  std::size_t i = 0;        // the next code to read
  std::size_t drawn = 0;    // positions whose draws are made or skipped over
  std::size_t lastCut = 0;  // 0-based: 1-based positions less one
  char* to = nullptr;       // where the next code goes
  char* start = nullptr;    // where the text begins
  // When the source holds no NUL: the CRs written as the clean-up's markers
  // (its first pass would delete them and do nothing else there), each a
  // change of 2.
  bool premark = false;
  std::int32_t premarked = 0;
};

// The cutting, its cut marks becoming CR LF, the source's own line breaks
// going and the upper-casing in one pass, from codes[at.i, size) on.
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
// stored, and what lies past the copy is written again.
//
// In place (writing into the memory it reads, behind it), it stops, giving
// false, where what it writes comes within 16 codes of what it has yet to
// read; only cuts and code 1 make the text longer.
bool Cut(RandomSource& random, const char* codes, std::size_t size, Cutting& at, bool inPlace) {
  static const auto upper = [] {
    std::array<char, 256> table{};
    for (std::size_t b = 0; b < 256; ++b)
      table[b] =
          static_cast<char>(Cp1251CodeOf(UpperChar(Cp1251ToChar(static_cast<std::uint8_t>(b)))));
    return table;
  }();
  char* to = at.to;
  std::size_t drawn = at.drawn;
  std::size_t lastCut = at.lastCut;
  std::size_t i = at.i;
  std::int32_t premarked = at.premarked;
  const auto save = [&] {
    at.i = i;
    at.drawn = drawn;
    at.lastCut = lastCut;
    at.to = to;
    at.premarked = premarked;
  };
  static const auto deletesCrAfter = [] {
    std::array<bool, 256> table{};
    for (std::size_t b = 0; b < 256; ++b)
      table[b] = FirstPassDeletesCrAfter(static_cast<std::uint8_t>(b));
    return table;
  }();
  const auto lineEnd = [&] {
    const bool marker =
        at.premark && to != at.start && deletesCrAfter[static_cast<unsigned char>(to[-1])];
    premarked += marker ? 2 : 0;
    to[0] = marker ? '\0' : '\r';
    to[1] = '\n';
    to += 2;
  };
  // The code at 0-based i; to past what it becomes.
  const auto step = [&](std::size_t i) {
    const char c = codes[i];
    const bool blank = c == ' ';
    if (!blank && c != '\n' && c != '\r') {
      if (c == '\x01') {
        lineEnd();
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
      lineEnd();
      lastCut = i;
    } else if (blank) {
      *to++ = ' ';
    }
  };
  // The code at i, or a CR LF at once: its CR is a cut from 3 on, else its
  // LF is one 3 on. i past them.
  const auto one = [&](std::size_t& i) {
    if (codes[i] != '\r' || i + 1 == size || codes[i + 1] != '\n') {
      step(i++);
      return;
    }
    const std::size_t d = i - lastCut;
    if (d >= 2) {
      lineEnd();
      lastCut = d >= 3 ? i : i + 1;
    }
    i += 2;
  };
  const auto crowded = [&] { return inPlace && to + 16 > codes + i; };
#if defined(__SSE2__)
  while (i + 16 <= size) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(codes + i));
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
    one(i);
    if (crowded()) {
      save();
      return false;
    }
  }
#endif
  for (; i < size;) {
    one(i);
    if (crowded()) {
      save();
      return false;
    }
  }
  random.Advance(size - drawn);
  drawn = size;
  save();
  return true;
}

}  // namespace

std::filesystem::path ImportTargetPath(const std::filesystem::path& folder,
                                       const std::filesystem::path& source) {
  std::u16string name = u"source_" + Lower(DecodeFileName(source.filename()));
  if (!EndsWith(name, u".txt")) name += u".txt";
  return folder / EncodeFileName(name);
}

std::string PrepareImportedCodes(RandomSource& random, std::string codes, std::size_t room,
                                 const std::function<void()>& yield,
                                 const std::function<void(std::int32_t passChanges)>& passDone) {
  // A source written with LF alone is cut as the same text with CR LF: its
  // short lines stay lines instead of gluing to the next.
  if (codes.find('\r', room) == std::string::npos) codes = ExpandLineFeeds(std::move(codes), room);
  const char* const source = codes.data() + room;
  const std::size_t size = codes.size() - room;
  // Cut in place where the room allows (the text then has one buffer all
  // along, and no fresh pages beyond the room); else, or once the text has
  // grown past its room, into a buffer of its own.
  Cutting at;
  at.to = at.start = codes.data();
  at.premark = std::memchr(source, '\0', size) == nullptr;
  LargeBuffer<char> buffer;
  if (room < 16 || !Cut(random, source, size, at, true)) {
    const std::size_t written = static_cast<std::size_t>(at.to - at.start);
    const std::size_t rest = size - at.i;
    // Every code 1 takes two; so does every cut, at least 3 characters after
    // the one before. (Pages past the end are never touched.)
    const auto ones = static_cast<std::size_t>(std::count(source + at.i, source + size, '\x01'));
    buffer = LargeBuffer<char>(written + rest + ones + rest / 3 + 17);
    std::copy(at.start, at.to, buffer.data());
    at.start = buffer.data();
    at.to = at.start + written;
    Cut(random, source, size, at, false);
  }
  char* const text = at.start;
  const auto cutSize = static_cast<std::size_t>(at.to - text);
  if (yield) yield();
  FixSymbolsProgress progress;
  progress.yield = yield;
  progress.passDone = [&](std::int32_t changes) {
    if (passDone) passDone(changes);
    if (yield) yield();
  };
  FixSymbolsMarked(text, cutSize, progress, at.premarked);
  if (text != codes.data()) {
    // codes' memory, the source's, which is about as long, takes the result
    // when it is large enough: fresh pages cost more than counting its size.
    std::size_t kept = cutSize;
    if (kept + 8 > codes.capacity()) {
      kept -= static_cast<std::size_t>(std::count(text, text + cutSize, '\0'));
      kept += static_cast<std::size_t>(std::count(text, text + cutSize, '\n'));
    }
    codes.clear();
    codes.resize(kept + 8);
  }
  char* const end = DropMarkers(text, cutSize, codes.data(), MarkerBeforeLf::kBecomesCr);
  codes.resize(static_cast<std::size_t>(end - codes.data()));
  return codes;
}

}  // namespace vm
