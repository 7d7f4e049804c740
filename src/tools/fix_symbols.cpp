// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/fix_symbols.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <limits>
#include <vector>

#include "text/scan.h"
#include "tools/drop_markers.h"

namespace vm {
namespace {

enum Kind : std::uint8_t {
  kKeep,
  kDigit,
  kCr,
  kLf,
  kBlank,
  kHyphen,
  kDash,
  kNoBreak,
  kYo,
  kSoftHyphen,
  kOther,
};

constexpr std::uint8_t kMarker = 0;
constexpr std::uint8_t kMarkedRead = 255;
constexpr std::uint8_t kCodeLf = 10;
constexpr std::uint8_t kCodeCr = 13;
constexpr std::uint8_t kCodeBlank = 32;
constexpr std::uint8_t kCodeHyphen = 45;
constexpr std::uint8_t kCodeNoBreak = 160;
constexpr std::uint8_t kCodeSoftHyphen = 173;

constexpr std::array<Kind, 256> MakeKinds() {
  std::array<Kind, 256> kinds{};
  for (auto& k : kinds) k = kOther;
  kinds[kMarker] = kKeep;
  for (int c = 'A'; c <= 'Z'; ++c) kinds[c] = kKeep;
  for (int c = 'a'; c <= 'z'; ++c) kinds[c] = kKeep;
  for (int c : {165, 170, 175, 178, 179, 180, 184, 186}) kinds[c] = kKeep;
  for (int c = 191; c <= 255; ++c) kinds[c] = kKeep;
  for (int c = '0'; c <= '9'; ++c) kinds[c] = kDigit;
  kinds[kCodeCr] = kCr;
  kinds[kCodeLf] = kLf;
  kinds[kCodeBlank] = kBlank;
  kinds[kCodeHyphen] = kHyphen;
  kinds[150] = kDash;
  kinds[151] = kDash;
  kinds[kCodeNoBreak] = kNoBreak;
  kinds[168] = kYo;
  kinds[kCodeSoftHyphen] = kSoftHyphen;
  return kinds;
}

constexpr std::array<Kind, 256> kKinds = MakeKinds();

// A neighbour as the rules read it: a marked character reads 255.
inline std::uint8_t Neighbour(std::uint8_t code) {
  return code == kMarker ? kMarkedRead : code;
}

constexpr std::uint8_t kYoReplacement = 197;  // Е

// The rules at position i. They read the neighbours as they stand when i is
// reached: i - 1 already processed, i + 1 not yet.
inline void Act(std::uint8_t* s, std::size_t length, std::size_t i, std::int32_t& count) {
  const Kind kind = kKinds[s[i]];
  if (kind == kKeep) return;
  const std::uint8_t n = i + 1 == length ? 0 : Neighbour(s[i + 1]);
  const std::uint8_t p = i == 0 ? 0 : Neighbour(s[i - 1]);
  auto deleteSelf = [&] {
    s[i] = kMarker;
    ++count;
  };
  switch (kind) {
    case kKeep:
      break;
    case kDigit:
      if (n == kCodeLf || n == kCodeCr || n == 0) deleteSelf();
      break;
    case kCr:
      s[i] = kCodeLf;
      ++count;
      [[fallthrough]];
    case kLf:
      if (n == kCodeLf || n == kCodeCr) deleteSelf();
      if (n == kCodeBlank) {
        s[i + 1] = kMarker;
        ++count;
      }
      if (p == 0) deleteSelf();
      if (n == 0) deleteSelf();
      if (p == kCodeHyphen) {
        s[i - 1] = kMarker;
        ++count;
      }
      if (n == kCodeHyphen) deleteSelf();
      break;
    case kBlank:
      if (n == kCodeHyphen || n == kCodeSoftHyphen) {
        s[i + 1] = kCodeBlank;  // not counted
      }
      if (p == kCodeHyphen) {
        s[i - 1] = kMarker;
        ++count;
      }
      if (n == kCodeBlank || n == kCodeNoBreak || n == kCodeCr || n == kCodeLf) deleteSelf();
      if (p == 0) deleteSelf();
      break;
    case kHyphen:
      if (p == 0) deleteSelf();
      if (n == kCodeHyphen) deleteSelf();
      break;
    case kDash:
    case kSoftHyphen:
      s[i] = kCodeHyphen;
      ++count;
      break;
    case kNoBreak:
      s[i] = n == kCodeBlank || n == kCodeNoBreak || n == 0 ? kMarker : kCodeBlank;
      ++count;
      break;
    case kYo:
      s[i] = kYoReplacement;
      ++count;
      break;
    case kOther:
      deleteSelf();
      break;
  }
}

// The cells a visit changed.
enum Changed : unsigned { kChangedPrevious = 1, kChangedSelf = 2, kChangedNext = 4 };

// Act, telling which cells it changed.
inline unsigned ActAt(std::uint8_t* s, std::size_t length, std::size_t i, std::int32_t& count) {
  const std::uint8_t p = i > 0 ? s[i - 1] : 0;
  const std::uint8_t c = s[i];
  const std::uint8_t n = i + 1 < length ? s[i + 1] : 0;
  Act(s, length, i, count);
  return (i > 0 && s[i - 1] != p ? kChangedPrevious : 0U) | (s[i] != c ? kChangedSelf : 0U) |
         (i + 1 < length && s[i + 1] != n ? kChangedNext : 0U);
}

// The rules read a neighbour only for a few codes; any other reads alike.
enum PreviousClass : std::uint8_t { kPrevNone, kPrevHyphen, kPrevOther, kPrevClasses };
enum NextClass : std::uint8_t {
  kNextNone,
  kNextLf,
  kNextCr,
  kNextBlank,
  kNextHyphen,
  kNextSoftHyphen,
  kNextNoBreak,
  kNextOther,
  kNextClasses
};

constexpr std::array<std::uint8_t, 256> MakeNextClasses() {
  std::array<std::uint8_t, 256> classes{};
  for (auto& c : classes) c = kNextOther;
  classes[kCodeLf] = kNextLf;
  classes[kCodeCr] = kNextCr;
  classes[kCodeBlank] = kNextBlank;
  classes[kCodeHyphen] = kNextHyphen;
  classes[kCodeSoftHyphen] = kNextSoftHyphen;
  classes[kCodeNoBreak] = kNextNoBreak;
  return classes;  // a marker (code 0) reads 255: another
}
constexpr std::array<std::uint8_t, 256> kNextClass = MakeNextClasses();

// What the rules do at a position, by its kind and its neighbours' classes:
// Act's effects, worked out once on one example of each.
struct Effect {
  bool keepSelf = true;
  std::uint8_t self = 0;
  bool markPrevious = false;
  bool keepNext = true;
  std::uint8_t next = 0;
  std::uint8_t count = 0;
  unsigned changed = 0;
};
using Effects = std::array<std::array<std::array<Effect, kNextClasses>, kPrevClasses>, kOther + 1>;

const Effects& GetEffects() {
  static const Effects effects = [] {
    constexpr std::array<std::uint8_t, kOther + 1> example = {
        0xFF, '5',          kCodeCr, kCodeLf,         kCodeBlank, kCodeHyphen,
        150,  kCodeNoBreak, 168,     kCodeSoftHyphen, '!'};
    constexpr std::array<std::uint8_t, kPrevClasses> previous = {0, kCodeHyphen, 0xFF};
    constexpr std::array<std::uint8_t, kNextClasses> next = {
        0, kCodeLf, kCodeCr, kCodeBlank, kCodeHyphen, kCodeSoftHyphen, kCodeNoBreak, 0xFF};
    Effects table{};
    for (std::size_t k = 0; k < example.size(); ++k) {
      for (std::size_t pc = 0; pc < kPrevClasses; ++pc) {
        for (std::size_t nc = 0; nc < kNextClasses; ++nc) {
          // The position between its neighbours; none at the text's ends.
          std::array<std::uint8_t, 3> s = {previous[pc], example[k], next[nc]};
          std::uint8_t* at = pc == kPrevNone ? s.data() + 1 : s.data();
          const std::size_t length = (nc == kNextNone ? 2U : 3U) - (pc == kPrevNone ? 1U : 0U);
          const std::size_t i = pc == kPrevNone ? 0 : 1;
          std::int32_t count = 0;
          Effect& e = table[k][pc][nc];
          Act(at, length, i, count);
          e.count = static_cast<std::uint8_t>(count);
          e.keepSelf = s[1] == example[k];
          e.self = s[1];
          e.markPrevious = pc != kPrevNone && s[0] != previous[pc];
          e.keepNext = nc == kNextNone || s[2] == next[nc];
          e.next = s[2];
          e.changed = (e.markPrevious ? kChangedPrevious : 0U) | (e.keepSelf ? 0U : kChangedSelf) |
                      (e.keepNext ? 0U : kChangedNext);
        }
      }
    }
    return table;
  }();
  return effects;
}

// ActAt at a position with neighbours on both sides, from the table.
inline unsigned ActInside(std::uint8_t* s, std::size_t i, const Effects& effects,
                          std::int32_t& count) {
  const std::uint8_t c = s[i];
  const std::uint8_t p = s[i - 1];
  const Effect& e =
      effects[kKinds[c]][p == kCodeHyphen ? kPrevHyphen : kPrevOther][kNextClass[s[i + 1]]];
  s[i] = e.keepSelf ? c : e.self;
  if (e.markPrevious) s[i - 1] = kMarker;
  if (!e.keepNext) s[i + 1] = e.next;
  count += e.count;
  return e.changed;
}

#if defined(__SSE2__)
// Bit k is set where the code at s + k is a letter from 191 up or of A..Z,
// which are most of a base.
inline unsigned CommonLetters(const std::uint8_t* s) {
  const __m128i codes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s));
  return static_cast<unsigned>(
      _mm_movemask_epi8(_mm_or_si128(BytesWithin(codes, 191, 64), BytesWithin(codes, 'A', 25))));
}

