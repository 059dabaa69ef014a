#include "graphics/hv_bitmap.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "tests/native/bitmap_test_util.h"

namespace {

// A bitmap whose destructor reports, to see when Release destroys it.
struct Watched : HVBitmap {
    bool* destroyed;
    Watched(bool* flag) : HVBitmap(2, 2, 0), destroyed(flag) {}
    ~Watched() override { *destroyed = true; }
};

}  // namespace

TEST(HVBitmap, BlankBitmapIsZeroFilledWithTheRequestedFlags) {
    HVBitmap b(3, 2, HVB_ALPHA | HVB_PREMULTIPLIED | HVB_COLORKEY);
    ASSERT_TRUE(b.IsValid());
    EXPECT_EQ(b.Width(), 3);
    EXPECT_EQ(b.Height(), 2);
    EXPECT_EQ(b.FrameCount(), 1);
    EXPECT_EQ(b.BitsPerPixel(), 32);
    EXPECT_TRUE(b.HasAlpha());
    EXPECT_TRUE(b.IsPremultiplied());
    EXPECT_TRUE(b.IsColorKeyed());
    EXPECT_FALSE(b.IsOpaque());
    for (int i = 0; i < 3 * 2 * 4; ++i) ASSERT_EQ(b.Bits()[i], 0) << i;

    HVBitmap plain(1, 1, 0);
    EXPECT_FALSE(plain.HasAlpha());
    EXPECT_FALSE(plain.IsPremultiplied());
    EXPECT_FALSE(plain.IsColorKeyed());
}

TEST(HVBitmap, ImpossibleSizesGiveABitmapWithoutPixels) {
    for (auto size : std::vector<std::pair<int, int>>{{0, 5}, {5, 0}, {-1, 4}, {1 << 20, 1 << 20}, {1 << 30, 1}}) {
        HVBitmap b(size.first, size.second, HVB_ALPHA);
        EXPECT_FALSE(b.IsValid()) << size.first << "x" << size.second;
        EXPECT_EQ(b.Bits(), nullptr);
        EXPECT_EQ(b.Width(), 0);
        // Operations on it do nothing rather than fail.
        EXPECT_FALSE(b.Clear());
        EXPECT_FALSE(b.IsOpaqueAt(0, 0));
        b.Resize(10, 10);
        b.Mirror();
        EXPECT_FALSE(b.AddShadow(2, 2, 3, 255, 0, nullptr, nullptr, false));
        EXPECT_FALSE(b.IsValid());
    }
}

TEST(HVBitmap, RowsAreStoredBottomRowFirst) {
    HVBitmap b(2, 3, HVB_ALPHA);
    Put(b, 1, 0, {1, 2, 3, 4});  // top row, right pixel
    // The top image row is the last memory row.
    const uint8_t* p = b.Bits() + (2 * 2 + 1) * 4;
    EXPECT_EQ(std::vector<uint8_t>(p, p + 4), (std::vector<uint8_t>{1, 2, 3, 4}));
    EXPECT_EQ(b.View().Pixel(1, 0), p);
}

TEST(HVBitmap, CopyHasItsOwnPixelsAndTheSameDescription) {
    HVBitmap a(4, 2, HVB_ALPHA | HVB_PREMULTIPLIED);
    a.SetFrameCount(2);
    a.SetOpaque(true);
    a.SetBitsPerPixel(24);
    Put(a, 3, 1, {9, 8, 7, 6});
    HVBitmap b(a);
    EXPECT_EQ(b.Width(), 4);
    EXPECT_EQ(b.Height(), 2);
    EXPECT_EQ(b.FrameCount(), 2);
    EXPECT_EQ(b.BitsPerPixel(), 24);
    EXPECT_TRUE(b.HasAlpha());
    EXPECT_TRUE(b.IsPremultiplied());
    EXPECT_TRUE(b.IsOpaque());
    EXPECT_EQ(At(b, 3, 1), (Bgra{9, 8, 7, 6}));
    EXPECT_NE(a.Bits(), b.Bits());
    Put(b, 3, 1, {0, 0, 0, 0});
    EXPECT_EQ(At(a, 3, 1), (Bgra{9, 8, 7, 6}));
    EXPECT_EQ(b.RefCount(), 0);
}

TEST(HVBitmap, LastReleaseDestroysUnlessKept) {
    bool destroyed = false;
    auto* b = new Watched(&destroyed);
    EXPECT_EQ(b->AddRef(), 1);
    EXPECT_EQ(b->AddRef(), 2);
    EXPECT_EQ(b->Release(), 1);
    EXPECT_FALSE(destroyed);
    EXPECT_EQ(b->Release(), 0);
    EXPECT_TRUE(destroyed);

    destroyed = false;
    auto* kept = new Watched(&destroyed);
    kept->SetKeep(true);
    kept->AddRef();
    EXPECT_EQ(kept->Release(), 0);
    EXPECT_FALSE(destroyed);
    // A count that was never raised also reaches "0 or below" on Release.
    EXPECT_EQ(kept->Release(), -1);
    EXPECT_FALSE(destroyed);
    kept->SetKeep(false);
    kept->Release();
    EXPECT_TRUE(destroyed);
}

TEST(HVBitmap, FrameWidthTreatsAZeroFrameCountAsOne) {
    HVBitmap b(10, 1, 0);
    b.SetFrameCount(0);
    EXPECT_EQ(b.FrameWidth(), 10);
    b.SetFrameCount(3);
    EXPECT_EQ(b.FrameWidth(), 3);
}
