// Filling the theme list in a real adopted window, against library records the test sets up
// itself: records whose file went away or was damaged after the scan, an empty library, several
// themes named like the theme in use, and the theme in use changed from outside.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "app/engine_control_win.h"
#include "graphics/halvix_win.h"
#include "services/settings_win.h"
#include "graphics/hv_window_host_win.h"
#include "tests/native/theme_bytes.h"
#include "tests/support/temp_folder.h"
#include "theme/theme.h"
#include "theme/theme_library.h"
#include "ui/controls/ctx_obj_win.h"
#include "ui/click_guards_win.h"
#include "ui/current_theme_win.h"
#include "ui/lists/hover_list_win.h"
#include "ui/panel_handler_win.h"
#include "ui/panels/options_panel_win.h"
#include "ui/panels/theme_list_layout.h"
#include "ui/panels/themes_panel_win.h"
#include "ui/sidebar_win.h"
#include "ui/window_events_win.h"

namespace {

namespace tb = themebytes;

constexpr int kThemeHoverBar = 41;

LRESULT CALLBACK PlainProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(window, message, wParam, lParam);
}

ULONGLONG gFakeNow = 0;
ULONGLONG FakeNow() {
    return gFakeNow;
}

// The engine's stand-in inside the test: a window of the engine's class that counts what it is sent.
size_t gEngineMessages = 0;
LRESULT CALLBACK EngineProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message >= WM_USER && message < WM_USER + 32) ++gEngineMessages;
    return DefWindowProcW(window, message, wParam, lParam);
}

// A theme file with one arrow, its name, and optionally a web site and the option lock.
std::vector<uint8_t> ThemeFile(const std::wstring& name, const std::wstring& website = L"", uint32_t lock = 0) {
    tb::File file;
    file.texts[0] = name;
    file.texts[1] = L"Tester";
    if (!website.empty()) file.texts[3] = website;
    file.optionLock = lock;
    tb::Animation arrow;
    arrow.width = 24;
    arrow.height = 24;
    arrow.pixels = tb::Pixels(24, 24, static_cast<uint8_t>(name.size()));
    file.records.push_back(tb::Cursor(0, 1, arrow));
    return tb::Build(file);
}

