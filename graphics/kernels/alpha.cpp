#include "graphics/kernels/alpha.h"

#include <climits>
#include <cstring>

#include "graphics/kernels/pixel_math.h"
#include "graphics/kernels/simd.h"

namespace pixels {

void ColorKeyToAlpha(const PixelView& view) {
    if (view.Empty()) return;
    uint8_t* p = view.bits;
    const size_t count = view.ByteCount() / 4;
    for (size_t i = 0; i < count; ++i, p += 4) {
        if (IsMagenta(p))
            std::memset(p, 0, 4);
        else
            p[3] = 255;
    }
}

void PremultiplyAlpha(const PixelView& view) {
    if (view.Empty()) return;
    uint8_t* p = view.bits;
    size_t count = view.ByteCount() / 4;
#if HALVIX_HAVE_SSE2
    // Four pixels at a time in 16-bit lanes; the alpha lane is multiplied by 255 so that it stays.
    const __m128i zero = _mm_setzero_si128();
    const __m128i colourLanes = _mm_set_epi16(0, -1, -1, -1, 0, -1, -1, -1);
    const __m128i alphaFactor = _mm_set_epi16(255, 0, 0, 0, 255, 0, 0, 0);
    for (; count >= 4; count -= 4, p += 16) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        const __m128i lo = _mm_unpacklo_epi8(v, zero), hi = _mm_unpackhi_epi8(v, zero);
        const __m128i factorLo = _mm_or_si128(_mm_and_si128(simd::BroadcastAlpha(lo), colourLanes), alphaFactor);
        const __m128i factorHi = _mm_or_si128(_mm_and_si128(simd::BroadcastAlpha(hi), colourLanes), alphaFactor);
        const __m128i out =
            _mm_packus_epi16(simd::Div255(_mm_mullo_epi16(lo, factorLo)), simd::Div255(_mm_mullo_epi16(hi, factorHi)));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(p), _mm_andnot_si128(simd::MagentaMask(v), out));
    }
#endif
    for (size_t i = 0; i < count; ++i, p += 4) {
        if (IsMagenta(p)) {
            std::memset(p, 0, 4);
            continue;
        }
        const uint32_t a = p[3];
        p[0] = static_cast<uint8_t>(MulDiv255(p[0], a));
        p[1] = static_cast<uint8_t>(MulDiv255(p[1], a));
        p[2] = static_cast<uint8_t>(MulDiv255(p[2], a));
    }
}

bool IsOpaqueAt(const PixelView& view, int x, int y) {
    if (view.Empty() || x < 0 || y < 0 || x >= view.width || y >= view.height) return false;
    const uint8_t* p = view.Pixel(x, y);
    if (view.Has(kHasAlpha)) return p[3] > 15;
    if (view.Has(kPremultiplied)) return p[3] != 0;
    return !IsMagenta(p);
}

void Clear(const PixelView& view) {
    if (view.Empty()) return;
    if (view.Has(kColorKeyed) && !view.Has(kHasAlpha)) {
        uint8_t* p = view.bits;
        const size_t count = view.ByteCount() / 4;
        for (size_t i = 0; i < count; ++i, p += 4) {
            p[0] = 255;
            p[1] = 0;
            p[2] = 255;
            p[3] = 0;
        }
    } else {
        std::memset(view.bits, 0, view.ByteCount());
    }
}

OpaqueBounds FindOpaqueBounds(const PixelView& view, int threshold) {
    OpaqueBounds b = {INT_MAX, INT_MAX, 0, 0};
    if (view.Empty()) return b;
    const int frameWidth = view.FrameWidth();
    if (frameWidth <= 0) return b;
    const int frames = view.FrameCount();
    int minRow = INT_MAX, maxRow = -1;
    for (int y = 0; y < view.height; ++y) {
        const uint8_t* row = view.Row(y);
        for (int f = 0; f < frames; ++f) {
            const uint8_t* frameRow = row + static_cast<size_t>(f) * frameWidth * 4;
            for (int x = 0; x < frameWidth; ++x) {
                if (static_cast<int>(frameRow[x * 4 + 3]) <= threshold) continue;
                if (x < b.left) b.left = x;
                if (x > b.right) b.right = x;
                if (y < minRow) minRow = y;
                if (y > maxRow) maxRow = y;
            }
        }
    }
    if (maxRow >= 0) {
        b.top = minRow + 1;
        b.bottom = maxRow + 1;
    }
    return b;
}

void SplitColorAndMask(const PixelView& src, const PixelView& dst, bool alreadyPremultiplied) {
    if (src.Empty() || dst.Empty() || src.width != dst.width || src.height < 2 * dst.height) return;
    for (int y = 0; y < dst.height; ++y) {
        const uint8_t* colour = src.Row(y);
        const uint8_t* mask = src.Row(y + dst.height);
        uint8_t* out = dst.Row(y);
        for (int x = 0; x < dst.width; ++x, colour += 4, mask += 4, out += 4) {
            if (IsMagenta(colour)) {
                std::memset(out, 0, 4);
                continue;
            }
            const uint32_t a = mask[0];
            if (alreadyPremultiplied) {
                out[0] = colour[0];
                out[1] = colour[1];
                out[2] = colour[2];
            } else {
                out[0] = static_cast<uint8_t>(MulDiv255(colour[0], a));
                out[1] = static_cast<uint8_t>(MulDiv255(colour[1], a));
                out[2] = static_cast<uint8_t>(MulDiv255(colour[2], a));
            }
            out[3] = static_cast<uint8_t>(a);
        }
    }
}

}  // namespace pixels

namespace pixels {

void ApplyRedMask(const PixelView& image, const PixelView& mask) {
    if (image.Empty() || mask.Empty()) return;
    const int width = image.width < mask.width ? image.width : mask.width;
    const int height = image.height < mask.height ? image.height : mask.height;
    for (int y = 0; y < height; ++y) {
        uint8_t* p = image.Row(y);
        const uint8_t* m = mask.Row(y);
        for (int x = 0; x < width; ++x, p += 4, m += 4) p[3] = m[2] < kMaskFloor ? 0 : m[2];
    }
}

}  // namespace pixels