// The same, and markers: a marker stays one, the rules keep it, and as a
// neighbour it reads 255, a letter.
inline unsigned LetterLike(const std::uint8_t* s) {
  const __m128i codes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s));
  const auto markers = static_cast<unsigned>(_mm_movemask_epi8(BytesEqual(codes, '\0')));
  return CommonLetters(s) | markers;
}

// Blanks and LFs: between two letters or markers no rule applies to them.
inline unsigned Breaks(const std::uint8_t* s) {
  const __m128i codes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s));
  return static_cast<unsigned>(
      _mm_movemask_epi8(_mm_or_si128(BytesEqual(codes, ' '), BytesEqual(codes, '\n'))));
}

// Bit k is set where position i + k may call for the rules: all but the
// common letters and markers (the other letters the table tells apart) and
// the blanks and LFs between two of them, to which no rule applies. Nothing
// before i + k writes to these or to a code after one, so they stay what
// they are until visited. Reads s[i - 1] to s[i + 16].
inline unsigned Candidates(const std::uint8_t* s, std::size_t i) {
  const unsigned letters = LetterLike(s + i);
  const unsigned quiet = Breaks(s + i) & LetterLike(s + i - 1) & LetterLike(s + i + 1);
  return ~(letters | quiet) & 0xFFFFU;
}
#endif

