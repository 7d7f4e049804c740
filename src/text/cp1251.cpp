// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/cp1251.h"

#include <array>
#include <cstring>

namespace vm {

const std::array<char16_t, 64> kCp1251High = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021,  // 80
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F,  // 88
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90
    0x0098, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F,  // 98
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7,  // A0
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407,  // A8
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7,  // B0
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457,  // B8
};

namespace {

// Reverse lookup for everything outside ASCII and the А..я block.
struct Reverse {
  std::array<std::int16_t, 0x2200> table{};
  Reverse() {
    table.fill(-1);
    for (int i = 0; i < 64; ++i)
      table[kCp1251High[static_cast<std::size_t>(i)]] = static_cast<std::int16_t>(0x80 + i);
  }
};
const Reverse& ReverseTable() {
  static const Reverse r;
  return r;
}

}  // namespace

int CharToCp1251Rare(char16_t c) {
  if (c < 0x80) return c;
  if (c >= 0x0410 && c <= 0x044F) return 0xC0 + (c - 0x0410);
  if (c < 0x2200) return ReverseTable().table[c];
  return -1;
}

std::u16string DecodeCp1251(std::string_view bytes) {
  std::u16string out(bytes.size(), u'\0');
  DecodeCp1251Into(bytes, out.data());
  return out;
}

void DecodeCp1251Into(std::string_view bytes, char16_t* out) {
  static const auto table = [] {
    std::array<char16_t, 256> t{};
    for (int b = 0; b < 256; ++b)
      t[static_cast<std::size_t>(b)] = Cp1251ToChar(static_cast<std::uint8_t>(b));
    return t;
  }();
  for (std::size_t i = 0; i < bytes.size(); ++i)
    out[i] = table[static_cast<std::uint8_t>(bytes[i])];
}

std::string EncodeCp1251(std::u16string_view text) {
  std::string out(text.size(), '\0');
  for (std::size_t i = 0; i < text.size(); ++i) out[i] = static_cast<char>(Cp1251CodeOf(text[i]));
  return out;
}

namespace {

// Length of the valid UTF-8 sequence at bytes[i] and its code point, or 0.
std::size_t Utf8Sequence(std::string_view bytes, std::size_t i, char32_t& cp) {
  const auto b0 = static_cast<unsigned char>(bytes[i]);
  std::size_t len;
  if (b0 < 0x80) {
    cp = b0;
    return 1;
  } else if (b0 >= 0xC2 && b0 <= 0xDF) {
    len = 2;
    cp = b0 & 0x1F;
  } else if (b0 >= 0xE0 && b0 <= 0xEF) {
    len = 3;
    cp = b0 & 0x0F;
  } else if (b0 >= 0xF0 && b0 <= 0xF4) {
    len = 4;
    cp = b0 & 0x07;
  } else {
    return 0;
  }
  if (i + len > bytes.size()) return 0;
  for (std::size_t k = 1; k < len; ++k) {
    const auto b = static_cast<unsigned char>(bytes[i + k]);
    if ((b & 0xC0) != 0x80) return 0;
    cp = (cp << 6) | (b & 0x3F);
  }
  if ((len == 3 && (cp < 0x800 || (cp >= 0xD800 && cp <= 0xDFFF))) ||
      (len == 4 && (cp < 0x10000 || cp > 0x10FFFF)))
    return 0;
  return len;
}

}  // namespace

bool LooksLikeUtf8(std::string_view bytes) {
  // Windows-1251 Russian makes a valid sequence only now and then; UTF-8 text
  // copied about may carry a stray byte or two. Nearly all valid is UTF-8.
  const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
  const std::size_t size = bytes.size();
  std::size_t valid = 0;
  std::size_t stray = 0;
  std::size_t i = 0;
  while (i < size) {
    if (data[i] < 0x80) {
      // ASCII runs eight bytes at a time.
      while (i + 8 <= size) {
        std::uint64_t word;
        std::memcpy(&word, data + i, sizeof word);
        if ((word & 0x8080808080808080ULL) != 0) break;
        i += 8;
      }
      while (i < size && data[i] < 0x80) ++i;
      continue;
    }
    char32_t cp;
    const std::size_t len = Utf8Sequence(bytes, i, cp);
    if (len != 0) {
      ++valid;
      i += len;
      continue;
    }
    ++stray;
    ++i;
    // Decided: each further valid sequence takes at least two of the bytes
    // left, and even all of them could not outweigh the strays seen.
    if (stray * 100 > valid + (size - i) / 2) return false;
  }
  return valid > 0 && stray * 100 <= valid;
}

