// Alpha conversion, premultiplication, hit testing, clearing, opaque bounds, the colour-over-mask
// split and the frame-multiple crop, on tiny hand-computed bitmaps.
#include <gtest/gtest.h>

#include <climits>

#include "graphics/hv_bitmap.h"
#include "graphics/kernels/alpha.h"
#include "tests/native/bitmap_test_util.h"

TEST(ColorKeyToAlpha, MagentaBecomesTransparentAndEverythingElseOpaque) {
    HVBitmap b(3, 1, HVB_COLORKEY);
    Put(b, 0, 0, {255, 0, 255, 77});  // magenta whatever its fourth byte
    Put(b, 1, 0, {255, 1, 255, 0});   // nearly magenta
    Put(b, 2, 0, {10, 20, 30, 40});
    b.ColorKeyToAlpha();
    EXPECT_EQ(At(b, 0, 0), (Bgra{0, 0, 0, 0}));
    EXPECT_EQ(At(b, 1, 0), (Bgra{255, 1, 255, 255}));
    EXPECT_EQ(At(b, 2, 0), (Bgra{10, 20, 30, 255}));
    EXPECT_TRUE(b.HasAlpha());
    EXPECT_TRUE(b.IsPremultiplied());
}

TEST(Premultiply, ColourBytesAreMultipliedByAlphaAndTruncated) {
    HVBitmap b(3, 1, HVB_ALPHA);
    Put(b, 0, 0, {200, 100, 50, 128});
    Put(b, 1, 0, {255, 255, 255, 255});
    Put(b, 2, 0, {255, 255, 255, 1});
    EXPECT_TRUE(b.Premultiply());
    EXPECT_EQ(At(b, 0, 0), (Bgra{100, 50, 25, 128}));  // 200 × 128 ÷ 255 = 100.39
    EXPECT_EQ(At(b, 1, 0), (Bgra{255, 255, 255, 255}));
    EXPECT_EQ(At(b, 2, 0), (Bgra{1, 1, 1, 1}));
    EXPECT_TRUE(b.IsPremultiplied());
    // A second call changes nothing.
    EXPECT_FALSE(b.Premultiply());
    EXPECT_EQ(At(b, 0, 0), (Bgra{100, 50, 25, 128}));
}

TEST(Premultiply, MagentaIsClearedInColourKeyedAndAlphaBitmapsAlike) {
    HVBitmap keyed(1, 1, HVB_COLORKEY);
    Put(keyed, 0, 0, {255, 0, 255, 0});
    EXPECT_TRUE(keyed.Premultiply());  // no alpha: converted from the colour key
    EXPECT_EQ(At(keyed, 0, 0), (Bgra{0, 0, 0, 0}));
    EXPECT_TRUE(keyed.HasAlpha());

    HVBitmap alpha(2, 1, HVB_ALPHA);
    Put(alpha, 0, 0, {255, 0, 255, 200});
    Put(alpha, 1, 0, {255, 0, 255, 255});
    alpha.Premultiply();
    EXPECT_EQ(At(alpha, 0, 0), (Bgra{0, 0, 0, 0}));
    EXPECT_EQ(At(alpha, 1, 0), (Bgra{0, 0, 0, 0}));
}

TEST(Premultiply, OpaqueAndPremultipliedBitmapsAreLeftAlone) {
    HVBitmap opaque(1, 1, HVB_ALPHA);
    opaque.SetOpaque(true);
    Put(opaque, 0, 0, {200, 100, 50, 0});
    EXPECT_FALSE(opaque.Premultiply());
    EXPECT_EQ(At(opaque, 0, 0), (Bgra{200, 100, 50, 0}));
    EXPECT_FALSE(opaque.IsPremultiplied());

    HVBitmap done(1, 1, HVB_ALPHA | HVB_PREMULTIPLIED);
    Put(done, 0, 0, {200, 100, 50, 10});
    EXPECT_FALSE(done.Premultiply());
    EXPECT_EQ(At(done, 0, 0), (Bgra{200, 100, 50, 10}));
}

TEST(IsOpaqueAt, AlphaBitmapsNeedMoreThan15) {
    HVBitmap b(2, 1, HVB_ALPHA);
    Put(b, 0, 0, {0, 0, 0, 15});
    Put(b, 1, 0, {0, 0, 0, 16});
    EXPECT_FALSE(b.IsOpaqueAt(0, 0));
    EXPECT_TRUE(b.IsOpaqueAt(1, 0));
    EXPECT_FALSE(b.IsOpaqueAt(-1, 0));
    EXPECT_FALSE(b.IsOpaqueAt(2, 0));
    EXPECT_FALSE(b.IsOpaqueAt(0, 1));
}

TEST(IsOpaqueAt, CountsRowsFromTheTopAndFollowsTheFlags) {
    HVBitmap pre(1, 2, HVB_PREMULTIPLIED);
    Put(pre, 0, 0, {0, 0, 0, 1});
    EXPECT_TRUE(pre.IsOpaqueAt(0, 0));
    EXPECT_FALSE(pre.IsOpaqueAt(0, 1));

    HVBitmap keyed(2, 1, HVB_COLORKEY);
    Put(keyed, 0, 0, {255, 0, 255, 255});
    Put(keyed, 1, 0, {0, 0, 0, 0});
    EXPECT_FALSE(keyed.IsOpaqueAt(0, 0));
    EXPECT_TRUE(keyed.IsOpaqueAt(1, 0));
}

