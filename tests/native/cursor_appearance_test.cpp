#include <gtest/gtest.h>

#include <climits>

#include "graphics/cursor_appearance.h"
#include "graphics/hv_bitmap.h"
#include "graphics/hv_bitmap_state.h"
#include "tests/native/bitmap_test_util.h"

namespace {

// A frame strip with one opaque white pixel per frame at (x, y) of that frame, the rest clear.
HVBitmap* Dots(int frames, int width, int height, int x, int y) {
    auto* bitmap = new HVBitmap(frames * width, height, HVB_ALPHA);
    for (int f = 0; f < frames; ++f) Put(*bitmap, f * width + x, y, {255, 255, 255, 255});
    return bitmap;
}

// A cursor's state over such a strip: one frame wide, not running.
void MakeStrip(HVBitmapState& state, int frames) {
    state.SetAnimation(frames, 100, HVS_FORWARD);
}

CursorAppearance Plain() {
    CursorAppearance look;
    look.shadow = false;
    return look;
}

}  // namespace

TEST(CursorAppearance, TheShadowIsAddedAfterMirroringSoItFallsOnTheMirroredImage) {
    // A dot at the left edge of a 4 x 1 image; mirrored it sits at column 3, and a hard shadow
    // offset 2 to the right lands 2 columns right of where the dot now is.
    HVBitmapState state(L"s", Dots(1, 4, 1, 0, 0));
    CursorAppearance look;
    look.mirror = true;
    look.shadowX = 2;
    look.shadowY = 0;
    look.shadowSharpness = 0;
    look.shadowDarkness = 255;
    ApplyCursorAppearance(state, look);
    HVBitmap& bitmap = *state.Bitmap();
    ASSERT_EQ(bitmap.Width(), 6);
    EXPECT_EQ(At(bitmap, 3, 0)[3], 255);  // the mirrored dot
    EXPECT_EQ(At(bitmap, 5, 0)[3], 255);  // its shadow
    EXPECT_EQ(At(bitmap, 0, 0)[3], 0);
    EXPECT_EQ(At(bitmap, 2, 0)[3], 0);  // not where an unmirrored dot would cast it
    // The trimmed box is still the 4 x 1 image.
    EXPECT_EQ(state.Width() - state.TrimLeft() - state.TrimRight(), 4);
}

TEST(CursorAppearance, SizeScalesEachFrameOfAStrip) {
    HVBitmapState quarter(L"s", Dots(3, 8, 8, 4, 4));
    MakeStrip(quarter, 3);
    CursorAppearance look = Plain();
    look.size = 25;
    ApplyCursorAppearance(quarter, look);
    EXPECT_EQ(quarter.Width(), 2);
    EXPECT_EQ(quarter.Height(), 2);
    EXPECT_EQ(quarter.Bitmap()->Width(), 6);
    EXPECT_EQ(quarter.Bitmap()->FrameCount(), 3);

    HVBitmapState four(L"s", Dots(3, 8, 8, 4, 4));
    MakeStrip(four, 3);
    look.size = 400;
    ApplyCursorAppearance(four, look);
    EXPECT_EQ(four.Width(), 32);
    EXPECT_EQ(four.Height(), 32);
    EXPECT_EQ(four.Bitmap()->Width(), 96);
    // Frame 1's dot stays in frame 1: frames are enlarged one by one.
    EXPECT_GT(At(*four.Bitmap(), 32 + 17, 17)[3], 0);
    EXPECT_EQ(At(*four.Bitmap(), 31, 17)[3], 0);
}

TEST(CursorAppearance, ASizeWhoseProductOverflowsChangesNothing) {
    HVBitmapState state(L"s", Dots(1, 64, 64, 1, 1));
    CursorAppearance look = Plain();
    look.size = INT_MAX;
    ApplyCursorAppearance(state, look);
    EXPECT_EQ(state.Bitmap()->Width(), 64);
    look.size = -50;
    ApplyCursorAppearance(state, look);
    EXPECT_EQ(state.Bitmap()->Width(), 64);
}

TEST(CursorAppearance, CentringUsesTheVisiblePartAboveAlpha15) {
    // 10 x 10; visible columns 2..5 and rows 3..4. A pixel of alpha 15 further out does not count.
    auto* bitmap = new HVBitmap(10, 10, HVB_ALPHA);
    for (int y = 3; y <= 4; ++y)
        for (int x = 2; x <= 5; ++x) Put(*bitmap, x, y, {0, 0, 0, 16});
    Put(*bitmap, 9, 9, {0, 0, 0, 15});
    HVBitmapState state(L"s", bitmap);
    int x = 0, y = 0;
    CentreVisiblePart(state, 20, 20, &x, &y);
    // The 4 x 2 visible part goes to (8, 9) of the box; the image's corner 2 and 3 before that.
    EXPECT_EQ(x, 6);
    EXPECT_EQ(y, 6);
    // Nothing visible at all: the whole image is centred.
    HVBitmapState clear(L"s", new HVBitmap(6, 4, HVB_ALPHA));
    CentreVisiblePart(clear, 10, 10, &x, &y);
    EXPECT_EQ(x, 2);
    EXPECT_EQ(y, 3);
}

TEST(CursorAppearance, CentringPlacesTheTrimmedBoxAfterAShadow) {
    // A shadow up and left grows the image there: the trimmed box (the cursor itself) moves right
    // and down within the image, and the object is placed by that box.
    HVBitmapState state(L"s", Dots(1, 3, 3, 1, 1));
    CursorAppearance look;
    look.shadowX = -2;
    look.shadowY = -2;
    look.shadowSharpness = 0;
    look.shadowDarkness = 255;
    ApplyCursorAppearance(state, look);
    ASSERT_EQ(state.TrimLeft(), 2);
    ASSERT_EQ(state.TrimTop(), 2);
    int x = 0, y = 0;
    CentreVisiblePart(state, 11, 11, &x, &y);
    // Visible: the shadow at image column 1 and the dot at column 3 (rows alike), 3 wide. Centred
    // in 11 the visible part starts at 4, the image at 3, the trimmed box at 5.
    EXPECT_EQ(x, 5);
    EXPECT_EQ(y, 5);
}