// The positions the next pass must visit, in order: those whose view (the
// cell before, their own, the one after) changed after they were visited,
// unless the rules keep their code, which then never changes again (a
// letter or a marker: nothing writes to one). When they are many, only
// their count: the next pass then passes over everything, which beats
// visiting that many one by one (both give the same).
template <typename Position>
struct DirtyLog {
  std::vector<Position> positions;
  std::size_t count = 0;
  std::size_t limit = 0;
  // The visit at i changed CHANGED. A changed cell was read as it stood by
  // the visits before it that read it: its own and the one before it (as the
  // next), and a marked previous one by the visit at i too. Cells before i
  // are final for this pass.
  void Note(const std::uint8_t* s, std::size_t i, unsigned changed) {
    if (Many()) return;
    // Bits 0 to 2 stand for i - 2 to i: those that read a changed cell, and
    // of them those the rules may still act on (most often none).
    const unsigned read = (changed & kChangedPrevious) != 0 ? 7U
                          : (changed & kChangedSelf) != 0   ? 6U
                                                            : 4U;
    const unsigned live = (i >= 2 && kKinds[s[i - 2]] != kKeep ? 1U : 0U) |
                          (i >= 1 && kKinds[s[i - 1]] != kKeep ? 2U : 0U) |
                          (kKinds[s[i]] != kKeep ? 4U : 0U);
    for (unsigned due = read & live; due != 0; due &= due - 1)
      Add(i - 2 + static_cast<std::size_t>(__builtin_ctz(due)));
  }
  void Add(std::size_t j) {
    if (++count > limit) return;
    // A visit notes at most two positions before the last one noted.
    if (positions.empty() || positions.back() < j) {
      positions.push_back(static_cast<Position>(j));
      return;
    }
    const auto at = std::lower_bound(positions.begin(), positions.end(), j);
    if (*at == j) {
      --count;
      return;
    }
    positions.insert(at, static_cast<Position>(j));
  }
  bool Many() const { return count > limit; }
  void Clear() {
    positions.clear();
    count = 0;
  }
};

