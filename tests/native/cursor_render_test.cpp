#include <gtest/gtest.h>

#include "graphics/hv_bitmap.h"
#include "graphics/hv_bitmap_state.h"
#include "theme/cursor_render.h"
#include "theme/theme_image.h"

namespace {

// A cursor of frames × (width × height) whose frame f is filled with blue = f + 1, one marked
// pixel (red 255) at (markX, markY) of each frame, counted from the top.
CCursor MarkedCursor(int width, int height, int frames, int hotX, int hotY, int markX, int markY) {
    CCursor cursor;
    cursor.frames = frames;
    cursor.interval = 50;
    cursor.hotSpotX = hotX;
    cursor.hotSpotY = hotY;
    auto* bitmap = new HVBitmap(width * frames, height, HVB_ALPHA);
    uint8_t* bits = bitmap->Bits();
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width * frames; ++x) {
            uint8_t* p = bits + (size_t(height - 1 - y) * width * frames + x) * 4;
            p[0] = uint8_t(x / width + 1);
            p[2] = (x % width == markX && y == markY) ? 255 : 0;
            p[3] = 255;
        }
    cursor.image = MakeAnimationState(L"0-1", bitmap, cursor, true);
    return cursor;
}

CursorAppearance Plain() {
    CursorAppearance appearance;
    appearance.shadow = false;
    return appearance;
}

std::vector<std::pair<int, int64_t>> Steps(const CursorTiming& timing) {
    std::vector<std::pair<int, int64_t>> steps;
    for (const CursorStep& step : timing.steps) steps.push_back({step.frame, step.milliseconds});
    return steps;
}

using StepList = std::vector<std::pair<int, int64_t>>;

TEST(CursorAnimationSteps, FollowTheImageStatesOrderAndTiming) {
    CAnimation a;
    a.interval = 30;
    // A still image stays.
    CursorTiming still = CursorAnimationSteps(a, 1);
    EXPECT_EQ(Steps(still), (StepList{{0, 0}}));
    EXPECT_FALSE(still.loops);
    // An even animation: every frame for the interval; it loops only with the loop flag.
    CursorTiming even = CursorAnimationSteps(a, 3);
    EXPECT_EQ(Steps(even), (StepList{{0, 30}, {1, 30}, {2, 30}}));
    EXPECT_FALSE(even.loops);
    a.loop = 1;
    a.reverse = 1;
    CursorTiming reversed = CursorAnimationSteps(a, 3);
    EXPECT_EQ(Steps(reversed), (StepList{{2, 30}, {1, 30}, {0, 30}}));
    EXPECT_TRUE(reversed.loops);
    // A 0 ms interval counts as 1 ms, as the image state's clock does.
    a = CAnimation();
    EXPECT_EQ(Steps(CursorAnimationSteps(a, 2)), (StepList{{0, 1}, {1, 1}}));
}

TEST(CursorAnimationSteps, AScriptIsOnePassWithGroupsOnceAndRunsOfNoTimeLeftOut) {
    CAnimation a;
    a.frameScript = L"1-2,40;repeat 3;4,10;3;end repeat;2,0;9,25";
    CursorTiming timing = CursorAnimationSteps(a, 4);
    // The group plays once per pass; "2,0" is never shown; frame 9 is held to the strip's last.
    EXPECT_EQ(Steps(timing), (StepList{{0, 40}, {1, 40}, {3, 10}, {2, 10}, {3, 25}}));
    EXPECT_TRUE(timing.loops);
    // A script whose every run lasts 0 ms shows its first frame for good.
    a.frameScript = L"2,0";
    EXPECT_EQ(Steps(CursorAnimationSteps(a, 4)), (StepList{{0, 0}}));
    EXPECT_FALSE(CursorAnimationSteps(a, 4).loops);
    // A run of millions of frames is cut, not expanded.
    a.frameScript = L"1-2000000000,5";
    EXPECT_LE(CursorAnimationSteps(a, 4).steps.size(), 4096u);
}

