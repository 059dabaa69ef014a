#include "graphics/kernels/alpha.h"

#include <climits>
#include <cstring>

#include "graphics/kernels/pixel_math.h"

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
    const size_t count = view.ByteCount() / 4;
    // Written without branches so that the compiler can vectorise it: a magenta pixel is kept by
    // a mask of 0, every other pixel by a mask of all ones.
    for (size_t i = 0; i < count; ++i, p += 4) {
        const uint32_t keep = IsMagenta(p) ? 0u : 0xFFu;
        const uint32_t a = p[3];
        p[0] = static_cast<uint8_t>(MulDiv255(p[0], a) & keep);
        p[1] = static_cast<uint8_t>(MulDiv255(p[1], a) & keep);
        p[2] = static_cast<uint8_t>(MulDiv255(p[2], a) & keep);
        p[3] = static_cast<uint8_t>(a & keep);
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
