// The engine's portable rules for what it is given: the stored hot key, the display's scale, the
// system cursors it replaces and the settings' appearance.
#include <gtest/gtest.h>

#include <set>

#include "engine/cursor_scale.h"
#include "engine/engine_settings.h"
#include "engine/hot_key.h"
#include "engine/system_cursors.h"
#include "theme/windows_scheme.h"

namespace {

TEST(EngineHotKey, ControlValuesBecomeRegistrationModifiersAndKey) {
    HotKeyBinding binding;
    // The default, 0x0343: "C" with the control's Shift (1) and Ctrl (2) flags.
    ASSERT_TRUE(HotKeyFromControlValue(835, binding));
    EXPECT_EQ(binding.virtualKey, 0x43u);
    EXPECT_EQ(binding.modifiers, 0x02u | 0x04u);  // MOD_CONTROL | MOD_SHIFT
    EXPECT_EQ(HotKeyText(binding), "Ctrl+Shift+C");
    // Alt (the control's 4) is MOD_ALT (1); the extended-key flag (8) adds no modifier.
    ASSERT_TRUE(HotKeyFromControlValue(0x0C74, binding));
    EXPECT_EQ(binding.modifiers, 0x01u);
    EXPECT_EQ(binding.virtualKey, 0x74u);
    EXPECT_EQ(HotKeyText(binding), "Alt+F5");
    ASSERT_TRUE(HotKeyFromControlValue(0x026B, binding));
    EXPECT_EQ(HotKeyText(binding), "Ctrl+0x6B");
    // No key, a modifier without a key, negative and oversized values register nothing.
    for (int32_t none : {0, 0x0300, -1, 0x10043}) EXPECT_FALSE(HotKeyFromControlValue(none, binding)) << none;
}

TEST(EngineCursorScale, FollowsTheLargestOfDpiSystemCursorAndUserSize) {
    EXPECT_DOUBLE_EQ(CursorScale({96, 32, 0}), 1.0);
    EXPECT_DOUBLE_EQ(CursorScale({144, 48, 0}), 1.5);
    // A system that reports an unscaled cursor width still gets the dpi's scale.
    EXPECT_DOUBLE_EQ(CursorScale({120, 32, 0}), 1.25);
    // The user's cursor size is given for 96 dpi and grows with it.
    EXPECT_DOUBLE_EQ(CursorScale({96, 32, 64}), 2.0);
    EXPECT_DOUBLE_EQ(CursorScale({144, 48, 64}), 3.0);
    // Nonsense stays within bounds.
    EXPECT_DOUBLE_EQ(CursorScale({0, 32, 0}), 1.0);
    EXPECT_DOUBLE_EQ(CursorScale({96, 100000, 0}), 8.0);
    EXPECT_DOUBLE_EQ(CursorScale({48, 16, 0}), 0.5);
    EXPECT_DOUBLE_EQ(CursorScale({1, 1, 0}), 0.25);
}

TEST(EngineSystemCursors, AreTheImportTableReversedWithThePen) {
    std::set<uint32_t> ids;
    for (int i = 0; i < kSystemCursorCount; ++i) {
        const SystemCursor& cursor = SystemCursorAt(i);
        ids.insert(cursor.id);
        // Each takes the role a scheme's import gives its file: the first of the size pairs.
        bool found = false;
        for (const WindowsCursorSlot& slot : kWindowsCursorSlots)
            if (std::wstring(slot.name) == cursor.name) {
                EXPECT_EQ(cursor.role, slot.role) << i;
                found = true;
            }
        EXPECT_TRUE(found) << i;
        EXPECT_GE(cursor.role, 0) << i;
    }
    EXPECT_EQ(ids, (std::set<uint32_t>{32512, 32513, 32514, 32515, 32516, 32642, 32643, 32644, 32645, 32646, 32648,
                                       32649, 32650, 32651, 32631}));
    EXPECT_EQ(SystemCursorAt(0).role, 0);
    EXPECT_EQ(std::wstring(SystemCursorAt(14).name), L"NWPen");
    EXPECT_EQ(SystemCursorAt(14).role, 6);
    EXPECT_EQ(CursorFileName(SystemCursorAt(8), false, ".ani"), L"SizeNS.ani");
    EXPECT_EQ(CursorFileName(SystemCursorAt(0), true, ".cur"), L"Arrow held.cur");
}

// The appearance itself is checked against the options panel's preview by the Windows tests.
TEST(EngineSettings, TheDynamicShadowNeedsAShadowAndTheLightKeepsItsStoredHeight) {
    SettingsBlock block;
    block.shadowDynamic = 1;
    block.disableShadow = 1;
    EXPECT_FALSE(DynamicShadowOn(block));
    block.disableShadow = 0;
    EXPECT_TRUE(DynamicShadowOn(block));
    block.shadowDynamic = 2;  // only 1 turns it on
    EXPECT_FALSE(DynamicShadowOn(block));
    // The default height lies above the slider's range on purpose; a negative pointer height is none.
    block.cursorHeight = -5;
    block.movSmooth = 500;
    EXPECT_EQ(LightFromSettings(block).lightHeight, 9303);
    EXPECT_EQ(LightFromSettings(block).cursorHeight, 0);
    EXPECT_EQ(LightFromSettings(block).movSmooth, 100);
}

}  // namespace
