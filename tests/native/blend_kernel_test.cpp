// The per-byte kernels that have a vectorised path are checked against the plain formula over
// every combination of colour and alpha, with pixel counts that leave remainders.
#include <gtest/gtest.h>

#include <vector>

#include "graphics/kernels/alpha.h"
#include "graphics/kernels/blend.h"

namespace {

pixels::PixelView RowView(std::vector<uint8_t>& bytes) {
    return {bytes.data(), static_cast<int>(bytes.size() / 4), 1, 1, 0};
}

}  // namespace

TEST(PremultiplyKernel, EveryColourAndAlphaIsMultipliedAndTruncated) {
    // 256 × 256 pixels (colour c in all three bytes... varied per byte), plus 3 for the remainder.
    std::vector<uint8_t> bytes;
    for (int a = 0; a < 256; ++a)
        for (int c = 0; c < 256; ++c)
            bytes.insert(bytes.end(), {uint8_t(c), uint8_t(255 - c), uint8_t(c ^ 0x5A), uint8_t(a)});
    bytes.insert(bytes.end(), {255, 0, 255, 9, 255, 0, 254, 9, 7, 8, 9, 10});
    const std::vector<uint8_t> before = bytes;
    pixels::PremultiplyAlpha(RowView(bytes));
    for (size_t i = 0; i < bytes.size(); i += 4) {
        const uint8_t* in = &before[i];
        const bool magenta = in[0] == 255 && in[1] == 0 && in[2] == 255;
        for (int k = 0; k < 4; ++k) {
            const int want = magenta ? 0 : (k == 3 ? in[3] : in[k] * in[3] / 255);
            ASSERT_EQ(bytes[i + k], want) << "pixel " << i / 4 << " byte " << k;
        }
    }
}

TEST(BlendKernel, EveryByteFollowsTheSoftwareBlendFormula) {
    for (int opacity : {0, 1, 77, 128, 200, 254, 255}) {
        for (int d : {0, 1, 100, 254, 255}) {
            // Source: every colour byte with every alpha (including colours above their alpha,
            // which colour adjustments can produce), 3 pixels of remainder.
            std::vector<uint8_t> src, dst;
            for (int a = 0; a < 256; a += 3)
                for (int c = 0; c < 256; ++c) {
                    src.insert(src.end(), {uint8_t(c), uint8_t(a), uint8_t(255 - c), uint8_t(a)});
                    dst.insert(dst.end(), {uint8_t(d), uint8_t(255 - d), uint8_t(d / 2), uint8_t(d)});
                }
            for (int k = 0; k < 3; ++k) {
                src.insert(src.end(), {10, 20, 30, 40});
                dst.insert(dst.end(), {uint8_t(d), uint8_t(d), uint8_t(d), uint8_t(d)});
            }
            const std::vector<uint8_t> before = dst;
            const int pixelsCount = static_cast<int>(src.size() / 4);
            pixels::BlendOver(RowView(dst), 0, 0, RowView(src), 0, 0, pixelsCount, 1, opacity);
            for (size_t i = 0; i < dst.size(); i += 4) {
                const int keep = 255 - src[i + 3] * opacity / 255;
                for (int k = 0; k < 4; ++k) {
                    const int want = std::min(255, src[i + k] * opacity / 255 + before[i + k] * keep / 255);
                    ASSERT_EQ(dst[i + k], want) << "opacity " << opacity << " pixel " << i / 4 << " byte " << k;
                }
            }
        }
    }
}

TEST(BlendKernel, BlendsOnlyTheRequestedBlock) {
    // 3 × 2 target, 2 × 2 source block from (1, 0) of a 3 × 2 source, placed at (1, 1)... clipped to
    // one row: only target pixels (1, 1) and (2, 1) change.
    std::vector<uint8_t> target(3 * 2 * 4, 100), source(3 * 2 * 4, 0);
    pixels::PixelView t{target.data(), 3, 2, 1, 0}, s{source.data(), 3, 2, 1, 0};
    uint8_t* p = s.Pixel(1, 0);
    p[0] = p[1] = p[2] = p[3] = 255;
    pixels::BlendOver(t, 1, 1, s, 1, 0, 2, 1, 255);
    EXPECT_EQ(t.Pixel(1, 1)[0], 255);
    EXPECT_EQ(t.Pixel(2, 1)[0], 100);  // transparent source pixel
    EXPECT_EQ(t.Pixel(1, 0)[0], 100);
    EXPECT_EQ(t.Pixel(0, 1)[0], 100);
}