TEST(RenderCursor, PlainCursorKeepsItsFramesHotSpotAndTiming) {
    CCursor cursor = MarkedCursor(8, 6, 2, 3, 2, 5, 1);
    RenderedCursor out;
    std::string reason;
    ASSERT_TRUE(RenderCursor(cursor, Plain(), out, reason)) << reason;
    EXPECT_EQ(out.width, 8);
    EXPECT_EQ(out.height, 6);
    EXPECT_EQ(out.hotSpotX, 3);
    EXPECT_EQ(out.hotSpotY, 2);
    ASSERT_EQ(out.frames.size(), 2u);
    EXPECT_EQ(out.frames[1][0], 2);                      // frame 2's blue, top-left pixel
    EXPECT_EQ(out.frames[0][(1 * 8 + 5) * 4 + 2], 255);  // the mark, counted from the top
    EXPECT_EQ(Steps(out.timing), (StepList{{0, 50}, {1, 50}}));
}

TEST(RenderCursor, HotSpotFollowsMirrorSizeAndShadow) {
    CCursor cursor = MarkedCursor(10, 10, 1, 2, 3, 2, 3);
    CursorAppearance appearance = Plain();
    appearance.mirror = true;
    RenderedCursor out;
    std::string reason;
    ASSERT_TRUE(RenderCursor(cursor, appearance, out, reason));
    EXPECT_EQ(out.hotSpotX, 7);  // 10 − 1 − 2: still on the marked pixel
    EXPECT_EQ(out.frames[0][(3 * 10 + 7) * 4 + 2], 255);

    appearance = Plain();
    appearance.size = 200;
    ASSERT_TRUE(RenderCursor(cursor, appearance, out, reason));
    EXPECT_EQ(out.width, 20);
    EXPECT_EQ(out.hotSpotX, 4);
    EXPECT_EQ(out.hotSpotY, 6);

    appearance = CursorAppearance();  // the default shadow: 5 right, 5 down, blur 9
    ASSERT_TRUE(RenderCursor(cursor, appearance, out, reason));
    EXPECT_GT(out.width, 10);
    // The hot spot moved by the margin the shadow added on the left and at the top.
    HVBitmapState probe(L"probe", *cursor.image, true);
    probe.AddShadow(5, 5, 9, 128, 0);
    EXPECT_EQ(out.hotSpotX, 2 + probe.TrimLeft());
    EXPECT_EQ(out.hotSpotY, 3 + probe.TrimTop());
}

TEST(RenderCursor, OutputIsStraightAlphaWithTheOpacityMultipliedIn) {
    CCursor cursor = MarkedCursor(3, 1, 1, 0, 0, 9, 9);
    HVBitmap* bitmap = cursor.image->Bitmap();
    uint8_t* p = bitmap->Bits();
    // Premultiplied half-transparent white, a transparent pixel with colour left in it, and a
    // nearly transparent white that the opacity makes transparent.
    p[0] = p[1] = p[2] = 128;
    p[3] = 128;
    p[4] = 50, p[5] = 60, p[6] = 70, p[7] = 0;
    p[8] = p[9] = p[10] = p[11] = 1;
    bitmap->SetPremultiplied(true);
    CursorAppearance appearance = Plain();
    appearance.opacity = 127;
    RenderedCursor out;
    std::string reason;
    ASSERT_TRUE(RenderCursor(cursor, appearance, out, reason));
    const std::vector<uint8_t>& f = out.frames[0];
    EXPECT_EQ(f[0], 255);
    EXPECT_EQ(f[2], 255);
    EXPECT_EQ(f[3], 128 * 127 / 255);
    EXPECT_EQ((std::vector<uint8_t>(f.begin() + 4, f.end())), (std::vector<uint8_t>(8, 0)));
}

TEST(RenderCursor, ACursorWithoutItsOwnImageIsRefusedWithAReason) {
    CCursor standard = MarkedCursor(4, 4, 1, 0, 0, 0, 0);
    standard.standard = 1;
    CCursor empty;
    RenderedCursor out;
    std::string reason;
    EXPECT_FALSE(RenderCursor(standard, Plain(), out, reason));
    EXPECT_FALSE(reason.empty());
    reason.clear();
    EXPECT_FALSE(RenderCursor(empty, Plain(), out, reason));
    EXPECT_FALSE(reason.empty());
}

}  // namespace
