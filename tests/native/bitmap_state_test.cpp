#include <gtest/gtest.h>

#include "graphics/hv_bitmap.h"
#include "graphics/hv_bitmap_state.h"
#include "graphics/updater.h"
#include "tests/native/fake_tick.h"

namespace {

// A strip of frames x (width x height) whose alpha is 255 at (x, y) of every frame where mask
// says so, 0 elsewhere (top-left origin).
HVBitmap* Strip(int frames, int width, int height, bool (*mask)(int frame, int x, int y)) {
    auto* bitmap = new HVBitmap(frames * width, height, HVB_ALPHA);
    for (int y = 0; y < height; ++y) {
        uint8_t* row = bitmap->Bits() + size_t(height - 1 - y) * frames * width * 4;
        for (int x = 0; x < frames * width; ++x) {
            uint8_t a = mask(x / width, x % width, y) ? 255 : 0;
            row[4 * x + 0] = row[4 * x + 1] = row[4 * x + 2] = a;
            row[4 * x + 3] = a;
        }
    }
    return bitmap;
}

}  // namespace

TEST(BitmapState, SetAnimationCutsTheStripIntoFrames) {
    HVBitmapState state(L"s", new HVBitmap(40, 10, HVB_ALPHA));
    EXPECT_EQ(state.Width(), 40);
    EXPECT_EQ(state.Bitmap()->RefCount(), 1);
    state.SetAnimation(4, 50, HVS_FORWARD);
    EXPECT_EQ(state.Width(), 10);
    EXPECT_EQ(state.Bitmap()->FrameCount(), 4);
    HVBitmapState same(L"fade", new HVBitmap(10, 10, HVB_ALPHA));
    same.SetAnimation(5, 50, HVS_SAMEIMAGE);
    EXPECT_TRUE(same.IsOneFrameBitmap());
    EXPECT_EQ(same.Width(), 10);
    EXPECT_EQ(same.Bitmap()->FrameCount(), 1);
    HVBitmapState none(L"zero", new HVBitmap(10, 10, HVB_ALPHA));
    EXPECT_FALSE(none.SetAnimation(0, 50, 0));  // no division by a zero frame count
    EXPECT_EQ(none.Width(), 10);
}

TEST(BitmapState, HitTestHonoursModesTrimsAndTheShownFrame) {
    // Frame 0 is solid only at its left half, frame 1 only at its right half.
    FakeTick tick;
    HVBitmapState state(L"s", Strip(2, 8, 4, [](int frame, int x, int) { return frame == 0 ? x < 4 : x >= 4; }));
    state.SetAnimation(2, 100, 0);
    EXPECT_TRUE(state.HitTest(1, 1));
    EXPECT_FALSE(state.HitTest(6, 1));
    tick.Advance(150);  // frame 1 now
    EXPECT_FALSE(state.HitTest(1, 1));
    EXPECT_TRUE(state.HitTest(6, 1));
    state.SetTrims(0, 0, 3, 0);
    EXPECT_FALSE(state.HitTest(6, 1)) << "outside the trimmed box";
    state.SetHitMode(HVH_BOX);
    EXPECT_TRUE(state.HitTest(1, 1));
    EXPECT_FALSE(state.HitTest(5, 1));
    state.SetHitMode(HVH_ALWAYS);
    EXPECT_TRUE(state.HitTest(100, 100));
    state.SetHitMode(HVH_NEVER);
    EXPECT_FALSE(state.HitTest(1, 1));
    HVBitmapState empty(L"e", nullptr);
    empty.SetHitMode(HVH_ALWAYS);
    EXPECT_FALSE(empty.HitTest(0, 0));
}

TEST(BitmapState, CopiesShareOrCopyTheBitmapAndFollowTheSourceClock) {
    FakeTick tick;
    HVBitmapState source(L"Default", new HVBitmap(30, 10, HVB_ALPHA));
    source.SetAnimation(3, 100, HVS_LOOP);
    source.SetScript(L"3-1,100");
    source.SetTrims(1, 2, 3, 4);
    source.SetOffset(-5, -6);
    source.SetEndOpacity(0);
    tick.Advance(120);

    HVBitmapState shared(L"a", source, false);
    EXPECT_EQ(shared.Bitmap(), source.Bitmap());
    EXPECT_EQ(source.Bitmap()->RefCount(), 2);
    HVBitmapState copied(L"mod", source, true);
    EXPECT_NE(copied.Bitmap(), source.Bitmap());
    EXPECT_EQ(copied.Bitmap()->FrameCount(), 3);
    EXPECT_EQ(copied.Name(), L"mod");
    EXPECT_EQ(copied.TrimBottom(), 4);
    EXPECT_EQ(copied.OffsetX(), -5);
    EXPECT_EQ(copied.EndOpacity(), 0);
    EXPECT_EQ(copied.ScriptText(), L"3-1,100");
    EXPECT_EQ(copied.ScriptRoot(), source.ScriptRoot());
    EXPECT_TRUE(copied.IsAnimating());
    EXPECT_FALSE(GlobalUpdater().IsRegistered(&copied));
    EXPECT_EQ(copied.CurrentFrame(), source.CurrentFrame());
    EXPECT_EQ(copied.CurrentFrame(), 1);
}

TEST(BitmapState, ShadowMarginsGoIntoTheTrims) {
    HVBitmapState down(L"s", Strip(2, 4, 4, [](int, int, int) { return true; }));
    down.SetAnimation(2, 100, HVS_FORWARD);
    ASSERT_TRUE(down.AddShadow(3, 3, 0, 255, 0));
    EXPECT_EQ(down.Width(), 7);
    EXPECT_EQ(down.Height(), 7);
    EXPECT_EQ(down.Bitmap()->Width(), 14);
    EXPECT_EQ(down.TrimLeft(), 0);
    EXPECT_EQ(down.TrimTop(), 0);
    EXPECT_EQ(down.TrimRight(), 3);
    EXPECT_EQ(down.TrimBottom(), 3);

    HVBitmapState left(L"s", Strip(1, 4, 4, [](int, int, int) { return true; }));
    ASSERT_TRUE(left.AddShadow(-4, 0, 0, 255, 0));
    EXPECT_EQ(left.TrimLeft(), 4);
    EXPECT_EQ(left.TrimRight(), 0);
    EXPECT_EQ(left.TrimTop(), 0);
    EXPECT_EQ(left.TrimBottom(), 0);

    EXPECT_FALSE(left.AddShadow(1, 1, -1, 255, 0));
    EXPECT_EQ(left.TrimLeft(), 4);
}

TEST(BitmapState, ResizeWorksPerFrameAndMirrorSwapsTheSideTrims) {
    HVBitmapState state(L"s", new HVBitmap(30, 10, HVB_ALPHA));
    state.SetAnimation(3, 100, HVS_FORWARD);
    state.Resize(20, 5);
    EXPECT_EQ(state.Bitmap()->Width(), 60);
    EXPECT_EQ(state.Width(), 20);
    EXPECT_EQ(state.Height(), 5);
    state.Resize(0, 0);
    EXPECT_EQ(state.Width(), 20);
    state.SetTrims(1, 0, 5, 0);
    state.Mirror();
    EXPECT_EQ(state.TrimLeft(), 5);
    EXPECT_EQ(state.TrimRight(), 1);
}
