// Text coverage kernels: box reductions, coverage to alpha, the caret bar, halo and outline.
#include <gtest/gtest.h>

#include <vector>

#include "graphics/hv_bitmap.h"
#include "graphics/kernels/text_coverage.h"
#include "tests/native/bitmap_test_util.h"

namespace {

constexpr uint32_t kColour = 0x00332211;  // blue 0x33, green 0x22, red 0x11

// A bitmap whose blue bytes are the given rows (top row first); the other bytes hold noise that
// the coverage kernels must not read.
HVBitmap CoverageImage(const std::vector<std::vector<uint8_t>>& rows) {
    HVBitmap b(static_cast<int>(rows[0].size()), static_cast<int>(rows.size()), HVB_ALPHA);
    for (int y = 0; y < b.Height(); ++y)
        for (int x = 0; x < b.Width(); ++x) Put(b, x, y, {rows[y][x], 99, 77, 55});
    return b;
}

std::vector<uint8_t> Bytes(HVBitmap& b, int byte) {
    std::vector<uint8_t> out;
    for (int y = 0; y < b.Height(); ++y)
        for (int x = 0; x < b.Width(); ++x) out.push_back(At(b, x, y)[byte]);
    return out;
}

}  // namespace

TEST(ReduceCoverage, EachBlockBecomesTheColourWithTheTruncatedMeanAsAlpha) {
    // Factor 2 over a 5 × 4 image: the fifth column is left over. Block sums (top row of blocks):
    // 10 + 20 + 30 + 41 = 101 → 25; 255 + 255 + 255 + 254 → 254; bottom blocks 0 and 8 → 2.
    HVBitmap src = CoverageImage({
        {10, 20, 255, 255, 200},
        {30, 41, 255, 254, 200},
        {0, 0, 1, 2, 200},
        {0, 0, 2, 3, 200},
    });
    HVBitmap dst(2, 2, HVB_ALPHA);
    pixels::ReduceCoverage(src.View(), dst.View(), 2, kColour);
    EXPECT_EQ(Bytes(dst, 3), (std::vector<uint8_t>{25, 254, 0, 2}));
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 2; ++x) EXPECT_EQ(At(dst, x, y)[0], 0x33);
    EXPECT_EQ(At(dst, 1, 1), (Bgra{0x33, 0x22, 0x11, 2}));
}

TEST(ReduceCoverage, FactorsThreeAndFourDivideByTheirArea) {
    // 8 × 100 ÷ 9 = 88 (truncated); a single 255 among 16 pixels gives 15.
    HVBitmap three = CoverageImage({{100, 100, 100}, {100, 0, 100}, {100, 100, 100}});
    HVBitmap one(1, 1, HVB_ALPHA);
    pixels::ReduceCoverage(three.View(), one.View(), 3, kColour);
    EXPECT_EQ(At(one, 0, 0)[3], 88);

    std::vector<std::vector<uint8_t>> rows(4, std::vector<uint8_t>(4, 0));
    rows[3][3] = 255;
    HVBitmap four = CoverageImage(rows);
    pixels::ReduceCoverage(four.View(), one.View(), 4, kColour);
    EXPECT_EQ(At(one, 0, 0)[3], 15);
}

TEST(ReduceCoverage, RefusesFactorsOutsideTwoToFourAndBlocksOutsideTheSource) {
    HVBitmap src = CoverageImage(std::vector<std::vector<uint8_t>>(5, std::vector<uint8_t>(5, 255)));
    HVBitmap dst(1, 1, HVB_ALPHA);
    pixels::ReduceCoverage(src.View(), dst.View(), 5, kColour);
    pixels::ReduceCoverage(src.View(), dst.View(), 1, kColour);
    EXPECT_EQ(At(dst, 0, 0), (Bgra{0, 0, 0, 0}));
    HVBitmap tooWide(3, 1, HVB_ALPHA);  // 3 × 2 columns from a 5-column source
    pixels::ReduceCoverage(src.View(), tooWide.View(), 2, kColour);
    pixels::ReduceAverage(src.View(), tooWide.View(), 2);
    EXPECT_EQ(Bytes(tooWide, 3), (std::vector<uint8_t>{0, 0, 0}));
}

TEST(ReduceAverage, EveryByteIsTheTruncatedMeanOfItsBlock) {
    HVBitmap src(2, 2, HVB_ALPHA);
    Put(src, 0, 0, {0, 10, 255, 255});
    Put(src, 1, 0, {1, 10, 255, 255});
    Put(src, 0, 1, {2, 10, 255, 0});
    Put(src, 1, 1, {4, 11, 254, 0});
    HVBitmap dst(1, 1, HVB_ALPHA);
    pixels::ReduceAverage(src.View(), dst.View(), 2);
    // 7 ÷ 4, 41 ÷ 4, 1019 ÷ 4, 510 ÷ 4.
    EXPECT_EQ(At(dst, 0, 0), (Bgra{1, 10, 254, 127}));
}

