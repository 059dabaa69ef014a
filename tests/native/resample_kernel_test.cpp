// Resizing: area-coverage weights, reduction, linear enlargement, frames, sliced resizing.
#include <gtest/gtest.h>

#include "graphics/hv_bitmap.h"
#include "graphics/kernels/resample.h"
#include "tests/native/bitmap_test_util.h"

namespace {

std::vector<uint32_t> WeightsOf(const pixels::AxisWeights& w, int d) {
    return {w.weights.begin() + w.offset[d], w.weights.begin() + w.offset[d + 1]};
}

// A one-row bitmap whose pixels are grey levels.
HVBitmap Row(std::vector<uint8_t> levels, uint32_t flags = HVB_ALPHA) {
    HVBitmap b(static_cast<int>(levels.size()), 1, flags);
    for (size_t x = 0; x < levels.size(); ++x) {
        const uint8_t v = levels[x];
        Put(b, static_cast<int>(x), 0, {v, v, v, 255});
    }
    return b;
}

std::vector<uint8_t> BlueRow(HVBitmap& b, int y = 0) {
    std::vector<uint8_t> out;
    for (int x = 0; x < b.Width(); ++x) out.push_back(At(b, x, y)[0]);
    return out;
}

std::vector<uint8_t> BlueColumn(HVBitmap& b, int x = 0) {
    std::vector<uint8_t> out;
    for (int y = 0; y < b.Height(); ++y) out.push_back(At(b, x, y)[0]);
    return out;
}

}  // namespace

TEST(AxisWeights, ReductionSplitsStraddlingPixels) {
    // 3 → 2: each source weighs 2 × 4096 ÷ 3 = 2730; the middle one straddles and is split into
    // (3 − 2) × 4096 ÷ 3 and (2 + 2 − 3) × 4096 ÷ 3.
    const pixels::AxisWeights w = pixels::ComputeAxisWeights(3, 2);
    ASSERT_EQ(w.first.size(), 2u);
    EXPECT_EQ(w.first[0], 0u);
    EXPECT_EQ(WeightsOf(w, 0), (std::vector<uint32_t>{2730, 1365}));
    EXPECT_EQ(w.first[1], 1u);
    EXPECT_EQ(WeightsOf(w, 1), (std::vector<uint32_t>{1365, 2730}));
    // Integer ratios split nothing.
    const pixels::AxisWeights half = pixels::ComputeAxisWeights(4, 2);
    EXPECT_EQ(WeightsOf(half, 0), (std::vector<uint32_t>{2048, 2048}));
    EXPECT_EQ(half.first[1], 2u);
}

TEST(AxisWeights, EnlargementCopiesInsideAndMixesAcrossBorders) {
    // 2 → 3: destination 1 straddles the border between source 0 and 1 and mixes them half and half.
    const pixels::AxisWeights w = pixels::ComputeAxisWeights(2, 3);
    ASSERT_EQ(w.first.size(), 3u);
    EXPECT_EQ(WeightsOf(w, 0), (std::vector<uint32_t>{4096}));
    EXPECT_EQ(w.first[1], 0u);
    EXPECT_EQ(WeightsOf(w, 1), (std::vector<uint32_t>{2048, 2048}));
    EXPECT_EQ(w.first[2], 1u);
    EXPECT_EQ(WeightsOf(w, 2), (std::vector<uint32_t>{4096}));
}

TEST(AxisWeights, EveryDestinationGetsTapsAndNoneSumsAbove4096) {
    for (int n = 1; n <= 40; ++n) {
        for (int m = 1; m <= 40; ++m) {
            const pixels::AxisWeights w = pixels::ComputeAxisWeights(n, m);
            ASSERT_EQ(w.first.size(), static_cast<size_t>(m)) << n << "→" << m;
            for (int d = 0; d < m; ++d) {
                uint32_t sum = 0;
                for (uint32_t v : WeightsOf(w, d)) sum += v;
                ASSERT_LE(sum, 4096u);
                ASSERT_GT(sum, 4096u - 2u * static_cast<uint32_t>(n));
                ASSERT_LE(w.first[d] + (w.offset[d + 1] - w.offset[d]), static_cast<uint32_t>(n));
            }
        }
    }
}