bool IsUtf8Head(std::string_view bytes) {
  std::size_t i = 0;
  while (i < bytes.size()) {
    char32_t cp;
    const std::size_t len = Utf8Sequence(bytes, i, cp);
    if (len != 0) {
      i += len;
      continue;
    }
    // Past this point only a lead byte with some of its continuation bytes.
    const std::size_t rest = bytes.size() - i;
    const auto lead = static_cast<unsigned char>(bytes[i]);
    if (rest >= 4 || lead < 0xC2 || lead > 0xF4) return false;
    for (std::size_t k = 1; k < rest; ++k) {
      if ((static_cast<unsigned char>(bytes[i + k]) & 0xC0) != 0x80) return false;
    }
    return rest < (lead >= 0xF0 ? 4U : lead >= 0xE0 ? 3U : 2U);
  }
  return true;
}

std::u16string FromUtf8(std::string_view bytes) {
  std::u16string out;
  out.reserve(bytes.size());
  std::size_t i = 0;
  while (i < bytes.size()) {
    char32_t cp;
    std::size_t len = Utf8Sequence(bytes, i, cp);
    if (len == 0) {
      cp = 0xFFFD;
      len = 1;
    }
    if (cp >= 0x10000) {
      cp -= 0x10000;
      out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
      out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
    } else {
      out.push_back(static_cast<char16_t>(cp));
    }
    i += len;
  }
  return out;
}

std::string ToUtf8(std::u16string_view text) {
  // At most three bytes per unit (a pair of units makes four).
  std::string out(text.size() * 3, '\0');
  auto* to = reinterpret_cast<unsigned char*>(out.data());
  for (std::size_t i = 0; i < text.size(); ++i) {
    char32_t cp = text[i];
    if (cp < 0x80) {
      *to++ = static_cast<unsigned char>(cp);
      continue;
    }
    if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
        text[i + 1] <= 0xDFFF) {
      cp = 0x10000 + ((cp - 0xD800) << 10) + (text[i + 1] - 0xDC00);
      ++i;
    } else if (cp >= 0xD800 && cp <= 0xDFFF) {
      cp = 0xFFFD;
    }
    if (cp < 0x800) {
      *to++ = static_cast<unsigned char>(0xC0 | (cp >> 6));
      *to++ = static_cast<unsigned char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
      *to++ = static_cast<unsigned char>(0xE0 | (cp >> 12));
      *to++ = static_cast<unsigned char>(0x80 | ((cp >> 6) & 0x3F));
      *to++ = static_cast<unsigned char>(0x80 | (cp & 0x3F));
    } else {
      *to++ = static_cast<unsigned char>(0xF0 | (cp >> 18));
      *to++ = static_cast<unsigned char>(0x80 | ((cp >> 12) & 0x3F));
      *to++ = static_cast<unsigned char>(0x80 | ((cp >> 6) & 0x3F));
      *to++ = static_cast<unsigned char>(0x80 | (cp & 0x3F));
    }
  }
  out.resize(static_cast<std::size_t>(to - reinterpret_cast<unsigned char*>(out.data())));
  return out;
}

std::u16string DecodeTextFile(std::string_view bytes) {
  // A UTF-16 file needs no look for UTF-8.
  const bool utf16 = TextEncodingOf(bytes, false) != TextEncoding::kWindows1251;
  return DecodeTextFile(bytes, !utf16 && LooksLikeUtf8(bytes));
}

std::u16string DecodeTextFile(std::string_view bytes, bool looksLikeUtf8) {
  const TextEncoding encoding = TextEncodingOf(bytes, looksLikeUtf8);
  switch (encoding) {
    case TextEncoding::kUtf16Le:
    case TextEncoding::kUtf16Be: {
      const bool little = encoding == TextEncoding::kUtf16Le;
      std::u16string text;
      text.reserve(bytes.size() / 2);
      for (std::size_t i = 2; i + 1 < bytes.size(); i += 2) {
        const auto lo = static_cast<unsigned char>(bytes[little ? i : i + 1]);
        const auto hi = static_cast<unsigned char>(bytes[little ? i + 1 : i]);
        text.push_back(static_cast<char16_t>(lo | (hi << 8)));
      }
      return text;
    }
    case TextEncoding::kWindows1251:
      return DecodeCp1251(bytes);
    case TextEncoding::kUtf8:
      break;
  }
  // A byte-order mark says how the file is written; it is not text.
  constexpr std::string_view kBom = "\xEF\xBB\xBF";
  if (bytes.substr(0, kBom.size()) == kBom) bytes.remove_prefix(kBom.size());
  return FromUtf8(bytes);
}

TextEncoding TextEncodingOf(std::string_view bytes, bool looksLikeUtf8) {
  // UTF-16 says so with its byte-order mark.
  if (bytes.substr(0, 2) == "\xFF\xFE") return TextEncoding::kUtf16Le;
  if (bytes.substr(0, 2) == "\xFE\xFF") return TextEncoding::kUtf16Be;
  return looksLikeUtf8 ? TextEncoding::kUtf8 : TextEncoding::kWindows1251;
}

}  // namespace vm
