#include "theme/theme.h"

#include <gtest/gtest.h>

#include <cstring>

#include "graphics/hv_bitmap.h"
#include "graphics/hv_bitmap_state.h"
#include "theme/theme_image.h"
#include "theme/theme_info.h"
#include "theme/theme_tables.h"

namespace {

CCursor Cursor(uint32_t role, uint32_t event, double scale, int width = 4) {
    CCursor c;
    c.role = role;
    c.event = event;
    c.scale = scale;
    c.stored = 1;
    auto* bitmap = new HVBitmap(width, 4, HVB_ALPHA);
    c.image = MakeAnimationState(CursorStateName(role, event), bitmap, c, true);
    return c;
}

CTheme WithEverything() {
    CTheme t;
    t.AddCursor(Cursor(0, 1, 1.0));
    t.AddCursor(Cursor(0, 1, 2.0));
    t.SetClickEffect(4, CClickEffect{});
    t.trails.emplace(2, CTrail{});
    t.SetSound(1, {1, 2, 3});
    t.contentFlags = 15;
    return t;
}

}  // namespace

TEST(ThemeModel, FindCursorSearchesTheCurrentScaleAndLeavesAnEmptyVector) {
    CTheme theme;
    theme.AddCursor(Cursor(0, 1, 1.5));
    EXPECT_EQ(theme.FindCursor(0, 1, 1), nullptr);  // current scale 1.0
    ASSERT_EQ(theme.cursors.count(1.0), 1u);
    EXPECT_TRUE(theme.cursors[1.0].empty());
    theme.currentScale = 1.5;
    ASSERT_NE(theme.FindCursor(0, 1, 1), nullptr);
    EXPECT_EQ(theme.FindCursor(0, 1, 2), nullptr);
    EXPECT_EQ(theme.FindCursor(0, 2, 1), nullptr);
}

TEST(ThemeModel, CopiedCursorsOwnTheirImages) {
    CCursor original = Cursor(3, 1, 1.0);
    original.image->Bitmap()->Bits()[0] = 10;
    CCursor copy = original;
    ASSERT_NE(copy.image.get(), original.image.get());
    ASSERT_NE(copy.image->Bitmap(), original.image->Bitmap());
    EXPECT_EQ(copy.image->Name(), L"3-1");
    copy.image->Bitmap()->Bits()[0] = 99;
    EXPECT_EQ(original.image->Bitmap()->Bits()[0], 10);
    CCursor assigned;
    assigned = copy;
    EXPECT_EQ(assigned.image->Bitmap()->Bits()[0], 99);
}

TEST(ThemeModel, EntriesByKeyAndTheLowestKeyFirst) {
    CTheme theme;
    EXPECT_EQ(theme.FirstClickEffect(), nullptr);
    EXPECT_EQ(theme.FirstTrail(), nullptr);
    CClickEffect a;
    a.frames = 2;
    theme.SetClickEffect(5, a);
    CClickEffect b;
    b.frames = 3;
    theme.SetClickEffect(2, b);
    EXPECT_EQ(theme.FirstClickEffect()->key, 2);
    CClickEffect c;
    c.frames = 9;
    theme.SetClickEffect(5, c);  // replaces
    EXPECT_EQ(theme.ClickEffect(5)->frames, 9);
    theme.RemoveClickEffect(2);
    theme.RemoveClickEffect(7);  // absent: nothing
    EXPECT_EQ(theme.FirstClickEffect()->key, 5);
    theme.SetSound(3, {1});
    theme.SetSound(3, {2, 2});
    EXPECT_EQ(theme.Sound(3)->size(), 2u);
    theme.RemoveSound(3);
    EXPECT_EQ(theme.Sound(3), nullptr);
    EXPECT_EQ(theme.contentFlags, 0) << "setting and removing entries leaves the flags alone";
}

