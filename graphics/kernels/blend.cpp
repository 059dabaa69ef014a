#include "graphics/kernels/blend.h"

#include "graphics/kernels/pixel_math.h"

namespace pixels {

void BlendOver(const PixelView& dst, int dstX, int dstY, const PixelView& src, int srcX, int srcY, int width,
               int height, int opacity) {
    if (dst.Empty() || src.Empty() || width <= 0 || height <= 0) return;
    const uint32_t o = static_cast<uint32_t>(opacity < 0 ? 0 : (opacity > 255 ? 255 : opacity));
    for (int y = 0; y < height; ++y) {
        const uint8_t* s = src.Pixel(srcX, srcY + y);
        uint8_t* d = dst.Pixel(dstX, dstY + y);
        if (o == 255) {
            for (int x = 0; x < width; ++x, s += 4, d += 4) {
                const uint32_t keep = 255u - s[3];
                for (int c = 0; c < 4; ++c) d[c] = CapByte(s[c] + MulDiv255(d[c], keep));
            }
        } else {
            for (int x = 0; x < width; ++x, s += 4, d += 4) {
                const uint32_t keep = 255u - MulDiv255(s[3], o);
                for (int c = 0; c < 4; ++c) d[c] = CapByte(MulDiv255(s[c], o) + MulDiv255(d[c], keep));
            }
        }
    }
}

}  // namespace pixels
