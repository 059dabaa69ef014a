// Which controls of the options panel show which settings, and what the preview makes of values
// that only the registry can hold.
#include "ui/panels/options_settings_win.h"

#include <gtest/gtest.h>

#include "graphics/hv_bitmap.h"
#include "graphics/hv_bitmap_state.h"

TEST(OptionsSettings, EveryResetValueHasAControlThatShowsIt) {
    // Reset moves a slider or a check box for each value; a value without one would change
    // unseen while its control still showed the old value.
    for (const DwordSetting& setting : kResetSettings)
        EXPECT_TRUE(FindOptionSlider(setting.field) || FindOptionCheckBox(setting.field)) << setting.name;
}

TEST(OptionsSettings, ThePreviewTakesEachValueAsItsKnobShowsIt) {
    SettingsBlock stored;
    stored.size = 100000;
    stored.transparency = 20;
    stored.shadowX = -5000;
    stored.shadowY = 999999;
    stored.shadowSharpness = 70;
    stored.shadowDark = 300;
    stored.hueShift = -1;
    stored.mirror = 2;  // the boxes: only 1 checks the mirror, only 0 casts the shadow
    stored.disableShadow = 2;
    const CursorAppearance look = PreviewAppearance(stored);
    EXPECT_EQ(look.size, 400);
    EXPECT_EQ(look.opacity, 128);
    EXPECT_EQ(look.shadowX, -100);
    EXPECT_EQ(look.shadowY, 100);
    EXPECT_EQ(look.shadowSharpness, 20);
    EXPECT_EQ(look.shadowDarkness, 255);
    EXPECT_EQ(look.hue, 0);
    EXPECT_FALSE(look.mirror);
    EXPECT_FALSE(look.shadow);
    // In range, a value is taken as it is.
    EXPECT_EQ(PreviewAppearance(SettingsBlock{}).size, 100);
    EXPECT_EQ(PreviewAppearance(SettingsBlock{}).shadowX, 5);
}

TEST(OptionsSettings, AShadowOffsetFromTheRegistryCannotGrowThePreviewWithoutBound) {
    SettingsBlock stored;
    stored.shadowX = 1 << 20;
    stored.shadowY = 1 << 20;
    stored.shadowSharpness = 0;
    HVBitmapState state(L"mod", new HVBitmap(32, 32, HVB_ALPHA));
    ApplyCursorAppearance(state, PreviewAppearance(stored));
    EXPECT_EQ(state.Bitmap()->Width(), 32 + 100);
    EXPECT_EQ(state.Bitmap()->Height(), 32 + 100);
}
