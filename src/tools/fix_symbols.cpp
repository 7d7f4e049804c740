#include "tools/fix_symbols.h"

#include <algorithm>
#include <array>

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

inline std::uint8_t CodeAt(char16_t ch) {
  if (ch < 0x80) return static_cast<std::uint8_t>(ch);
  if (ch >= 0x0410 && ch <= 0x044F) return static_cast<std::uint8_t>(0xC0 + (ch - 0x0410));
  return Cp1251CodeOf(ch);
}

// A neighbour as the rules read it: a marked character reads 255.
inline std::uint8_t AsNeighbour(std::uint8_t code) {
  return code == kMarker ? kMarkedRead : code;
}

constexpr char16_t kMarkerChar = u'\0';
constexpr char16_t kYoReplacement = u'Е';  // code 197

// One pass over the whole text; returns the changes it counted.
std::int32_t Pass(char16_t* s, std::size_t length, const FixSymbolsProgress& progress) {
  std::int32_t count = 0;
  std::int32_t untilYield = kFixSymbolsYieldEvery;
  // Code at the previous position as it stands now; the first position has none.
  std::uint8_t previous = 0;
  std::uint8_t current = length > 0 ? CodeAt(s[0]) : 0;
  for (std::size_t i = 0; i < length; ++i) {
    const bool last = i + 1 == length;
    // The next character's code as it stands; it becomes current afterwards.
    std::uint8_t following = last ? 0 : CodeAt(s[i + 1]);
    const std::uint8_t n = last ? 0 : AsNeighbour(following);
    const std::uint8_t p = i == 0 ? 0 : AsNeighbour(previous);
    std::uint8_t c = current;

    auto deleteSelf = [&] {
      s[i] = kMarkerChar;
      c = kMarker;
      ++count;
    };
    auto deleteNext = [&] {
      s[i + 1] = kMarkerChar;
      following = kMarker;
      ++count;
    };
    auto deletePrevious = [&] {
      s[i - 1] = kMarkerChar;
      ++count;
    };

    switch (kKinds[c]) {
      case kKeep:
        break;
      case kDigit:
        if (n == kCodeLf || n == kCodeCr || n == 0) deleteSelf();
        break;
      case kCr:
        s[i] = u'\n';
        c = kCodeLf;
        ++count;
        [[fallthrough]];
      case kLf:
        if (n == kCodeLf || n == kCodeCr) deleteSelf();
        if (n == kCodeBlank) deleteNext();
        if (p == 0) deleteSelf();
        if (n == 0) deleteSelf();
        if (p == kCodeHyphen) deletePrevious();
        if (n == kCodeHyphen) deleteSelf();
        break;
      case kBlank:
        if (n == kCodeHyphen || n == kCodeSoftHyphen) {
          s[i + 1] = u' ';
          following = kCodeBlank;
        }
        if (p == kCodeHyphen) deletePrevious();
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
        c = kCodeHyphen;
        ++count;
        break;
      case kNoBreak:
        if (n == kCodeBlank || n == kCodeNoBreak || n == 0) {
          deleteSelf();
        } else {
          s[i] = u' ';
          c = kCodeBlank;
          ++count;
        }
        break;
      case kYo:
        s[i] = kYoReplacement;
        c = 197;
        ++count;
        break;
      case kOther:
        deleteSelf();
        break;
    }

    previous = c;
    current = following;
    if (--untilYield == 0) {
      untilYield = kFixSymbolsYieldEvery;
      if (progress.yield) progress.yield();
    }
  }
  return count;
}

}  // namespace

std::int32_t FixSymbols(std::u16string& text, const FixSymbolsProgress& progress) {
  std::int32_t total = 0;
  for (;;) {
    const std::int32_t changes = Pass(text.data(), text.size(), progress);
    if (changes == 0) break;
    if (progress.passDone) progress.passDone(changes);
    total += changes;
  }
  if (total != 0) std::erase(text, kMarkerChar);
  return total;
}

}  // namespace vm