TEST(CoverageToAlpha, TheBlueByteBecomesAlphaUnderTheColour) {
    HVBitmap b = CoverageImage({{0, 77, 255}});
    pixels::CoverageToAlpha(b.View(), kColour);
    EXPECT_EQ(At(b, 0, 0), (Bgra{0x33, 0x22, 0x11, 0}));
    EXPECT_EQ(At(b, 1, 0), (Bgra{0x33, 0x22, 0x11, 77}));
    EXPECT_EQ(At(b, 2, 0), (Bgra{0x33, 0x22, 0x11, 255}));
}

TEST(DrawCaretBar, RaisesTheBlueOfItsColumnsAboveTheBottomTwoRows) {
    HVBitmap b = CoverageImage({
        {0, 0, 10},
        {0, 63, 64},
        {0, 200, 0},
        {0, 0, 0},
    });
    pixels::DrawCaretBar(b.View(), 1, 1);
    EXPECT_EQ(Bytes(b, 0), (std::vector<uint8_t>{0, 192, 10,  //
                                                 0, 255, 64,  // 63 + 192; 64 and above become 255
                                                 0, 200, 0,   // the bottom two rows are left
                                                 0, 0, 0}));
    EXPECT_EQ(At(b, 1, 0), (Bgra{192, 99, 77, 55}));  // only the blue byte changes
    // A bar reaching past the right edge is cut there.
    pixels::DrawCaretBar(b.View(), 2, 5);
    EXPECT_EQ(Bytes(b, 0)[2], 202);
    EXPECT_EQ(Bytes(b, 0)[5], 255);
}

TEST(SpreadHalo, WeighsTheNeighbourhoodAndDividesByFifteen) {
    // One fully covered pixel in the middle: corners 2 × 255 ÷ 15, edges 8 × 255 ÷ 15, the centre
    // 20 × 255 ÷ 15 capped at 255.
    HVBitmap coverage = CoverageImage({{0, 0, 0}, {0, 255, 0}, {0, 0, 0}});
    HVBitmap dst(3, 3, HVB_ALPHA);
    pixels::SpreadHalo(coverage.View(), pixels::kCoverageBlue, dst.View());
    EXPECT_EQ(Bytes(dst, 3), (std::vector<uint8_t>{34, 136, 34, 136, 255, 136, 34, 136, 34}));
}

TEST(SpreadHalo, NeighboursOutsideTheImageCountNothing) {
    // A 2 × 1 image of alpha coverage: (20 × 90 + 8 × 30) ÷ 15 and (20 × 30 + 8 × 90) ÷ 15.
    HVBitmap coverage(2, 1, HVB_ALPHA);
    Put(coverage, 0, 0, {200, 200, 200, 90});
    Put(coverage, 1, 0, {200, 200, 200, 30});
    HVBitmap dst(2, 1, HVB_ALPHA);
    pixels::SpreadHalo(coverage.View(), pixels::kCoverageAlpha, dst.View());
    EXPECT_EQ(Bytes(dst, 3), (std::vector<uint8_t>{136, 88}));
}

TEST(CutOutline, SubtractsTheCoverageAndStopsAtZero) {
    HVBitmap coverage = CoverageImage({{30, 50, 0}});
    HVBitmap dst(3, 1, HVB_ALPHA);
    Put(dst, 0, 0, {1, 1, 1, 100});
    Put(dst, 1, 0, {1, 1, 1, 20});  // less alpha than coverage: 0, not 226
    Put(dst, 2, 0, {1, 1, 1, 9});
    pixels::CutOutline(coverage.View(), pixels::kCoverageBlue, dst.View());
    EXPECT_EQ(Bytes(dst, 3), (std::vector<uint8_t>{70, 0, 9}));
}

TEST(CutOutline, AfterTheHaloLeavesARingAroundACoveredBlock) {
    // A 2 × 2 block fully covered in a 4 × 4 image: inside, the halo is capped at 255 and the cut
    // empties it; around it the ring keeps what the halo spread.
    std::vector<std::vector<uint8_t>> rows(4, std::vector<uint8_t>(4, 0));
    rows[1][1] = rows[1][2] = rows[2][1] = rows[2][2] = 255;
    HVBitmap coverage = CoverageImage(rows);
    HVBitmap dst(4, 4, HVB_ALPHA);
    pixels::SpreadHalo(coverage.View(), pixels::kCoverageBlue, dst.View());
    pixels::CutOutline(coverage.View(), pixels::kCoverageBlue, dst.View());
    // Corner of the ring: one diagonal neighbour (2 × 255 ÷ 15); side: (8 + 2) × 255 ÷ 15.
    EXPECT_EQ(Bytes(dst, 3), (std::vector<uint8_t>{34, 170, 170, 34,  //
                                                   170, 0, 0, 170,    //
                                                   170, 0, 0, 170,    //
                                                   34, 170, 170, 34}));
}
