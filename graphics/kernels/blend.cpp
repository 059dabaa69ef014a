#include "graphics/kernels/blend.h"

#include "graphics/kernels/pixel_math.h"
#include "graphics/kernels/simd.h"

namespace pixels {

namespace {

#if HALVIX_HAVE_SSE2
// Blends count pixels, four at a time; returns how many were done.
int BlendRowSse2(uint8_t* d, const uint8_t* s, int count, uint32_t o) {
    const __m128i zero = _mm_setzero_si128();
    const __m128i full = _mm_set1_epi16(255);
    const __m128i opacity = _mm_set1_epi16(static_cast<short>(o));
    int x = 0;
    for (; x + 4 <= count; x += 4, s += 16, d += 16) {
        const __m128i sv = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s));
        const __m128i dv = _mm_loadu_si128(reinterpret_cast<const __m128i*>(d));
        __m128i sLo = _mm_unpacklo_epi8(sv, zero), sHi = _mm_unpackhi_epi8(sv, zero);
        if (o != 255) {
            // s × o ÷ 255 for all four bytes; its alpha lane is then a × o ÷ 255.
            sLo = simd::Div255(_mm_mullo_epi16(sLo, opacity));
            sHi = simd::Div255(_mm_mullo_epi16(sHi, opacity));
        }
        const __m128i keepLo = _mm_sub_epi16(full, simd::BroadcastAlpha(sLo));
        const __m128i keepHi = _mm_sub_epi16(full, simd::BroadcastAlpha(sHi));
        const __m128i dLo = simd::Div255(_mm_mullo_epi16(_mm_unpacklo_epi8(dv, zero), keepLo));
        const __m128i dHi = simd::Div255(_mm_mullo_epi16(_mm_unpackhi_epi8(dv, zero), keepHi));
        // Saturating byte addition caps at 255 like CapByte.
        const __m128i out = _mm_adds_epu8(_mm_packus_epi16(sLo, sHi), _mm_packus_epi16(dLo, dHi));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(d), out);
    }
    return x;
}
#endif

}  // namespace

void BlendOver(const PixelView& dst, int dstX, int dstY, const PixelView& src, int srcX, int srcY, int width,
               int height, int opacity) {
    if (dst.Empty() || src.Empty() || width <= 0 || height <= 0) return;
    const uint32_t o = static_cast<uint32_t>(opacity < 0 ? 0 : (opacity > 255 ? 255 : opacity));
    for (int y = 0; y < height; ++y) {
        const uint8_t* s = src.Pixel(srcX, srcY + y);
        uint8_t* d = dst.Pixel(dstX, dstY + y);
        int x = 0;
#if HALVIX_HAVE_SSE2
        x = BlendRowSse2(d, s, width, o);
        s += static_cast<size_t>(x) * 4;
        d += static_cast<size_t>(x) * 4;
#endif
        for (; x < width; ++x, s += 4, d += 4) {
            const uint32_t keep = 255u - MulDiv255(s[3], o);
            for (int c = 0; c < 4; ++c) d[c] = CapByte(MulDiv255(s[c], o) + MulDiv255(d[c], keep));
        }
    }
}

}  // namespace pixels
