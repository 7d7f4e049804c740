#include "tools/fix_symbols.h"

#include <algorithm>
#include <array>
#include <memory>

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
constexpr char16_t kYoReplacement = u'Е';  // code 197

// Positions [begin, end) of one pass. The rules read the neighbours as they
// stand when position i is reached: i - 1 already processed, i + 1 not yet.
std::int32_t PassRange(char16_t* s, std::size_t length, std::size_t begin, std::size_t end,
                       const std::array<Kind, 65536>& kindOf) {
  std::int32_t count = 0;
  for (std::size_t i = begin; i < end; ++i) {
    const Kind kind = kindOf[s[i]];
    if (kind == kKeep) continue;
    const std::uint8_t n = i + 1 == length ? 0 : Neighbour(s[i + 1]);
    const std::uint8_t p = i == 0 ? 0 : Neighbour(s[i - 1]);
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
        if (n == kCodeHyphen || n == kCodeSoftHyphen) s[i + 1] = u' ';
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
  }
  return count;
}

std::int32_t Pass(std::u16string& text, const FixSymbolsProgress& progress) {
  const auto& kindOf = KindOfChar();
  const std::size_t length = text.size();
  constexpr std::size_t kChunk = kFixSymbolsYieldEvery;
  std::int32_t count = 0;
  for (std::size_t begin = 0; begin < length; begin += kChunk) {
    const std::size_t end = std::min(length, begin + kChunk);
    count += PassRange(text.data(), length, begin, end, kindOf);
    if (end - begin == kChunk && progress.yield) progress.yield();
  }
  return count;
}

}  // namespace

std::int32_t FixSymbols(std::u16string& text, const FixSymbolsProgress& progress) {
  std::int32_t total = 0;
  for (;;) {
    const std::int32_t changes = Pass(text, progress);
    if (changes == 0) break;
    if (progress.passDone) progress.passDone(changes);
    total += changes;
  }
  if (total != 0) std::erase(text, kMarkerChar);
  return total;
}

}  // namespace vm
