// What the engine and the settings tool must agree on: the messages and names between them, and
// the appearance the pointers are drawn with (the options panel's preview and the engine both hold
// each stored value to the panel's slider range, and must agree for every value the registry can
// hold).
#include <gtest/gtest.h>

#include <cwchar>

#include "app/engine_control_win.h"
#include "engine/engine_protocol.h"
#include "engine/engine_settings.h"
#include "ui/panels/options_settings_win.h"

static_assert(enginemsg::kSettingsChanged == kEngineSettingsChanged, "the pause message");
static_assert(enginemsg::kReload == kEngineReloadTheme, "the reload message");
static_assert(enginemsg::kRestore == kEngineRestoreCursors, "the restore message");
static_assert(enginemsg::kTrailPreview == kEngineTrailPreview, "the trail preview message");

namespace {

TEST(EngineSettingsWin, TheEngineAnswersToTheNamesTheToolUses) {
    EXPECT_STREQ(enginemsg::kWindowClass, kEngineWindowClass);
    EXPECT_STREQ(enginemsg::kRestoreArgument, kRestoreCursorsArgument);
}

bool Same(const CursorAppearance& a, const CursorAppearance& b) {
    return a.opacity == b.opacity && a.mirror == b.mirror && a.size == b.size && a.hue == b.hue &&
           a.brightness == b.brightness && a.contrast == b.contrast && a.shadow == b.shadow && a.shadowX == b.shadowX &&
           a.shadowY == b.shadowY && a.shadowSharpness == b.shadowSharpness && a.shadowDarkness == b.shadowDarkness;
}

TEST(EngineSettingsWin, TheEnginesAppearanceIsThePreviewsForEveryStoredValue) {
    for (const OptionSlider& slider : kOptionSliders) {
        for (int32_t value : {INT32_MIN, slider.minimum - 1, slider.minimum, (slider.minimum + slider.maximum) / 2,
                              slider.maximum, slider.maximum + 1, INT32_MAX}) {
            SettingsBlock block;
            block.*slider.setting = value;
            EXPECT_TRUE(Same(AppearanceFromSettings(block), PreviewAppearance(block)))
                << "slider " << slider.commandId << " value " << value;
        }
    }
    for (const OptionCheckBox& box : kOptionCheckBoxes) {
        for (int32_t value : {-1, 0, 1, 2}) {
            SettingsBlock block;
            block.*box.setting = value;
            EXPECT_TRUE(Same(AppearanceFromSettings(block), PreviewAppearance(block)))
                << "check box " << box.commandId << " value " << value;
        }
    }
}

}  // namespace
