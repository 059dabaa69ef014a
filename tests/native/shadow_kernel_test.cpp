// Drop shadows: kernel, layout, blur, darkness, tint, compositing and frames.
#include <gtest/gtest.h>

#include "graphics/hv_bitmap.h"
#include "graphics/kernels/shadow.h"
#include "tests/native/bitmap_test_util.h"

TEST(ShadowKernel, TruncatedGaussianOfIntegerWeights) {
    const pixels::ShadowKernel none = pixels::MakeShadowKernel(0);
    EXPECT_EQ(none.radius, 0);
    EXPECT_EQ(none.sum, 20u);
    // Blur 12: ⌊2.718^−(i/4)² × 20⌋ = 20 18 15 11 7 4 2, then 0.
    const pixels::ShadowKernel k = pixels::MakeShadowKernel(12);
    EXPECT_EQ(k.radius, 6);
    EXPECT_EQ(k.taps, (std::vector<uint32_t>{2, 4, 7, 11, 15, 18, 20, 18, 15, 11, 7, 4, 2}));
    EXPECT_EQ(k.sum, 134u);
    // Blurs above 100 are 100, whose kernel stops well inside the 64 limit.
    EXPECT_EQ(pixels::MakeShadowKernel(100000).radius, pixels::MakeShadowKernel(100).radius);
    EXPECT_EQ(pixels::MakeShadowKernel(100).radius, 57);
}

TEST(AddShadow, HardShadowDownRightGrowsTheImageByTheOffset) {
    HVBitmap b(2, 2, HVB_ALPHA);
    Fill(b, {255, 255, 255, 255});
    Put(b, 1, 1, {0, 0, 128, 128});
    int outX = -1, outY = -1;
    ASSERT_TRUE(b.AddShadow(3, 3, 0, 255, 0, &outX, &outY, false));
    EXPECT_EQ(outX, 0);
    EXPECT_EQ(outY, 0);
    EXPECT_EQ(b.Width(), 5);
    EXPECT_EQ(b.Height(), 5);
    EXPECT_TRUE(b.IsPremultiplied());
    EXPECT_EQ(At(b, 0, 0), (Bgra{255, 255, 255, 255}));
    EXPECT_EQ(At(b, 1, 1), (Bgra{0, 0, 64, 128}));  // premultiplied on the way: 128 × 128 ÷ 255
    EXPECT_EQ(At(b, 2, 2), (Bgra{0, 0, 0, 0}));
    // The shadow is the alpha mask, black: (3, 3) to (4, 4), the last pixel half dark.
    EXPECT_EQ(At(b, 3, 3), (Bgra{0, 0, 0, 255}));
    EXPECT_EQ(At(b, 4, 3), (Bgra{0, 0, 0, 255}));
    EXPECT_EQ(At(b, 4, 4), (Bgra{0, 0, 0, 128}));
    EXPECT_EQ(At(b, 0, 4), (Bgra{0, 0, 0, 0}));
}

TEST(AddShadow, OffsetToTheLeftMovesTheImageRight) {
    HVBitmap b(3, 2, HVB_ALPHA);
    Fill(b, {10, 20, 30, 255});
    int outX = -1, outY = -1;
    ASSERT_TRUE(b.AddShadow(-4, 0, 0, 255, 0, &outX, &outY, false));
    EXPECT_EQ(outX, 4);
    EXPECT_EQ(outY, 0);
    EXPECT_EQ(b.Width(), 7);
    EXPECT_EQ(b.Height(), 2);
    EXPECT_EQ(At(b, 0, 0), (Bgra{0, 0, 0, 255}));  // shadow
    EXPECT_EQ(At(b, 3, 1), (Bgra{0, 0, 0, 0}));    // the gap between them
    EXPECT_EQ(At(b, 4, 0), (Bgra{10, 20, 30, 255}));
    EXPECT_EQ(At(b, 6, 1), (Bgra{10, 20, 30, 255}));
}

TEST(AddShadow, BlurSpreadsTheMaskByTheKernelRadius) {
    HVBitmap b(1, 1, HVB_ALPHA);
    Fill(b, {0, 0, 0, 255});
    int outX = 0, outY = 0;
    ASSERT_TRUE(b.AddShadow(0, 0, 12, 255, 0, &outX, &outY, true));
    EXPECT_EQ(b.Width(), 13);
    EXPECT_EQ(b.Height(), 13);
    EXPECT_EQ(outX, 6);
    EXPECT_EQ(outY, 6);
    // Columns first: 255 × w ÷ 134, then rows: darkness × Σ ÷ 134 ÷ 255.
    auto expected = [](int dx, int dy) {
        const uint32_t w[] = {20, 18, 15, 11, 7, 4, 2};
        const uint32_t column = 255 * w[dy] / 134;
        return static_cast<uint8_t>(255 * (column * w[dx]) / 134 / 255);
    };
    EXPECT_EQ(At(b, 6, 6)[3], expected(0, 0));
    EXPECT_EQ(At(b, 9, 6)[3], expected(3, 0));
    EXPECT_EQ(At(b, 0, 12)[3], expected(6, 6));
    EXPECT_EQ(At(b, 12, 5)[3], expected(6, 1));
    // Symmetric, and black.
    EXPECT_EQ(At(b, 4, 8), At(b, 8, 4));
    EXPECT_EQ(At(b, 6, 6)[0], 0);
}

