// Switching panels in a real adopted window, on a hand-driven animation clock: the shown panel
// fades out and hides, the chosen one fades in on top, the tabs follow.
#include <windows.h>

#include <gtest/gtest.h>

#include "graphics/halvix_win.h"
#include "graphics/hv_bitmap_state.h"
#include "graphics/hv_window_host_win.h"
#include "graphics/tick.h"
#include "ui/controls/ctx_obj_win.h"
#include "ui/panel_handler_win.h"
#include "ui/sidebar_win.h"

namespace {

uint32_t gNow = 1000000;
uint32_t FakeNow() {
    return gNow;
}

LRESULT CALLBACK PlainProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(window, message, wParam, lParam);
}

class PanelSwitch : public ::testing::Test {
protected:
    void SetUp() override {
        HalvixStart(GetModuleHandleW(nullptr), L"PanelTest", HALVIX_NO_LOCK | HALVIX_NO_TIMER);
        hvtick::SetSource(&FakeNow);
        WNDCLASSW windowClass = {};
        windowClass.lpfnWndProc = PlainProc;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = L"PanelSwitchTest";
        RegisterClassW(&windowClass);
        window_ = CreateWindowExW(0, L"PanelSwitchTest", L"", WS_POPUP, 0, 0, 800, 600, nullptr, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
        gUi.window = window_;
        gUi.root = new CTXObj(HVK_WRAPPED, CreateWindowHost(window_));
        gUi.root->Create();
        gUi.root->Show();
        BuildSidebarAndPanels();
        ShowPanel(Panel::Themes);
        Play(300);
    }
    void TearDown() override {
        UnregisterPanelHandlers();
        delete gUi.root;
        gUi = UiState{};
        DestroyWindow(window_);
        hvtick::SetSource(nullptr);
    }

    // Lets time pass and the objects update, as the updater's timer does.
    void Play(uint32_t ms) {
        for (uint32_t t = 0; t < ms; t += 10) {
            gNow += 10;
            for (CTXObj* panel : gUi.panels) panel->update(gNow);
        }
    }
    static int Opacity(Panel panel) {
        auto* state = static_cast<HVBitmapState*>(PanelObject(panel)->CurrentVisual());
        return state->OpacityAt(state->ShownFrame());
    }
    static bool Selected(int tab) { return gUi.tabs[tab]->IsInState(hvstate::kSelected); }

    HWND window_ = nullptr;
};

TEST_F(PanelSwitch, TheShownPanelFadesOutAndHidesWhileTheChosenOneFadesInOnTop) {
    ASSERT_TRUE(IsPanelShown(Panel::Themes));
    EXPECT_EQ(Opacity(Panel::Themes), 255);
    EXPECT_TRUE(Selected(0));

    ShowPanel(Panel::Options);
    EXPECT_EQ(gUi.root->Children().back(), PanelObject(Panel::Options));
    EXPECT_TRUE(Selected(5));
    EXPECT_TRUE(gUi.tabs[0]->IsInState(hvstate::kAway));
    Play(80);
    const int fadingIn = Opacity(Panel::Options), fadingOut = Opacity(Panel::Themes);
    EXPECT_GT(fadingIn, 0);
    EXPECT_LT(fadingIn, 255);
    EXPECT_GT(fadingOut, 0);
    EXPECT_LT(fadingOut, 255);
    EXPECT_TRUE(PanelObject(Panel::Themes)->IsVisible());
    Play(200);
    EXPECT_FALSE(PanelObject(Panel::Themes)->IsVisible());
    EXPECT_EQ(Opacity(Panel::Options), 255);
}

TEST_F(PanelSwitch, ChoosingTheShownPanelChangesNothingButAFadingOutPanelComesBack) {
    ShowPanel(Panel::Themes);
    EXPECT_TRUE(PanelObject(Panel::Themes)->IsInState(hvstate::kShow));
    EXPECT_FALSE(PanelObject(Panel::Themes)->CurrentAnimated());  // not restarted

    // Back to a panel while it is still fading out: it is shown again, not left to hide.
    ShowPanel(Panel::Sounds);
    Play(40);
    ShowPanel(Panel::Themes);
    Play(300);
    EXPECT_TRUE(IsPanelShown(Panel::Themes));
    EXPECT_FALSE(PanelObject(Panel::Sounds)->IsVisible());
    EXPECT_TRUE(Selected(0));
    EXPECT_FALSE(Selected(3));
}

TEST_F(PanelSwitch, TheDetailsPanelHasNoTabAndLeavesNoneSelected) {
    ShowPanel(Panel::Details);
    Play(300);
    for (int tab = 0; tab < kTabCount; ++tab) EXPECT_FALSE(Selected(tab)) << tab;
    Panel panel;
    ASSERT_TRUE(PanelOfTabCommand(35, &panel));  // the back link
    EXPECT_EQ(panel, Panel::Themes);
}

}  // namespace