TEST(ThemeModel, DisplayNameFallsBackToTheFileName) {
    CTheme theme;
    theme.path = L"C:\\Users\\Public\\Themes\\Night Owl.morvanta";
    EXPECT_EQ(theme.DisplayName(), L"Night Owl");
    theme.name = L"";
    EXPECT_EQ(theme.DisplayName(), L"Night Owl");
    theme.name = L"Owl";
    EXPECT_EQ(theme.DisplayName(), L"Owl");
}

TEST(ThemeModel, TakingCursorsMovesTheMapAndTheScale) {
    CTheme mine = WithEverything();
    CTheme other;
    other.AddCursor(Cursor(5, 1, 1.25));
    other.currentScale = 1.25;
    other.contentFlags = kThemeHasCursors;
    mine.TakeCursorsFrom(other);
    EXPECT_EQ(mine.currentScale, 1.25);
    ASSERT_EQ(mine.cursors.size(), 1u);
    EXPECT_EQ(mine.cursors[1.25][0].role, 5u);
    EXPECT_EQ(mine.contentFlags, 15);
    EXPECT_TRUE(other.cursors.empty());
    EXPECT_EQ(other.currentScale, 1.0);

    CTheme none;
    none.currentScale = 2.0;
    none.AddCursor(Cursor(1, 1, 1.0));  // cursors, but none at its current scale
    mine.TakeCursorsFrom(none);
    EXPECT_EQ(mine.contentFlags & kThemeHasCursors, 0);
}

TEST(ThemeModel, TakingAPartThatIsEmptyClearsItsBit) {
    CTheme mine = WithEverything();
    CTheme empty;
    mine.TakeSoundsFrom(empty);
    EXPECT_TRUE(mine.sounds.empty());
    EXPECT_EQ(mine.contentFlags, 15 & ~kThemeHasSounds);

    CTheme other = WithEverything();
    CTheme target;
    target.TakeClickEffectsFrom(other);
    target.TakeTrailsFrom(other);
    EXPECT_EQ(target.contentFlags, kThemeHasClickEffects | kThemeHasTrails);
    EXPECT_TRUE(other.clickEffects.empty());
    EXPECT_EQ(other.contentFlags, kThemeHasCursors | kThemeHasSounds);
}

TEST(ThemeModel, ClearAndResetKeepTextsAndLock) {
    CTheme theme = WithEverything();
    theme.name = L"N";
    theme.optionLock = 1;
    theme.unsupportedMessageShown = 1;
    theme.currentScale = 2.0;
    theme.ClearTrails();
    EXPECT_EQ(theme.contentFlags, 11);
    theme.Reset();
    EXPECT_TRUE(theme.cursors.empty() && theme.clickEffects.empty() && theme.sounds.empty());
    EXPECT_EQ(theme.contentFlags, 0);
    EXPECT_EQ(theme.currentScale, 1.0);
    EXPECT_EQ(*theme.name, L"N");
    EXPECT_EQ(theme.optionLock, 1);
    EXPECT_EQ(theme.unsupportedMessageShown, 1);
}

TEST(ThemeTables, LookupsStayInsideTheTablesAndSectionsIgnoreCase) {
    EXPECT_EQ(FindPointerRole(19)->role, 19);
    EXPECT_EQ(FindPointerRole(20), nullptr);
    EXPECT_EQ(FindPointerRole(-1), nullptr);
    EXPECT_EQ(FindPointerRoleBySection(L"sizenwse")->role, 12);
    EXPECT_EQ(FindPointerRoleBySection(L"Size"), nullptr);  // a prefix of a name is no match
    EXPECT_EQ(FindPointerRoleBySection(L"SizeNWSEx"), nullptr);
    EXPECT_EQ(FindMouseEvent(11)->key, 11);
    EXPECT_EQ(FindMouseEvent(12), nullptr);
}

TEST(ThemeInfo, TextsAreCutToTheirBuffers) {
    THEME_INFO info;
    THEME_INFO::SetText(info.version, L"1.2.3.4.5.6.7.8.9.10.11", THEME_INFO::kVersionCapacity);
    EXPECT_EQ(info.version.size(), 19u);
    THEME_INFO copy = info;
    EXPECT_EQ(copy.version, info.version);
}