TEST(Resize, HalvingAveragesPairsExactly) {
    HVBitmap b = Row({100, 200, 50, 150});
    b.Resize(2, 0);
    EXPECT_EQ(b.Width(), 2);
    EXPECT_EQ(b.Height(), 1);
    EXPECT_EQ(BlueRow(b), (std::vector<uint8_t>{150, 100}));
    EXPECT_EQ(At(b, 0, 0)[3], 255);
}

TEST(Resize, ReducingBothDirectionsAveragesBlocks) {
    HVBitmap b(4, 4, HVB_ALPHA);
    Fill(b, {0, 0, 0, 255});
    Put(b, 0, 0, {200, 0, 0, 255});
    Put(b, 1, 1, {200, 0, 0, 255});
    Put(b, 3, 3, {40, 0, 0, 255});
    b.Resize(2, 2);
    EXPECT_EQ(At(b, 0, 0)[0], 100);  // (200 + 200) ÷ 4
    EXPECT_EQ(At(b, 1, 1)[0], 10);
    EXPECT_EQ(At(b, 1, 0)[0], 0);
    EXPECT_EQ(At(b, 0, 0)[3], 255);
}

TEST(Resize, SameSizeAndZeroKeepEverything) {
    HVBitmap b = Row({1, 2, 3});
    b.Resize(3, 1);
    b.Resize(0, 0);
    EXPECT_EQ(b.Width(), 3);
    EXPECT_EQ(BlueRow(b), (std::vector<uint8_t>{1, 2, 3}));
}

TEST(Resize, WideningInterpolatesWithinEachFrame) {
    // Two frames of 2 pixels to two frames of 4: positions 0, 0.5, 1, 1.5 of each frame.
    HVBitmap b = Row({10, 21, 100, 200});
    b.SetFrameCount(2);
    b.Resize(8, 0);
    EXPECT_EQ(b.Width(), 8);
    EXPECT_EQ(BlueRow(b), (std::vector<uint8_t>{10, 15, 21, 21, 100, 150, 200, 200}));
}

TEST(Resize, HeightEnlargesLinearlyFromTheTopRow) {
    HVBitmap b(1, 2, HVB_ALPHA);
    Put(b, 0, 0, {10, 0, 0, 255});
    Put(b, 0, 1, {30, 0, 0, 255});
    b.Resize(0, 4);
    EXPECT_EQ(BlueColumn(b), (std::vector<uint8_t>{10, 20, 30, 30}));
}

TEST(Resize, HeightReducesByAreaAfterWidening) {
    HVBitmap b(1, 2, HVB_ALPHA);
    Put(b, 0, 0, {10, 0, 0, 255});
    Put(b, 0, 1, {30, 0, 0, 255});
    b.Resize(2, 1);
    EXPECT_EQ(b.Width(), 2);
    EXPECT_EQ(b.Height(), 1);
    EXPECT_EQ(BlueRow(b), (std::vector<uint8_t>{20, 20}));
}

TEST(Resize, ColourKeyedBitmapsBecomeTransparentWhereMagentaWas) {
    HVBitmap b(2, 1, HVB_COLORKEY);
    Put(b, 0, 0, kMagenta);
    Put(b, 1, 0, {200, 200, 200, 0});
    b.Resize(1, 1);
    EXPECT_FALSE(b.IsColorKeyed());
    EXPECT_TRUE(b.HasAlpha());
    // Magenta did not bleed into the average: it was zeros.
    EXPECT_EQ(At(b, 0, 0), (Bgra{100, 100, 100, 127}));
}

TEST(Resize, DiscardGivesABlankBitmapOfTheNewSize) {
    HVBitmap b = Row({9, 9, 9});
    b.Resize(5, 2, true);
    EXPECT_EQ(b.Width(), 5);
    EXPECT_EQ(b.Height(), 2);
    EXPECT_EQ(At(b, 0, 0), (Bgra{0, 0, 0, 0}));
}