// A full pass, noting the positions due again. Most characters are letters
// or blanks between letters, which the rules keep: they are passed over
// quickly. (A write reaches ahead only to a blank, hyphen or soft hyphen
// right after a character the rules act on, which is visited anyway, and
// every visit reads the codes as they stand.)
template <typename Position>
std::int32_t FullPass(std::uint8_t* s, std::size_t length, const FixSymbolsProgress& progress,
                      DirtyLog<Position>& dirty) {
  std::int32_t count = 0;
  const Effects& effects = GetEffects();
  const auto visit = [&](std::size_t i) {
    const Kind kind = kKinds[s[i]];
    if (kind == kKeep) return;
    if (kind == kOther) {
      // Deleted whatever its neighbours; the one before it reads the marker
      // as it read the character, so nothing is due again.
      s[i] = kMarker;
      ++count;
      return;
    }
    const unsigned changed =
        i > 0 && i + 1 < length ? ActInside(s, i, effects, count) : ActAt(s, length, i, count);
    if (changed != 0) dirty.Note(s, i, changed);
  };
  for (std::size_t chunk = 0; chunk < length; chunk += kFixSymbolsYieldEvery) {
    const std::size_t end = std::min(length, chunk + kFixSymbolsYieldEvery);
    std::size_t i = chunk;
#if defined(__SSE2__)
    if (i == 0 && i < end) visit(i++);
    for (; i + 17 <= end || (i + 16 <= end && end < length); i += 16) {
      for (unsigned due = Candidates(s, i); due != 0; due &= due - 1)
        visit(i + static_cast<std::size_t>(__builtin_ctz(due)));
    }
#endif
    for (; i < end; ++i) visit(i);
    // The message loop runs after every 500,500 positions.
    if (end % kFixSymbolsYieldEvery == 0 && progress.yield) progress.yield();
  }
  return count;
}

// A later pass visits the positions due and, after each change, the two
// that follow, which read what it changed. Any other position sees what it
// saw in the previous pass, where it changed nothing, so the result is the
// full pass's.
template <typename Position>
std::int32_t SparsePass(std::uint8_t* s, std::size_t length, const FixSymbolsProgress& progress,
                        const std::vector<Position>& due, DirtyLog<Position>& dirty) {
  std::int32_t count = 0;
  // The message loop runs at the same positions as in a full pass.
  std::size_t nextYield = kFixSymbolsYieldEvery;
  const auto passTo = [&](std::size_t done) {
    for (; nextYield <= done; nextYield += kFixSymbolsYieldEvery)
      if (progress.yield) progress.yield();
  };
  std::size_t pos = 0;    // positions below pos are done
  std::size_t until = 0;  // positions pos .. until - 1 follow a change
  std::size_t next = 0;   // next entry of due
  for (;;) {
    if (pos >= until) {
      while (next < due.size() && due[next] < pos) ++next;
      if (next == due.size()) break;
      pos = due[next++];
      passTo(pos);
    }
    const unsigned changed = ActAt(s, length, pos, count);
    if (changed != 0) {
      dirty.Note(s, pos, changed);
      until = std::max(until, std::min(length, pos + 3));
    }
    passTo(++pos);
  }
  passTo(length);
  return count;
}

// The passes; Position holds every position of the text.
template <typename Position>
std::int32_t RunPasses(std::uint8_t* s, std::size_t length, const FixSymbolsProgress& progress,
                       std::int32_t premarked) {
  DirtyLog<Position> previous, dirty;
  previous.limit = dirty.limit = length / 64;
  std::int32_t total = 0;
  for (bool first = true;; first = false) {
    dirty.Clear();
    const std::int32_t changes = first ? premarked + FullPass(s, length, progress, dirty)
                                 : previous.Many()
                                     ? FullPass(s, length, progress, dirty)
                                     : SparsePass(s, length, progress, previous.positions, dirty);
    if (changes == 0) break;
    if (progress.passDone) progress.passDone(changes);
    total += changes;
    std::swap(previous, dirty);
  }
  return total;
}

}  // namespace

std::int32_t FixSymbolsMarked(char* codes, std::size_t length, const FixSymbolsProgress& progress,
                              std::int32_t premarked) {
  // The deletion marker is the clean-up's own; a NUL of the input is a
  // control character like any other, deleted and counted.
  if (premarked == 0 && std::memchr(codes, '\0', length) != nullptr)
    std::replace(codes, codes + length, '\0', '\x01');
  auto* s = reinterpret_cast<std::uint8_t*>(codes);
  return length <= std::numeric_limits<std::uint32_t>::max()
             ? RunPasses<std::uint32_t>(s, length, progress, premarked)
             : RunPasses<std::size_t>(s, length, progress, premarked);
}

bool FirstPassDeletesCrAfter(std::uint8_t previous) {
  // Letters stay (a marker is no code of a text here), Ё becomes Е, the
  // others are deleted: the CR then sees no hyphen before it.
  const Kind kind = kKinds[previous];
  return (kind == kKeep && previous != kMarker) || kind == kYo || kind == kOther;
}

std::int32_t FixSymbols(std::string& codes, const FixSymbolsProgress& progress) {
  const std::int32_t total = FixSymbolsMarked(codes.data(), codes.size(), progress);
  if (total != 0) {
    char* const end = DropMarkers(codes.data(), codes.size(), codes.data(), MarkerBeforeLf::kGoes);
    codes.resize(static_cast<std::size_t>(end - codes.data()));
  }
  return total;
}

}  // namespace vm
