#pragma once
// SSE2 helpers for the kernels that touch every byte of a bitmap. Builds without SSE2 (the 32-bit
// product targets plain i686) use the scalar loops, which give identical results.
#if defined(__SSE2__)
#include <emmintrin.h>
#define HALVIX_HAVE_SSE2 1

namespace pixels {
namespace simd {

// x ÷ 255 truncated, for 16-bit lanes holding x ≤ 65025 (a byte times a byte): the identity
// (x + (x >> 8) + 1) >> 8 = ⌊x ÷ 255⌋ holds for every such x, and no step exceeds 16 bits.
inline __m128i Div255(__m128i x) {
    const __m128i one = _mm_set1_epi16(1);
    return _mm_srli_epi16(_mm_add_epi16(_mm_add_epi16(x, _mm_srli_epi16(x, 8)), one), 8);
}

// Each pixel's alpha (16-bit lane 3 of every 4) copied into all four of its lanes.
inline __m128i BroadcastAlpha(__m128i pixels16) {
    return _mm_shufflehi_epi16(_mm_shufflelo_epi16(pixels16, _MM_SHUFFLE(3, 3, 3, 3)), _MM_SHUFFLE(3, 3, 3, 3));
}

// All ones for each of four pixels that is magenta (blue 255, green 0, red 255, any alpha).
inline __m128i MagentaMask(__m128i pixels) {
    const __m128i magenta = _mm_set1_epi32(0x00FF00FF);
    const __m128i alphaBytes = _mm_set1_epi32(static_cast<int>(0xFF000000u));
    const __m128i same = _mm_or_si128(_mm_cmpeq_epi8(pixels, magenta), alphaBytes);
    return _mm_cmpeq_epi32(same, _mm_set1_epi32(-1));
}

}  // namespace simd
}  // namespace pixels
#endif