class ThemeListFill : public ::testing::Test {
protected:
    void SetUp() override {
        HalvixStart(GetModuleHandleW(nullptr), L"ThemeListTest", HALVIX_NO_LOCK | HALVIX_NO_TIMER);
        WNDCLASSW windowClass = {};
        windowClass.lpfnWndProc = PlainProc;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = L"ThemeListTest";
        RegisterClassW(&windowClass);
        window_ = CreateWindowExW(0, L"ThemeListTest", L"", WS_POPUP, 0, 0, 800, 600, nullptr, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
        gUi.window = window_;
        gUi.root = new CTXObj(HVK_WRAPPED, CreateWindowHost(window_));
        gUi.root->Create();
        gUi.root->Show();
        BuildSidebarAndPanels();
        BuildThemesPanel();
        ShowPanel(Panel::Themes);
        gThemeLibrary.Clear();
    }
    void TearDown() override {
        UnregisterPanelHandlers();
        gThemeLibrary.Clear();
        ReleaseCurrentTheme();
        delete gUi.root;
        gUi = UiState{};
        DestroyWindow(window_);
    }

    static HoverList& List() {
        for (HoverList* list : HoverList::All())
            if (list->Setup().hoverBarId == kThemeHoverBar) return *list;
        throw std::runtime_error("no theme list");
    }

    // A library record as the scan makes it: a cursor theme named after its file.
    THEME_INFO Record(const std::wstring& path) const {
        THEME_INFO entry;
        entry.path = path;
        entry.name = path.substr(path.find_last_of(L'\\') + 1);
        entry.flags = kThemeHasCursors;
        return entry;
    }

    std::vector<std::wstring> ListedNames() const {
        std::vector<std::wstring> names;
        for (const THEME_INFO& entry : gThemeLibrary.cursorThemes) names.push_back(entry.name);
        return names;
    }

    TempFolder folder_;
    HWND window_ = nullptr;
};

TEST_F(ThemeListFill, ARecordWhoseFileWentAwayOrWasDamagedAfterTheScanIsLeftOutAndTheRestIsListed) {
    const std::wstring alpha = folder_.Write(L"Alpha.morvanta", ThemeFile(L"Alpha"));
    const std::wstring damaged = folder_.Write(L"Damaged.morvanta", std::string("MORVANTA? no, just text"));
    const std::wstring beta = folder_.Write(L"Beta.morvanta", ThemeFile(L"Beta"));
    gThemeLibrary.cursorThemes = {Record(alpha), Record(folder_.File(L"Gone.morvanta")), Record(damaged), Record(beta)};
    FillThemeList();

    // Row 0, then the two themes that could be loaded; row i still shows record i - 1.
    EXPECT_EQ(List().RowCount(), 3);
    EXPECT_EQ(ListedNames(), (std::vector<std::wstring>{L"Alpha", L"Beta"}));
    ASSERT_EQ(gThemeLibrary.cursorThemes.size(), 2u);
    EXPECT_EQ(gThemeLibrary.cursorThemes[1].path, beta);
    for (const THEME_INFO& entry : gThemeLibrary.cursorThemes) {
        EXPECT_EQ(entry.author, L"Tester");  // the record took the theme's texts
        ASSERT_NE(entry.previewObject, nullptr);
        EXPECT_EQ(entry.previewObject->Parent(), List().Rows()[&entry - &gThemeLibrary.cursorThemes[0] + 1]);
    }
    // Without a theme in use the system's pointers (row 0) are selected.
    EXPECT_EQ(SelectedThemeRow(), 0);
    EXPECT_EQ(List().SelectedIndex(), 0);
}

TEST_F(ThemeListFill, AnEmptyLibraryShowsOnlyRowZeroWithoutAScrollBar) {
    FillThemeList();
    HoverList& list = List();
    EXPECT_EQ(list.RowCount(), 1);
    EXPECT_EQ(SelectedThemeRow(), 0);
    EXPECT_TRUE(list.SelectionBar()->IsVisible());
    EXPECT_FALSE(list.HoverBar()->IsVisible());
    EXPECT_FALSE(list.Scroll().Track()->IsVisible());
    // The arrow step counts one record.
    ScrollList& scroll = list.Scroll();
    EXPECT_EQ(scroll.Step(), ThemeListArrowStep(scroll.TrackHeight(), scroll.ThumbHeight(), 1, 1.0));
    EXPECT_GT(scroll.Step(), 5);
}

TEST_F(ThemeListFill, OfTwoThemesNamedLikeTheThemeInUseTheLaterRowBecomesCurrentWithTheButtonsItAllows) {
    const std::wstring inUse = folder_.Write(L"InUse.morvanta", ThemeFile(L"Twin"));
    LoadThemeIntoUI(inUse, false, true);
    ASSERT_NE(gCurrentTheme, nullptr);
    gThemeLibrary.cursorThemes = {Record(folder_.Write(L"A.morvanta", ThemeFile(L"twin"))),
                                  Record(folder_.Write(L"B.morvanta", ThemeFile(L"Other"))),
                                  Record(folder_.Write(L"C.morvanta", ThemeFile(L"TWIN", L"https://example.org", 1)))};
    gThemeLibrary.cursorThemes[2].optionLock = 1;  // the scan copies the lock from the file
    FillThemeList();
    EXPECT_EQ(SelectedThemeRow(), 3);
    EXPECT_EQ(List().SelectedIndex(), 3);

    // The selection bar's buttons, in order details, edit, properties, web site, delete: a
    // locked theme cannot be edited or deleted; it has a web address.
    std::vector<bool> shown;
    for (HVObj* button : List().SelectionBar()->Children()) shown.push_back(button->IsVisible());
    EXPECT_EQ(shown, (std::vector<bool>{true, false, true, true, false}));

    // The window reloads the theme in use after another program changed it: the list follows.
    LoadThemeIntoUI(folder_.Write(L"Changed.morvanta", ThemeFile(L"Other")), false, true);
    EXPECT_EQ(SelectedThemeRow(), 2);
}

TEST_F(ThemeListFill, ASecondBarClickAppliesWithin500MsAndTheBarsButtonsWaitMoreThan749MsAfterTheRowClick) {
    WNDCLASSW engineClass = {};
    engineClass.lpfnWndProc = EngineProc;
    engineClass.hInstance = GetModuleHandleW(nullptr);
    engineClass.lpszClassName = kEngineWindowClass;
    RegisterClassW(&engineClass);
    HWND engine = CreateWindowExW(0, kEngineWindowClass, L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(engine, nullptr);
    BuildOptionsPanel();  // a row click resets the options
    gThemeLibrary.cursorThemes = {Record(folder_.Write(L"Alpha.morvanta", ThemeFile(L"Alpha")))};
    FillThemeList();
    SetClickClock(&FakeNow);
    WindowEvents events;
    HoverList& list = List();
    auto clickRow = [&](ULONGLONG at) {
        gFakeNow = at;
        events.OnHoverMove(list.Content(), 1, list.RowHeight() + list.RowHeight() / 2);
        events.OnCommand(list.HoverBar(), kThemeHoverBar);
    };
    auto engineHeard = [&] {
        MSG message;
        while (PeekMessageW(&message, engine, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
        return gEngineMessages;
    };

    clickRow(10000);
    ASSERT_EQ(SelectedThemeRow(), 1);
    const size_t before = engineHeard();
    gFakeNow = 10000 + 500;
    events.OnCommand(list.SelectionBar(), 42);
    EXPECT_EQ(engineHeard(), before) << "500 ms after the row click only records the time";
    gFakeNow += 499;
    events.OnCommand(list.SelectionBar(), 42);
    EXPECT_GT(engineHeard(), before) << "499 ms after the previous click applies";

    clickRow(20000);
    auto* details = static_cast<CTXObj*>(list.SelectionBar()->Children()[0]);
    gFakeNow = 20000 + 749;
    events.OnCommand(details, 6);
    EXPECT_FALSE(IsPanelShown(Panel::Details));
    gFakeNow = 20000 + 751;
    events.OnCommand(details, 6);
    EXPECT_TRUE(IsPanelShown(Panel::Details));

    SetClickClock(nullptr);
    DestroyWindow(engine);
}

// Choosing a theme on the list starts it from the default look: the appearance settings are reset
// (and written), but the hot key, which has nothing to do with the look, is the user's still.
TEST_F(ThemeListFill, ChoosingAThemeResetsTheLookButKeepsTheUsersHotKey) {
    CreateProductKeys();
    ASSERT_TRUE(WriteProductDword(0x64B, kHotKeyValue));
    BuildOptionsPanel();
    gThemeLibrary.cursorThemes = {Record(folder_.Write(L"Alpha.morvanta", ThemeFile(L"Alpha")))};
    FillThemeList();
    gSettings.size = 250;
    SetClickClock(&FakeNow);
    gFakeNow = 50000;
    WindowEvents events;
    HoverList& list = List();
    events.OnHoverMove(list.Content(), 1, list.RowHeight() + list.RowHeight() / 2);
    events.OnCommand(list.HoverBar(), kThemeHoverBar);
    SetClickClock(nullptr);
    ASSERT_EQ(ThemeRowInUse(), 1);
    int32_t size = 0, hotKey = 0;
    ReadProductDword(size, L"Size", -1);
    ReadProductDword(hotKey, kHotKeyValue, -1);
    EXPECT_EQ(gSettings.size, 100);
    EXPECT_EQ(size, 100);
    EXPECT_EQ(hotKey, 0x64B);
    ResetOptions();  // "restore defaults" puts the hot key back too
    ReadProductDword(hotKey, kHotKeyValue, -1);
    EXPECT_EQ(hotKey, kDefaultHotKey);
}

}  // namespace
