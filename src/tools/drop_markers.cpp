// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/drop_markers.h"

#include <array>
#include <cstdint>

#if defined(__x86_64__) || defined(__i386__)
#include <tmmintrin.h>
#define VM_DROP_SSSE3 1
#endif

namespace vm {
namespace {

// Returns the end of what was written to out.
template <bool kCrs>
char* DropMarkersPlain(const char* s, std::size_t size, std::size_t from, char* out) {
  for (std::size_t i = from; i < size; ++i) {
    const char c = s[i];
    *out = c != '\0' ? c : '\r';
    out += c != '\0' || (kCrs && i + 1 < size && s[i + 1] == '\n') ? 1 : 0;
  }
  return out;
}

#if defined(VM_DROP_SSSE3)
// For each set of dropped codes among eight (a bit each), the shuffle that
// packs the others to the front, and how many they are.
struct Packing {
  std::array<std::array<std::uint8_t, 8>, 256> order{};
  std::array<std::uint8_t, 256> kept{};
};

const Packing& GetPacking() {
  static const Packing packing = [] {
    Packing p;
    for (unsigned dropped = 0; dropped < 256; ++dropped) {
      std::uint8_t k = 0;
      for (std::uint8_t b = 0; b < 8; ++b)
        if ((dropped >> b & 1U) == 0) p.order[dropped][k++] = b;
      p.kept[dropped] = k;
    }
    return p;
  }();
  return packing;
}

// Sixteen codes at a time, each half packed by a shuffle; whole halves are
// stored, what lies past the end is written again (in place, only codes
// already read).
template <bool kCrs>
__attribute__((target("ssse3"))) char* DropMarkersSsse3(const char* s, std::size_t size,
                                                        char* out) {
  const Packing& packing = GetPacking();
  const __m128i zero = _mm_setzero_si128();
  const __m128i cr = _mm_set1_epi8('\r');
  const __m128i high = _mm_set1_epi8(8);
  std::size_t i = 0;
  for (; i + 17 <= size; i += 16) {
    __m128i codes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + i));
    __m128i markers = _mm_cmpeq_epi8(codes, zero);
    if constexpr (kCrs) {
      const __m128i after = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + i + 1));
      const __m128i ends = _mm_and_si128(markers, _mm_cmpeq_epi8(after, _mm_set1_epi8('\n')));
      codes = _mm_or_si128(codes, _mm_and_si128(ends, cr));
      markers = _mm_andnot_si128(ends, markers);
    }
    const auto dropped = static_cast<unsigned>(_mm_movemask_epi8(markers));
    const unsigned low = dropped & 0xFFU;
    const unsigned top = dropped >> 8;
    const __m128i lowOrder = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(&packing.order[low]));
    const __m128i topOrder =
        _mm_add_epi8(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(&packing.order[top])), high);
    _mm_storel_epi64(reinterpret_cast<__m128i*>(out), _mm_shuffle_epi8(codes, lowOrder));
    out += packing.kept[low];
    _mm_storel_epi64(reinterpret_cast<__m128i*>(out), _mm_shuffle_epi8(codes, topOrder));
    out += packing.kept[top];
  }
  return DropMarkersPlain<kCrs>(s, size, i, out);
}
#endif

}  // namespace

char* DropMarkers(const char* text, std::size_t size, char* out, MarkerBeforeLf beforeLf) {
  const bool crs = beforeLf == MarkerBeforeLf::kBecomesCr;
#if defined(VM_DROP_SSSE3)
  static const bool ssse3 = __builtin_cpu_supports("ssse3");
  if (ssse3)
    return crs ? DropMarkersSsse3<true>(text, size, out) : DropMarkersSsse3<false>(text, size, out);
#endif
  return crs ? DropMarkersPlain<true>(text, size, 0, out)
             : DropMarkersPlain<false>(text, size, 0, out);
}

}  // namespace vm
