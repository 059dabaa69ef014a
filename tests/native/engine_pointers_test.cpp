// What the engine hands the system: the rules between the tool's messages, the hot key and the
// buttons, and the plans that show the theme's, the held or the system's cursors.
#include <gtest/gtest.h>

#include "engine/engine_modes.h"
#include "engine/shown_pointers.h"

namespace {

CursorFile File(int index, bool held = false) {
    CursorFile file;
    file.index = index;
    file.held = held;
    file.path = std::to_wstring(index) + (held ? L" held" : L"");
    return file;
}

std::vector<std::wstring> Set(const PointerPlan& plan) {
    std::vector<std::wstring> paths;
    for (const CursorFile* file : plan.set) paths.push_back(file->path);
    return paths;
}

using Paths = std::vector<std::wstring>;

TEST(EngineModes, AReloadEndsAPauseAndShowsTheThemeAgain) {
    EngineModes modes;
    modes.SettingsChanging();
    EXPECT_FALSE(modes.FollowsPointer());
    EXPECT_EQ(modes.Show(), PointerShow::kTheme);  // the pointers stay while paused
    modes.SetButtons(1);
    EXPECT_EQ(modes.Show(), PointerShow::kThemeHeld);
    EXPECT_FALSE(modes.ToggleTheme());
    EXPECT_EQ(modes.Show(), PointerShow::kSystem);  // the hot key wins over a held button
    // Applying a theme ends the pause and shows the theme even after the hot key switched it off.
    modes.Reloaded();
    EXPECT_TRUE(modes.FollowsPointer());
    EXPECT_EQ(modes.Show(), PointerShow::kThemeHeld);
}

TEST(ShownPointers, SetOnlyWhatChangesAndRestoreOnlyWhenACursorGoesBack) {
    const std::vector<CursorFile> files = {File(0), File(0, true), File(1), File(3, true)};
    ShownPointers shown;
    // From the system's pointers: every normal cursor; the held-only one waits for a button.
    PointerPlan plan = shown.Plan(files, PointerShow::kTheme);
    EXPECT_FALSE(plan.restoreFirst);
    EXPECT_EQ(Set(plan), (Paths{L"0", L"1"}));
    EXPECT_TRUE(shown.AnyReplaced());
    EXPECT_TRUE(shown.Plan(files, PointerShow::kTheme).set.empty());  // nothing changed
    // A button held: only the held cursors go in.
    plan = shown.Plan(files, PointerShow::kThemeHeld);
    EXPECT_FALSE(plan.restoreFirst);
    EXPECT_EQ(Set(plan), (Paths{L"0 held", L"3 held"}));
    // Released: cursor 0 goes back to its normal file; 3 has none, so the system's pointers come
    // back first and every theme cursor is set again.
    plan = shown.Plan(files, PointerShow::kTheme);
    EXPECT_TRUE(plan.restoreFirst);
    EXPECT_EQ(Set(plan), (Paths{L"0", L"1"}));
    // The hot key: the system's pointers, then the theme's again.
    plan = shown.Plan(files, PointerShow::kSystem);
    EXPECT_TRUE(plan.restoreFirst);
    EXPECT_TRUE(plan.set.empty());
    EXPECT_FALSE(shown.AnyReplaced());
    EXPECT_FALSE(shown.Plan(files, PointerShow::kSystem).restoreFirst);
    EXPECT_EQ(Set(shown.Plan(files, PointerShow::kTheme)), (Paths{L"0", L"1"}));
    // A rewritten file that shows is set again; one that does not show waits.
    shown.FileChanged(1, false);
    shown.FileChanged(0, true);
    EXPECT_EQ(Set(shown.Plan(files, PointerShow::kTheme)), (Paths{L"1"}));
    // A theme without cursor 1: the system's comes back under it.
    const std::vector<CursorFile> fewer = {File(0)};
    plan = shown.Plan(fewer, PointerShow::kTheme);
    EXPECT_TRUE(plan.restoreFirst);
    EXPECT_EQ(Set(plan), (Paths{L"0"}));
    // Another program reloaded the system's pointers: everything is set again.
    shown.SystemRestored();
    EXPECT_EQ(Set(shown.Plan(files, PointerShow::kTheme)), (Paths{L"0", L"1"}));
}

}  // namespace
