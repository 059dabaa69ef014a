#include <gtest/gtest.h>

#include "graphics/hv_bitmap.h"
#include "graphics/hv_bitmap_state.h"
#include "theme/theme.h"
#include "theme/theme_image.h"

namespace {

// A cursor whose frame strip is filled with one opaque colour whose blue byte is tag, so that
// a derived cursor shows which source it came from.
CCursor MakeCursor(uint32_t role, uint32_t event, double scale, int frameWidth, int height, int hotSpot, uint8_t tag,
                   int frames = 1, uint32_t bitmapFlags = HVB_ALPHA) {
    CCursor cursor;
    cursor.role = role;
    cursor.event = event;
    cursor.scale = scale;
    cursor.stored = 1;
    cursor.frames = frames;
    cursor.interval = 100;
    cursor.hotSpotX = hotSpot;
    cursor.hotSpotY = hotSpot;
    auto* bitmap = new HVBitmap(frameWidth * frames, height, bitmapFlags);
    uint8_t* bits = bitmap->Bits();
    for (int i = 0; i < bitmap->Width() * bitmap->Height(); ++i) {
        bits[i * 4] = tag;
        bits[i * 4 + 3] = 255;
    }
    cursor.image = MakeAnimationState(CursorStateName(role, event), bitmap, cursor, true);
    return cursor;
}

uint8_t Tag(const CCursor& cursor) {
    return cursor.image->Bitmap()->Bits()[0];
}

// Two roles drawn at 1.0 (32 pixels, hot spot 4, tag 10) and at 2.0 (64 pixels, hot spot 10, tag 20).
CTheme TwoScales() {
    CTheme theme;
    for (uint32_t role : {0u, 1u}) {
        theme.AddCursor(MakeCursor(role, 1, 1.0, 32, 32, 4, 10));
        theme.AddCursor(MakeCursor(role, 1, 2.0, 64, 64, 10, 20));
    }
    return theme;
}

TEST(ThemeRescale, AboveTheTargetTheLargerSourceIsPreferred) {
    CTheme theme = TwoScales();
    theme.Rescale(1.5);
    EXPECT_EQ(theme.currentScale, 1.5);
    const std::vector<CCursor>& derived = theme.cursors[1.5];
    ASSERT_EQ(derived.size(), 2u);
    for (const CCursor& c : derived) {
        EXPECT_EQ(Tag(c), 20);
        EXPECT_EQ(c.image->Width(), 48);
        EXPECT_EQ(c.image->Height(), 48);
        EXPECT_EQ(c.hotSpotX, 7);  // 10 × 0.75 = 7.5
        EXPECT_EQ(c.stored, 0);
        EXPECT_EQ(c.scale, 1.5);
    }
    // The sources are untouched.
    EXPECT_EQ(theme.cursors[2.0][0].image->Width(), 64);
    EXPECT_EQ(theme.cursors[2.0][0].stored, 1);
}

TEST(ThemeRescale, BelowEverySourceTheNearestIsUsed) {
    CTheme theme = TwoScales();
    theme.Rescale(0.8);
    ASSERT_EQ(theme.cursors[0.8].size(), 2u);
    const CCursor& c = theme.cursors[0.8][0];
    EXPECT_EQ(Tag(c), 10);
    EXPECT_EQ(c.image->Width(), 25);  // 32 × 0.8 = 25.6
    EXPECT_EQ(c.hotSpotX, 3);         // 4 × 0.8 = 3.2
}

TEST(ThemeRescale, AboveEverySourceTheNearestIsUsed) {
    CTheme theme = TwoScales();
    theme.Rescale(2.5);
    EXPECT_EQ(Tag(theme.cursors[2.5][0]), 20);
}

TEST(ThemeRescale, ImagesOffsetsAndHotSpotsScaleAndAreCutTowardZero) {
    CTheme theme;
    theme.AddCursor(MakeCursor(0, 1, 1.0, 32, 20, 5, 10, 3));
    theme.AddCursor(MakeCursor(1, 1, 1.0, 8, 8, -5, 10));
    theme.Rescale(1.25);
    ASSERT_EQ(theme.cursors[1.25].size(), 2u);
    const CCursor& animated = theme.cursors[1.25][0];
    EXPECT_EQ(animated.image->Bitmap()->Width(), 120);  // three frames of 32 × 1.25
    EXPECT_EQ(animated.image->Width(), 40);
    EXPECT_EQ(animated.image->Height(), 25);
    EXPECT_EQ(animated.hotSpotX, 6);  // 6.25
    EXPECT_EQ(animated.image->OffsetX(), -6);
    EXPECT_EQ(animated.image->OffsetY(), -6);
    // A hot spot outside the image scales as the signed value it is.
    EXPECT_EQ(theme.cursors[1.25][1].hotSpotX, -6);
}

TEST(ThemeRescale, TheCurrentScaleIsLeftAloneEvenWhenIncomplete) {
    CTheme theme;
    theme.AddCursor(MakeCursor(0, 1, 2.0, 64, 64, 10, 20));
    theme.Rescale(1.0);  // current scale already 1.0 and nothing drawn for it
    EXPECT_TRUE(theme.cursors[1.0].empty());
    EXPECT_EQ(theme.currentScale, 1.0);
}

TEST(ThemeRescale, CursorsAtTheTargetStayAndTheSetIsSortedByIdentity) {
    CTheme theme;
    theme.AddCursor(MakeCursor(5, 1, 1.0, 16, 16, 1, 10));
    theme.AddCursor(MakeCursor(0, 2, 1.0, 16, 16, 1, 11));
    theme.AddCursor(MakeCursor(0, 1, 1.0, 16, 16, 1, 12));
    theme.AddCursor(MakeCursor(3, 1, 1.5, 30, 30, 1, 13));  // drawn for 1.5 itself
    theme.AddCursor(MakeCursor(3, 1, 1.5, 30, 30, 1, 14));  // a second one for the same identity
    theme.AddCursor(MakeCursor(3, 1, 1.0, 16, 16, 1, 15));
    theme.Rescale(1.5);

    const std::vector<CCursor>& set = theme.cursors[1.5];
    ASSERT_EQ(set.size(), 4u);
    EXPECT_EQ(std::make_pair(set[0].role, set[0].event), std::make_pair(0u, 1u));
    EXPECT_EQ(std::make_pair(set[1].role, set[1].event), std::make_pair(0u, 2u));
    EXPECT_EQ(set[2].role, 3u);
    EXPECT_EQ(set[3].role, 5u);
    EXPECT_EQ(Tag(set[2]), 13);  // its own image, the first of the two
    EXPECT_EQ(set[2].image->Width(), 30);
    EXPECT_EQ(set[2].stored, 1);
    EXPECT_EQ(Tag(set[0]), 12);
    EXPECT_EQ(set[0].stored, 0);
}

TEST(ThemeRescale, DerivedCursorsAreNeverSourcesAndStayForALaterVisit) {
    CTheme theme;
    theme.AddCursor(MakeCursor(0, 1, 1.0, 20, 20, 4, 10));
    theme.Rescale(2.0);
    theme.cursors[2.0][0].hotSpotX = 1000;  // would show if the derived cursor were used
    theme.Rescale(1.5);
    EXPECT_EQ(theme.cursors[1.5][0].hotSpotX, 6);

    theme.Rescale(2.0);  // found in place, not derived again
    EXPECT_EQ(theme.cursors[2.0].size(), 1u);
    EXPECT_EQ(theme.cursors[2.0][0].hotSpotX, 1000);
}

TEST(ThemeRescale, ACursorWithoutImageOrWithAPooledContextIsStillDerived) {
    CTheme theme;
    CCursor standard;
    standard.role = 2;
    standard.stored = 1;
    standard.standard = 1;
    standard.hotSpotX = 8;
    theme.AddCursor(standard);
    theme.AddCursor(MakeCursor(0, 1, 1.0, 10, 10, 2, 10, 1, HVB_ALPHA | HVB_SHAREDDC));
    theme.Rescale(2.0);
    ASSERT_EQ(theme.cursors[2.0].size(), 2u);
    EXPECT_EQ(theme.cursors[2.0][0].image->Width(), 20);
    EXPECT_FALSE(theme.cursors[2.0][1].image);
    EXPECT_EQ(theme.cursors[2.0][1].hotSpotX, 16);
    EXPECT_EQ(theme.cursors[2.0][1].stored, 0);
}

}  // namespace
