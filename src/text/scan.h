// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Finding one character in a long text (bytes or UTF-16 code units), 16
// bytes at a time where the processor allows, and byte tests for such loops.
#include <cstddef>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace vm {

#if defined(__SSE2__)
// 0xFF in every byte of v from `from` to `from + span` (as unsigned bytes),
// 0 in the others.
inline __m128i BytesWithin(__m128i v, int from, int span) {
  const __m128i d = _mm_sub_epi8(v, _mm_set1_epi8(static_cast<char>(from)));
  return _mm_cmpeq_epi8(_mm_min_epu8(d, _mm_set1_epi8(static_cast<char>(span))), d);
}

// 0xFF in every byte of v equal to c, 0 in the others.
inline __m128i BytesEqual(__m128i v, char c) {
  return _mm_cmpeq_epi8(v, _mm_set1_epi8(c));
}
#endif

namespace scan_detail {

#if defined(__SSE2__)
// Bit 2k (and 2k + 1 for UTF-16) is set where unit k of the 16 bytes at p is c.
template <typename Char>
inline unsigned EqualMask(const Char* p, Char c) {
  const __m128i units = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
  if constexpr (sizeof(Char) == 1) {
    return static_cast<unsigned>(
        _mm_movemask_epi8(_mm_cmpeq_epi8(units, _mm_set1_epi8(static_cast<char>(c)))));
  } else {
    return static_cast<unsigned>(
        _mm_movemask_epi8(_mm_cmpeq_epi16(units, _mm_set1_epi16(static_cast<short>(c)))));
  }
}
#endif

}  // namespace scan_detail

// Calls found(position) for every unit of text[0, size) equal to c, in order.
template <typename Char, typename Found>
void ForEachUnit(const Char* text, std::size_t size, Char c, Found found) {
  std::size_t i = 0;
#if defined(__SSE2__)
  constexpr std::size_t kUnits = 16 / sizeof(Char);
  constexpr unsigned kUnitBits = sizeof(Char) == 1 ? 1U : 3U;
  for (; i + kUnits <= size; i += kUnits) {
    unsigned mask = scan_detail::EqualMask(text + i, c);
    while (mask != 0) {
      const auto bit = static_cast<unsigned>(__builtin_ctz(mask));
      found(i + bit / sizeof(Char));
      mask &= ~(kUnitBits << bit);
    }
  }
#endif
  for (; i < size; ++i)
    if (text[i] == c) found(i);
}

// The position of the first unit equal to c, or size when there is none.
template <typename Char>
std::size_t FindUnit(const Char* text, std::size_t size, Char c) {
  if (size == 0) return 0;
  if constexpr (sizeof(Char) == 1) {
    const void* at = std::memchr(text, static_cast<unsigned char>(c), size);
    return at == nullptr ? size : static_cast<std::size_t>(static_cast<const Char*>(at) - text);
  } else {
    std::size_t i = 0;
#if defined(__SSE2__)
    for (; i + 8 <= size; i += 8) {
      const unsigned mask = scan_detail::EqualMask(text + i, c);
      if (mask != 0) return i + static_cast<std::size_t>(__builtin_ctz(mask)) / 2;
    }
#endif
    for (; i < size; ++i)
      if (text[i] == c) return i;
    return size;
  }
}

}  // namespace vm