TEST(ResizeSliced, TilesTheMiddleAndKeepsTheBorders) {
    HVBitmap b = Row({1, 10, 20, 30, 40, 9});
    b.ResizeSliced(8, 0, 1, 1, 0, 0, false, false);
    EXPECT_EQ(BlueRow(b), (std::vector<uint8_t>{1, 10, 20, 30, 40, 10, 20, 9}));
    // Narrower: the tiles are cut.
    HVBitmap c = Row({1, 10, 20, 30, 40, 9});
    c.ResizeSliced(4, 0, 1, 1, 0, 0, false, false);
    EXPECT_EQ(BlueRow(c), (std::vector<uint8_t>{1, 10, 20, 9}));
}

TEST(ResizeSliced, StretchesTheMiddleOfEveryFrameByArea) {
    HVBitmap b = Row({1, 10, 30, 2, 3, 50, 70, 4});
    b.SetFrameCount(2);
    b.ResizeSliced(3, 0, 1, 1, 0, 0, true, false);
    EXPECT_EQ(b.Width(), 6);
    EXPECT_EQ(BlueRow(b), (std::vector<uint8_t>{1, 20, 2, 3, 60, 4}));
}

TEST(ResizeSliced, OneFrameWithoutBordersIsAPlainResize) {
    HVBitmap b = Row({100, 200, 50, 150});
    b.ResizeSliced(2, 0, 0, 0, 0, 0, true, true);
    EXPECT_EQ(BlueRow(b), (std::vector<uint8_t>{150, 100}));
}

TEST(ResizeSliced, KeepsTopAndBottomRowsAndTilesBetween) {
    HVBitmap b(1, 4, HVB_ALPHA);
    const uint8_t levels[] = {5, 60, 70, 8};
    for (int y = 0; y < 4; ++y) Put(b, 0, y, {levels[y], 0, 0, 255});
    b.ResizeSliced(0, 7, 0, 0, 1, 1, false, false);
    EXPECT_EQ(b.Height(), 7);
    EXPECT_EQ(BlueColumn(b), (std::vector<uint8_t>{5, 60, 70, 60, 70, 60, 8}));
    HVBitmap s(1, 4, HVB_ALPHA);
    for (int y = 0; y < 4; ++y) Put(s, 0, y, {levels[y], 0, 0, 255});
    s.ResizeSliced(0, 3, 0, 0, 1, 1, false, true);
    EXPECT_EQ(BlueColumn(s), (std::vector<uint8_t>{5, 65, 8}));
}

TEST(ResizeSliced, BordersWiderThanTheTargetStayInsideIt) {
    HVBitmap b = Row({1, 2, 3, 4, 5, 6});
    b.ResizeSliced(2, 0, 5, 5, 0, 0, true, false);
    EXPECT_EQ(b.Width(), 2);
    HVBitmap c = Row({1, 2, 3});
    c.ResizeSliced(5, 0, -3, -3, 0, 0, false, false);  // negative borders count as 0
    EXPECT_EQ(BlueRow(c), (std::vector<uint8_t>{1, 2, 3, 1, 2}));
}

TEST(Mirror, ReversesEachFrameOnItsOwn) {
    HVBitmap b = Row({1, 2, 3, 4, 5, 6});
    b.SetFrameCount(2);
    Put(b, 0, 0, {1, 7, 8, 9});
    b.Mirror();
    EXPECT_EQ(BlueRow(b), (std::vector<uint8_t>{3, 2, 1, 6, 5, 4}));
    EXPECT_EQ(At(b, 2, 0), (Bgra{1, 7, 8, 9}));  // the four bytes move together
}

TEST(Mirror, MoreFramesThanColumnsLeaveThePixelsAndReturnAtOnce) {
    // A stranger's theme may claim two billion frames for a strip a few pixels wide: every frame
    // is then 0 pixels wide, and visiting each of them would hold the caller for seconds.
    HVBitmap b = Row({1, 2, 3});
    b.SetFrameCount(2147483647);
    b.Mirror();
    EXPECT_EQ(BlueRow(b), (std::vector<uint8_t>{1, 2, 3}));
}