TEST(AddShadow, DarknessScalesTheShadowAlpha) {
    HVBitmap b(1, 1, HVB_ALPHA);
    Fill(b, {0, 0, 0, 255});
    ASSERT_TRUE(b.AddShadow(1, 0, 0, 128, 0, nullptr, nullptr, false));
    EXPECT_EQ(At(b, 1, 0), (Bgra{0, 0, 0, 128}));
    // Darkness beyond 255 saturates instead of wrapping.
    HVBitmap c(1, 1, HVB_ALPHA);
    Fill(c, {0, 0, 0, 255});
    ASSERT_TRUE(c.AddShadow(1, 0, 0, 1000, 0, nullptr, nullptr, false));
    EXPECT_EQ(At(c, 1, 0)[3], 255);
}

TEST(AddShadow, ColourTintsTheShadowAndTheImageIsCompositedOverIt) {
    HVBitmap b(2, 1, HVB_ALPHA);
    Put(b, 0, 0, {0, 0, 0, 0});
    Put(b, 1, 0, {200, 100, 0, 255});
    // The opaque pixel's shadow falls one column to its right, beyond the old width.
    ASSERT_TRUE(b.AddShadow(1, 0, 0, 255, 0x000000FF, nullptr, nullptr, false));
    EXPECT_EQ(b.Width(), 3);
    EXPECT_EQ(At(b, 0, 0), (Bgra{0, 0, 0, 0}));
    EXPECT_EQ(At(b, 1, 0), (Bgra{200, 100, 0, 255}));  // opaque source covers the shadow below
    EXPECT_EQ(At(b, 2, 0), (Bgra{0, 0, 255, 255}));    // red shadow
}

TEST(AddShadow, SemiTransparentSourceLetsTheShadowThrough) {
    HVBitmap b(1, 1, HVB_ALPHA | HVB_PREMULTIPLIED);
    Put(b, 0, 0, {100, 0, 0, 100});
    ASSERT_TRUE(b.AddShadow(0, 0, 0, 255, 0x00FFFFFF, nullptr, nullptr, false));
    // White shadow of alpha 100 under it: d = s + d × 155 ÷ 255 on every byte.
    EXPECT_EQ(At(b, 0, 0), (Bgra{100 + 60, 60, 60, 100 + 60}));
}

TEST(AddShadow, ShadowOnlyKeepsJustTheBlackShadow) {
    HVBitmap b(1, 1, HVB_ALPHA);
    Fill(b, {255, 255, 255, 255});
    ASSERT_TRUE(b.AddShadow(1, 1, 0, 255, 0x00FF0000, nullptr, nullptr, true));
    EXPECT_EQ(At(b, 0, 0), (Bgra{0, 0, 0, 0}));
    EXPECT_EQ(At(b, 1, 1), (Bgra{0, 0, 0, 255}));
}

TEST(AddShadow, EveryFrameGetsItsOwnShadow) {
    // Two frames of 2 × 1: an opaque pixel at the right edge of frame 0 must not cast into frame 1.
    HVBitmap b(4, 1, HVB_ALPHA);
    b.SetFrameCount(2);
    Put(b, 1, 0, {1, 1, 1, 255});
    Put(b, 2, 0, {2, 2, 2, 255});
    ASSERT_TRUE(b.AddShadow(1, 0, 0, 255, 0, nullptr, nullptr, false));
    EXPECT_EQ(b.Width(), 6);
    EXPECT_EQ(b.FrameCount(), 2);
    EXPECT_EQ(At(b, 1, 0), (Bgra{1, 1, 1, 255}));
    EXPECT_EQ(At(b, 2, 0), (Bgra{0, 0, 0, 255}));  // frame 0's shadow, inside frame 0
    EXPECT_EQ(At(b, 3, 0), (Bgra{2, 2, 2, 255}));  // frame 1 starts at column 3
    EXPECT_EQ(At(b, 4, 0), (Bgra{0, 0, 0, 255}));
    EXPECT_EQ(At(b, 5, 0), (Bgra{0, 0, 0, 0}));
}

TEST(AddShadow, NegativeBlurFailsAfterTheColourKeyConversion) {
    HVBitmap b(2, 1, HVB_COLORKEY);
    Put(b, 0, 0, kMagenta);
    Put(b, 1, 0, {5, 5, 5, 0});
    EXPECT_FALSE(b.AddShadow(2, 2, -1, 255, 0, nullptr, nullptr, false));
    EXPECT_EQ(b.Width(), 2);
    EXPECT_FALSE(b.IsColorKeyed());
    EXPECT_TRUE(b.HasAlpha());
    EXPECT_EQ(At(b, 0, 0), (Bgra{0, 0, 0, 0}));
    EXPECT_EQ(At(b, 1, 0), (Bgra{5, 5, 5, 255}));
}

TEST(AddShadow, AbsurdOffsetsAreRefusedWithoutAllocating) {
    HVBitmap b(2, 2, HVB_ALPHA);
    EXPECT_FALSE(b.AddShadow(INT32_MAX, INT32_MIN, 5, 255, 0, nullptr, nullptr, false));
    EXPECT_EQ(b.Width(), 2);
}
