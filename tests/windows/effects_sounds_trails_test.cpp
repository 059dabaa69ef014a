// The rules of the effects, sounds and trails panels that the window tests cannot reach with a
// pointer: which trail row a stored choice names, the lists' arrow steps, and how an effect's or
// trail's image is fitted into a row or a slot.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "graphics/halvix_win.h"
#include "graphics/hv_bitmap.h"
#include "graphics/hv_bitmap_state.h"
#include "ui/panels/panel_list_win.h"
#include "ui/panels/part_views_win.h"
#include "ui/panels/trail_rows.h"

namespace {

TEST(TrailRowOfSetting, EmptyIsNoTrailGhostIsTheGhostRowAndAPathItsFileRowInAnyCase) {
    const std::vector<std::wstring> paths = {L"C:\\Themes\\Dots.morvanta", L"C:\\Themes\\Glow.morvanta"};
    EXPECT_EQ(TrailRowOfSetting(L"", paths, 3), 0);
    EXPECT_EQ(TrailRowOfSetting(L"gHoSt", paths, 3), 1);
    EXPECT_EQ(TrailRowOfSetting(L"c:\\themes\\GLOW.MORVANTA", paths, 0), 3);
    // Nothing named: the selection stays, whatever it was.
    EXPECT_EQ(TrailRowOfSetting(L"C:\\Themes\\Gone.morvanta", paths, 2), 2);
    EXPECT_EQ(TrailRowOfSetting(L"ghosts", paths, -2), -2);
}

TEST(TrailRowOfSetting, WhenSeveralRowsMatchTheLastOneWins) {
    const std::vector<std::wstring> paths = {L"C:\\T\\a.morvanta", L"C:\\T\\B.morvanta", L"c:\\t\\b.MORVANTA"};
    EXPECT_EQ(TrailRowOfSetting(L"C:\\T\\b.morvanta", paths, 0), 4);
}

TEST(ListArrowStep, HalfTheTravelPerRowWithTheEighteenUnscaledAndNeverBelowOne) {
    // (400 - 48 - 18) / 10 = 33, / 2 = 16.
    EXPECT_EQ(ListArrowStep(400, 48, 10), 16);
    // No rows counts as one.
    EXPECT_EQ(ListArrowStep(400, 48, 0), 167);
    EXPECT_EQ(ListArrowStep(400, 48, 1000), 1);
    // A track shorter than thumb and margin.
    EXPECT_EQ(ListArrowStep(50, 48, 3), 1);
}

class PreviewPictures : public ::testing::Test {
protected:
    void SetUp() override { HalvixStart(GetModuleHandleW(nullptr), L"PreviewTest", HALVIX_NO_LOCK | HALVIX_NO_TIMER); }

    // A strip of `frames` frames of width x height with the hot spot at (5, 6).
    static HVBitmapState* Strip(int frames, int width, int height) {
        auto* state = new HVBitmapState(L"Effect", new HVBitmap(width * frames, height, HVB_ALPHA));
        state->SetAnimation(frames, 30, HVS_INTERRUPTIBLE);
        state->SetOffset(-5, -6);
        return state;
    }
};

TEST_F(PreviewPictures, ALargeImageShrinksToFitKeepingItsProportionsAndPlaysOverAndOver) {
    HVBitmapState* image = Strip(10, 96, 48);
    auto copy = PreviewCopy(*image, L"Default", 45, 45, true);
    EXPECT_EQ(copy->Name(), L"Default");
    EXPECT_EQ(copy->Width(), 45);
    EXPECT_EQ(copy->Height(), 22);
    EXPECT_EQ(copy->FrameCount(), 10);
    EXPECT_EQ(copy->Bitmap()->Width(), 450);
    EXPECT_TRUE(copy->ModeFlags() & HVS_LOOP);
    EXPECT_EQ(copy->OffsetX(), 0);
    EXPECT_EQ(copy->OffsetY(), 0);
    EXPECT_EQ(copy->HitMode(), HVH_NEVER);
    // The theme's image is left as it was.
    EXPECT_EQ(image->Width(), 96);
    EXPECT_FALSE(image->ModeFlags() & HVS_LOOP);
    EXPECT_NE(copy->Bitmap(), image->Bitmap());
    delete image;
}

TEST_F(PreviewPictures, ASmallImageGrowsOnlyWhenAskedAndAStillOneStaysStill) {
    HVBitmapState* image = Strip(1, 12, 12);
    auto kept = PreviewCopy(*image, L"Default", 40, 40, false);
    EXPECT_EQ(kept->Width(), 12);
    auto grown = PreviewCopy(*image, L"Default", 45, 45, true);
    EXPECT_EQ(grown->Width(), 45);
    EXPECT_EQ(grown->Height(), 45);
    EXPECT_EQ(grown->FrameCount(), 1);
    EXPECT_FALSE(grown->IsAnimating());
    delete image;
}

}  // namespace