TEST(Clear, ColourKeyedBitmapsWithoutAlphaBecomeMagenta) {
    HVBitmap keyed(2, 2, HVB_COLORKEY);
    Fill(keyed, {1, 2, 3, 4});
    EXPECT_TRUE(keyed.Clear());
    EXPECT_EQ(At(keyed, 1, 1), kMagenta);

    HVBitmap both(1, 1, HVB_COLORKEY | HVB_ALPHA);
    Fill(both, {1, 2, 3, 4});
    both.Clear();
    EXPECT_EQ(At(both, 0, 0), (Bgra{0, 0, 0, 0}));
}

TEST(GetOpaqueBounds, TransparentBitmapGivesTheEmptyBox) {
    HVBitmap b(4, 4, HVB_ALPHA);
    Fill(b, {255, 255, 255, 15});
    int l = 0, t = 0, r = -1, bo = -1;
    b.GetOpaqueBounds(&l, &t, &r, &bo, 15);
    EXPECT_EQ(l, INT_MAX);
    EXPECT_EQ(t, INT_MAX);
    EXPECT_EQ(r, 0);
    EXPECT_EQ(bo, 0);
}

TEST(GetOpaqueBounds, UsesFrameColumnsAndRowsFromTheTopPlusOne) {
    // Two frames of 4 × 3: a pixel in frame 0 at (2, 1) and one in frame 1 at column 1, row 2.
    HVBitmap b(8, 3, HVB_ALPHA);
    b.SetFrameCount(2);
    Put(b, 2, 1, {0, 0, 0, 16});
    Put(b, 5, 2, {0, 0, 0, 200});
    Put(b, 7, 0, {0, 0, 0, 15});  // at the threshold: not counted
    int l, t, r, bo;
    b.GetOpaqueBounds(&l, &t, &r, &bo, 15);
    EXPECT_EQ(l, 1);
    EXPECT_EQ(r, 2);
    EXPECT_EQ(t, 2);
    EXPECT_EQ(bo, 3);
}

TEST(SplitPerPixelMask, TopHalfTakesTheBlueOfTheBottomHalfAsAlpha) {
    HVBitmap b(2, 4, HVB_COLORKEY);
    Put(b, 0, 0, {200, 100, 50, 0});
    Put(b, 1, 0, {255, 0, 255, 0});  // magenta colour: fully transparent whatever the mask
    Put(b, 0, 1, {255, 255, 255, 0});
    Put(b, 1, 1, {10, 20, 30, 0});
    Put(b, 0, 2, {128, 0, 0, 0});  // mask of (0, 0)
    Put(b, 1, 2, {255, 0, 0, 0});
    Put(b, 0, 3, {0, 99, 99, 99});  // only the blue byte counts
    Put(b, 1, 3, {255, 0, 0, 0});
    ASSERT_TRUE(b.SplitPerPixelMask());
    EXPECT_EQ(b.Height(), 2);
    EXPECT_EQ(b.Width(), 2);
    EXPECT_TRUE(b.IsPremultiplied());
    EXPECT_TRUE(b.HasAlpha());
    EXPECT_EQ(At(b, 0, 0), (Bgra{100, 50, 25, 128}));
    EXPECT_EQ(At(b, 1, 0), (Bgra{0, 0, 0, 0}));
    EXPECT_EQ(At(b, 0, 1), (Bgra{0, 0, 0, 0}));
    EXPECT_EQ(At(b, 1, 1), (Bgra{10, 20, 30, 255}));
}

TEST(SplitPerPixelMask, AlreadyPremultipliedColoursAreKeptAndTinyImagesRefused) {
    HVBitmap b(1, 2, HVB_PREMULTIPLIED);
    Put(b, 0, 0, {60, 70, 80, 0});
    Put(b, 0, 1, {90, 0, 0, 0});
    ASSERT_TRUE(b.SplitPerPixelMask());
    EXPECT_EQ(At(b, 0, 0), (Bgra{60, 70, 80, 90}));

    HVBitmap one(3, 1, 0);
    EXPECT_FALSE(one.SplitPerPixelMask());
    EXPECT_EQ(one.Height(), 1);
}

TEST(CropToFrameMultiple, CutsTheRightColumnsOnlyWhenNeeded) {
    HVBitmap b(130, 2, HVB_ALPHA);
    Put(b, 127, 1, {1, 2, 3, 4});
    b.CropToFrameMultiple(4);
    EXPECT_EQ(b.Width(), 128);
    EXPECT_EQ(b.Height(), 2);
    EXPECT_EQ(At(b, 127, 1), (Bgra{1, 2, 3, 4}));
    b.CropToFrameMultiple(4);
    EXPECT_EQ(b.Width(), 128);
    b.CropToFrameMultiple(0);  // no frames: nothing to do
    EXPECT_EQ(b.Width(), 128);
}

TEST(ApplyRedMask, ValuesBelowTenBecomeTransparent) {
    HVBitmap image(3, 1, 0), mask(3, 1, 0);
    Put(mask, 0, 0, {0, 0, 9, 0});
    Put(mask, 1, 0, {0, 0, 10, 0});
    Put(mask, 2, 0, {255, 255, 200, 0});
    pixels::ApplyRedMask(image.View(), mask.View());
    EXPECT_EQ(At(image, 0, 0)[3], 0);
    EXPECT_EQ(At(image, 1, 0)[3], 10);
    EXPECT_EQ(At(image, 2, 0)[3], 200);
}

TEST(ApplyRedMask, AMaskOfAnotherSizeCoversOnlyThePixelsInBoth) {
    HVBitmap image(3, 3, 0), mask(2, 4, 0);
    Fill(mask, {0, 0, 50, 0});
    Fill(image, {1, 1, 1, 7});
    pixels::ApplyRedMask(image.View(), mask.View());
    EXPECT_EQ(At(image, 1, 2)[3], 50);
    EXPECT_EQ(At(image, 2, 0)[3], 7);  // no mask column here: untouched
}
