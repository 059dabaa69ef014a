#include "graphics/kernels/shadow.h"

#include <algorithm>
#include <cmath>

#include "graphics/kernels/blend.h"
#include "graphics/kernels/pixel_math.h"

namespace pixels {

ShadowKernel MakeShadowKernel(int blur) {
    ShadowKernel k;
    std::vector<uint32_t> half;  // w[0], w[1], ...
    if (blur <= 0) {
        half.push_back(kShadowPeakWeight);
    } else {
        const double reach = std::min(blur, kShadowMaxBlur);
        for (int i = 0; i <= kShadowMaxRadius; ++i) {
            const double x = 3.0 * i / reach;
            const auto w = static_cast<uint32_t>(std::pow(kShadowBase, -(x * x)) * kShadowPeakWeight);
            if (w == 0) break;
            half.push_back(w);
        }
    }
    k.radius = static_cast<int>(half.size()) - 1;
    k.taps.resize(2 * half.size() - 1);
    for (int i = 0; i <= k.radius; ++i) k.taps[k.radius + i] = k.taps[k.radius - i] = half[i];
    for (uint32_t w : k.taps) k.sum += w;
    return k;
}

ShadowLayout ComputeShadowLayout(int frameWidth, int height, int offsetX, int offsetY, int radius) {
    // The shadow rectangle is the source frame moved by the offset and grown by the radius.
    const int64_t shadowLeft = int64_t{offsetX} - radius, shadowTop = int64_t{offsetY} - radius;
    const int64_t shadowRight = int64_t{frameWidth} + offsetX + radius;
    const int64_t shadowBottom = int64_t{height} + offsetY + radius;
    ShadowLayout layout;
    layout.left = std::min<int64_t>(0, shadowLeft);
    layout.top = std::min<int64_t>(0, shadowTop);
    layout.width = std::max<int64_t>(frameWidth, shadowRight) - layout.left;
    layout.height = std::max<int64_t>(height, shadowBottom) - layout.top;
    return layout;
}

void RenderShadow(const PixelView& src, const PixelView& dst, const ShadowKernel& kernel, const ShadowLayout& layout,
                  int offsetX, int offsetY, int darkness) {
    if (src.Empty() || dst.Empty() || kernel.sum == 0) return;
    const int frames = src.FrameCount();
    const int fw = src.FrameWidth();
    const int h = src.height;
    const int r = kernel.radius;
    if (fw <= 0) return;
    const int columnHeight = h + 2 * r;  // intermediate rows: the shadow rectangle's rows
    // Intermediate rows carry 2r zero columns on either side, so that each of the fw + 2r output
    // columns reads its 2r + 1 taps without a bounds test.
    const int paddedWidth = fw + 4 * r;
    const int shadowWidth = fw + 2 * r;
    // Where the shadow rectangle starts inside a result frame.
    const int64_t placeX = int64_t{offsetX} - r - layout.left;
    const int64_t placeY = int64_t{offsetY} - r - layout.top;
    const uint32_t* taps = kernel.taps.data();
    const int tapCount = 2 * r + 1;

    // Both passes divide sums of at most 255 × S by S: the quotients come from tables built once,
    // one division per possible sum instead of one per pixel.
    const uint32_t maxSum = 255 * kernel.sum;
    std::vector<uint8_t> columnLevel(maxSum + 1), shadowAlpha(maxSum + 1);
    for (uint32_t v = 0; v <= maxSum; ++v) {
        columnLevel[v] = static_cast<uint8_t>(std::min<uint32_t>(v / kernel.sum, 255u));
        const int64_t level = int64_t{darkness} * v / kernel.sum;
        shadowAlpha[v] = level >= kShadowFullDark ? 255 : static_cast<uint8_t>(std::max<int64_t>(level / 255, 0));
    }

    std::vector<uint8_t> alpha(static_cast<size_t>(fw) * h);
    std::vector<uint32_t> sums(std::max(fw, shadowWidth));
    std::vector<uint32_t> padded(static_cast<size_t>(paddedWidth) * columnHeight, 0);

    for (int f = 0; f < frames; ++f) {
        // The frame's alpha bytes, top row first.
        for (int y = 0; y < h; ++y) {
            const uint8_t* p = src.Row(y) + static_cast<size_t>(f) * fw * 4 + 3;
            uint8_t* a = &alpha[static_cast<size_t>(y) * fw];
            for (int x = 0; x < fw; ++x) a[x] = p[x * 4];
        }
        // Along columns: intermediate row j is centred on source row j − r; rows outside count 0.
        for (int j = 0; j < columnHeight; ++j) {
            std::fill(sums.begin(), sums.begin() + fw, 0u);
            for (int t = 0; t < tapCount; ++t) {
                const int y = j - 2 * r + t;
                if (y < 0 || y >= h) continue;
                const uint32_t w = taps[t];
                const uint8_t* a = &alpha[static_cast<size_t>(y) * fw];
                for (int x = 0; x < fw; ++x) sums[x] += w * a[x];
            }
            uint32_t* out = &padded[static_cast<size_t>(j) * paddedWidth + 2 * r];
            for (int x = 0; x < fw; ++x) out[x] = columnLevel[sums[x]];
        }
        // Along rows: output column i is centred on intermediate column i − r.
        for (int j = 0; j < columnHeight; ++j) {
            const uint32_t* in = &padded[static_cast<size_t>(j) * paddedWidth];
            std::fill(sums.begin(), sums.begin() + shadowWidth, 0u);
            for (int t = 0; t < tapCount; ++t) {
                const uint32_t w = taps[t];
                const uint32_t* column = in + t;
                for (int i = 0; i < shadowWidth; ++i) sums[i] += w * column[i];
            }
            uint8_t* row = dst.Row(static_cast<int>(placeY + j)) + (static_cast<size_t>(f) * layout.width + placeX) * 4;
            for (int i = 0; i < shadowWidth; ++i) row[i * 4 + 3] = shadowAlpha[sums[i]];
        }
    }
}

void TintShadow(const PixelView& dst, uint32_t colour) {
    if (dst.Empty()) return;
    const uint32_t red = colour & 0xFF, green = (colour >> 8) & 0xFF, blue = (colour >> 16) & 0xFF;
    uint8_t* p = dst.bits;
    const size_t count = dst.ByteCount() / 4;
    for (size_t i = 0; i < count; ++i, p += 4) {
        const uint32_t a = p[3];
        p[0] = static_cast<uint8_t>(MulDiv255(a, blue));
        p[1] = static_cast<uint8_t>(MulDiv255(a, green));
        p[2] = static_cast<uint8_t>(MulDiv255(a, red));
    }
}

void CompositeOverShadow(const PixelView& src, const PixelView& dst, const ShadowLayout& layout) {
    if (src.Empty() || dst.Empty()) return;
    const int frames = src.FrameCount();
    const int fw = src.FrameWidth();
    // The source-over rule at full opacity is exactly d = s + d × (255 − a) ÷ 255, capped.
    for (int f = 0; f < frames; ++f)
        BlendOver(dst, static_cast<int>(f * layout.width - layout.left), static_cast<int>(-layout.top), src, f * fw, 0,
                  fw, src.height, 255);
}

}  // namespace pixels
