// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/fix_symbols.h"

#include <algorithm>
#include <array>
#include <memory>
#include <vector>

#include "text/cp1251.h"

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

// The kind of every UTF-16 code unit, through its Windows-1251 code.
const std::array<Kind, 65536>& KindOfChar() {
  static const auto table = [] {
    auto t = std::make_unique<std::array<Kind, 65536>>();
    for (std::size_t ch = 0; ch < t->size(); ++ch)
      (*t)[ch] = kKinds[Cp1251CodeOf(static_cast<char16_t>(ch))];
    return t;
  }();
  return *table;
}

// A neighbour as the rules read it: a marked character reads 255.
inline std::uint8_t Neighbour(char16_t ch) {
  const std::uint8_t code = Cp1251CodeOf(ch);
  return code == kMarker ? kMarkedRead : code;
}

constexpr char16_t kMarkerChar = u'\0';
// What an input NUL stands for during the passes: another control character.
constexpr char16_t kInputNul = u'\x01';
constexpr char16_t kYoReplacement = u'Е';  // code 197

// The rules at position i. They read the neighbours as they stand when i is
// reached: i - 1 already processed, i + 1 not yet. True when anything was
// written (counted or not).
inline bool Act(char16_t* s, std::size_t length, std::size_t i,
                const std::array<Kind, 65536>& kindOf, std::int32_t& count) {
  const Kind kind = kindOf[s[i]];
  if (kind == kKeep) return false;
  const std::uint8_t n = i + 1 == length ? 0 : Neighbour(s[i + 1]);
  const std::uint8_t p = i == 0 ? 0 : Neighbour(s[i - 1]);
  const std::int32_t before = count;
  bool uncounted = false;
  auto deleteSelf = [&] {
    s[i] = kMarkerChar;
    ++count;
  };
  switch (kind) {
    case kKeep:
      break;
    case kDigit:
      if (n == kCodeLf || n == kCodeCr || n == 0) deleteSelf();
      break;
    case kCr:
      s[i] = u'\n';
      ++count;
      [[fallthrough]];
    case kLf:
      if (n == kCodeLf || n == kCodeCr) deleteSelf();
      if (n == kCodeBlank) {
        s[i + 1] = kMarkerChar;
        ++count;
      }
      if (p == 0) deleteSelf();
      if (n == 0) deleteSelf();
      if (p == kCodeHyphen) {
        s[i - 1] = kMarkerChar;
        ++count;
      }
      if (n == kCodeHyphen) deleteSelf();
      break;
    case kBlank:
      if (n == kCodeHyphen || n == kCodeSoftHyphen) {
        s[i + 1] = u' ';
        uncounted = true;
      }
      if (p == kCodeHyphen) {
        s[i - 1] = kMarkerChar;
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
      s[i] = u'-';
      ++count;
      break;
    case kNoBreak:
      s[i] = n == kCodeBlank || n == kCodeNoBreak || n == 0 ? kMarkerChar : u' ';
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

  return uncounted || count != before;
}

// A full pass; the acting positions that wrote are listed in order.
std::int32_t FullPass(std::u16string& text, const FixSymbolsProgress& progress,
                      const std::array<Kind, 65536>& kindOf, std::vector<std::size_t>& wrote) {
  char16_t* s = text.data();
  const std::size_t length = text.size();
  std::int32_t count = 0;
  for (std::size_t i = 0; i < length; ++i) {
    if (Act(s, length, i, kindOf, count)) wrote.push_back(i);
    if ((i + 1) % kFixSymbolsYieldEvery == 0 && progress.yield) progress.yield();
  }
  return count;
}

// A later pass visits only positions whose neighbourhood was written since
// they were last visited: a write at j touches j - 1 .. j + 1, which the rules
// of j - 2 .. j + 2 read. Every other position would see what it saw in the
// previous pass, where it wrote nothing, so the result is the full pass's.
std::int32_t SparsePass(std::u16string& text, const FixSymbolsProgress& progress,
                        const std::array<Kind, 65536>& kindOf,
                        const std::vector<std::size_t>& previous, std::vector<std::size_t>& wrote) {
  char16_t* s = text.data();
  const std::size_t length = text.size();
  std::int32_t count = 0;
  std::size_t pos = 0;    // positions below pos are done
  std::size_t limit = 0;  // positions pos .. limit - 1 are due
  std::size_t next = 0;   // next entry of previous
  // The message loop runs at the same positions as in a full pass.
  std::size_t nextYield = kFixSymbolsYieldEvery;
  const auto passTo = [&](std::size_t done) {
    for (; nextYield <= done; nextYield += kFixSymbolsYieldEvery)
      if (progress.yield) progress.yield();
  };
  for (;;) {
    while (next < previous.size() && (previous[next] < 2 ? 0 : previous[next] - 2) <= limit) {
      limit = std::max(limit, std::min(length, previous[next] + 3));
      ++next;
    }
    if (pos >= limit) {
      if (next == previous.size()) break;
      pos = std::max(pos, previous[next] < 2 ? 0 : previous[next] - 2);
      passTo(pos);
      limit = std::max(limit, pos);
      limit = std::max(limit, std::min(length, previous[next] + 3));
      ++next;
      continue;
    }
    if (Act(s, length, pos, kindOf, count)) {
      wrote.push_back(pos);
      limit = std::max(limit, std::min(length, pos + 3));
    }
    passTo(++pos);
  }
  passTo(length);
  return count;
}

}  // namespace

std::int32_t FixSymbols(std::u16string& text, const FixSymbolsProgress& progress) {
  const auto& kindOf = KindOfChar();
  // The deletion marker is the clean-up's own; a NUL of the input is a
  // control character like any other, deleted and counted.
  std::replace(text.begin(), text.end(), kMarkerChar, kInputNul);
  std::vector<std::size_t> previous, wrote;
  std::int32_t total = 0;
  for (bool first = true;; first = false) {
    wrote.clear();
    const std::int32_t changes = first ? FullPass(text, progress, kindOf, wrote)
                                       : SparsePass(text, progress, kindOf, previous, wrote);
    if (changes == 0) break;
    if (progress.passDone) progress.passDone(changes);
    total += changes;
    previous.swap(wrote);
  }
  if (total != 0) std::erase(text, kMarkerChar);
  return total;
}

}  // namespace vm
