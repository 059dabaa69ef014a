// The object model in a real window: adopting it and giving it back, painting through the shared
// off-screen bitmap, drawing a tree with opacity, and the scroll list's thumb arithmetic.
#include <windows.h>

#include <gtest/gtest.h>

#include <thread>

#include "graphics/halvix_win.h"
#include "graphics/hv_bitmap.h"
#include "graphics/hv_bitmap_state.h"
#include "graphics/hv_obj.h"
#include "graphics/hv_window_host_win.h"
#include "graphics/paint_buffer_win.h"
#include "ui/controls/control_factory_win.h"
#include "ui/controls/ctx_obj_win.h"
#include "ui/controls/scroll_list_win.h"

namespace {

LRESULT CALLBACK PlainProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(window, message, wParam, lParam);
}

HWND MakeWindow(int width, int height) {
    static const wchar_t* kClass = [] {
        WNDCLASSW windowClass = {};
        windowClass.lpfnWndProc = PlainProc;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = L"HalvixWindowTest";
        RegisterClassW(&windowClass);
        return L"HalvixWindowTest";
    }();
    RECT rect = {0, 0, width, height};
    AdjustWindowRectEx(&rect, WS_POPUP, FALSE, 0);
    return CreateWindowExW(0, kClass, L"test", WS_POPUP, 0, 0, rect.right - rect.left, rect.bottom - rect.top, nullptr,
                           nullptr, GetModuleHandleW(nullptr), nullptr);
}

// A solid, opaque state of one colour (0x00RRGGBB) and size.
HVBitmapState* Solid(const wchar_t* name, int width, int height, uint32_t rgb, int opacity = 255) {
    auto* bitmap = new HVBitmap(width, height, HVB_ALPHA);
    auto* pixels = reinterpret_cast<uint32_t*>(bitmap->Bits());
    for (int i = 0; i < width * height; ++i) pixels[i] = 0xFF000000 | rgb;
    auto* state = new HVBitmapState(name, bitmap);
    state->SetOpacity(opacity);
    return state;
}

HVObj* Child(HVObj* parent, HVState* state, int x, int y) {
    auto* object = new HVObj(HVK_CHILD);
    object->AddState(state);
    object->SetParent(parent);
    object->Create();
    object->Move(x, y);
    object->Show();
    return object;
}

class AdoptedWindow : public ::testing::Test {
protected:
    void SetUp() override {
        HalvixStart(GetModuleHandleW(nullptr), L"WindowTest", HALVIX_NO_LOCK | HALVIX_NO_TIMER);
        window = MakeWindow(400, 300);
        ASSERT_TRUE(window);
        root = new CTXObj(HVK_WRAPPED, CreateWindowHost(window));
        root->Create();
        ShowWindow(window, SW_SHOWNOACTIVATE);
        root->Show();
    }
    void TearDown() override {
        delete root;
        DestroyWindow(window);
        paintbuffer::Release();
    }

    HWND window = nullptr;
    HVObj* root = nullptr;
};

TEST_F(AdoptedWindow, TheWindowProcedureIsReplacedAndGivenBack) {
    EXPECT_EQ(AdoptedObject(window), root);
    EXPECT_NE(GetPropW(window, kHVPrevProcProperty), nullptr);
    EXPECT_NE(GetWindowLongPtrW(window, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(&PlainProc));
    const size_t adopted = AdoptedWindowCount();
    root->DestroyWindow();
    EXPECT_EQ(AdoptedWindowCount(), adopted - 1);
    EXPECT_EQ(GetPropW(window, kHVPrevProcProperty), nullptr);
    EXPECT_EQ(GetWindowLongPtrW(window, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(&PlainProc));
    EXPECT_FALSE(root->IsInitialised());
}

TEST_F(AdoptedWindow, TheSharedPaintBitmapGrowsToATenthMoreThanARepaintNeeds) {
    UpdateWindow(window);  // the first paint of the whole window, out of the way
    paintbuffer::Release();
    root->Invalidate(0, 0, 200, 100, HVI_NOW);
    SIZE size = paintbuffer::Size();
    EXPECT_EQ(size.cx, 220);
    EXPECT_EQ(size.cy, 110);
    root->Invalidate(50, 50, 300, 200, HVI_NOW);
    size = paintbuffer::Size();
    EXPECT_EQ(size.cx, 330);
    EXPECT_EQ(size.cy, 220);
    root->Invalidate(0, 0, 100, 50, HVI_NOW);  // fits: kept
    EXPECT_EQ(paintbuffer::Size().cx, 330);
}

void PumpMessages(HWND window) {
    MSG message;
    while (PeekMessageW(&message, window, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
}

// A repaint asked for later, from any thread, is queued inside the process and done by the
// window's thread; the message that wakes the window carries nothing, so the same message posted
// by anyone else, with numbers that are no pointer of the library, is never read as one.
TEST_F(AdoptedWindow, ARepaintForLaterIsQueuedInsideTheProcessAndTheMessagesParametersAreNeverRead) {
    UpdateWindow(window);
    paintbuffer::Release();
    RECT onTheStack = {0, 0, 300, 200};
    PostMessageW(window, kHVRepaintMessage, 1, 0);
    PostMessageW(window, kHVRepaintMessage, reinterpret_cast<WPARAM>(&onTheStack), 0);
    PumpMessages(window);
    EXPECT_EQ(paintbuffer::Size().cx, 0) << "a repaint message with nothing queued painted";

    std::thread([this] { root->Invalidate(0, 0, 120, 40, HVI_LATER); }).join();
    std::thread([this] { root->Invalidate(100, 0, 100, 40, HVI_LATER); }).join();
    PumpMessages(window);
    // Both areas in one paint: the buffer covers their union and a tenth more.
    EXPECT_EQ(paintbuffer::Size().cx, 220);
    EXPECT_EQ(paintbuffer::Size().cy, 44);
}

TEST_F(AdoptedWindow, ATreeIsDrawnInOrderClippedToItsParentsAndFadedWithThem) {
    HVObj* panel = Child(root, Solid(L"Default", 100, 60, 0x0000FF), 10, 10);
    Child(panel, Solid(L"Default", 20, 20, 0xFF0000), 5, 5);
    Child(panel, Solid(L"Default", 50, 50, 0x00FF00), 80, 40);  // mostly outside the panel

    auto* target = new HVBitmap(200, 100, HVB_ALPHA);
    target->AddRef();
    auto pixel = [&](int x, int y) {
        return reinterpret_cast<const uint32_t*>(target->Bits())[(target->Height() - 1 - y) * target->Width() + x] &
               0x00FFFFFF;
    };
    root->RenderFull(target->GetDC(), 0, 0, 0, 0, 200, 100);
    GdiFlush();
    EXPECT_EQ(pixel(12, 12), 0x0000FFu);   // panel
    EXPECT_EQ(pixel(16, 16), 0xFF0000u);   // first child on the panel
    EXPECT_EQ(pixel(95, 55), 0x00FF00u);   // second child, inside the panel
    EXPECT_EQ(pixel(115, 55), 0x000000u);  // second child, past the panel's edge: clipped
    EXPECT_EQ(pixel(5, 5), 0x000000u);     // the window's own blank

    // At half opacity the panel fades its children with it.
    auto* faded = Solid(L"Faded", 100, 60, 0x0000FF, 128);
    panel->AddState(faded);
    panel->ChangeState(L"Faded");
    root->RenderFull(target->GetDC(), 0, 0, 0, 0, 200, 100);
    GdiFlush();
    const uint32_t child = pixel(16, 16);
    EXPECT_NEAR(static_cast<int>(child >> 16), 128, 2);
    target->Release();
}

TEST_F(AdoptedWindow, TheScrollThumbMovesTheContentInProportion) {
    ScrollListSetup setup;
    setup.thumbId = 9;
    setup.upId = 38;
    setup.downId = 39;
    setup.contentId = 4;
    setup.step = 10;
    setup.upTimer = 501;
    setup.downTimer = 502;
    ScrollList list(root, 0, 0, 219, 202, setup);  // viewport 200 x 202: 200 rows of content show
    ASSERT_EQ(list.ContentWidth(), 198);
    list.SetContentHeight(1000);
    EXPECT_TRUE(list.Track()->IsVisible());
    const int lower = list.ThumbLowerBound(), upper = list.ThumbUpperBound();
    EXPECT_EQ(lower, 17);
    EXPECT_EQ(upper, 202 - 17 - 48);
    EXPECT_EQ(list.ContentOffset(), 0);
    list.DragThumb(1000);  // clamped at the bottom
    EXPECT_EQ(list.ThumbY(), upper);
    EXPECT_EQ(list.ContentOffset(), 800);
    list.DragThumb(-(upper - lower) / 2 - 1);
    const int y = list.ThumbY();
    EXPECT_EQ(list.ContentOffset(), 800 * (y - lower) / (upper - lower));
    list.DragThumb(-1000);
    EXPECT_EQ(list.ContentOffset(), 0);

    // An arrow press moves by one step at once; the repeat waits for 300 ms.
    list.PressArrow(39);
    EXPECT_EQ(list.ThumbY(), lower + 10);
    EXPECT_TRUE(list.OnTimer(502));
    EXPECT_EQ(list.ThumbY(), lower + 10);
    Sleep(320);
    EXPECT_TRUE(list.OnTimer(502));
    EXPECT_EQ(list.ThumbY(), lower + 20);
    EXPECT_FALSE(list.OnTimer(999));
    list.ReleaseArrow(39);

    // Short content: no bar, nothing scrolls.
    list.SetContentHeight(150);
    EXPECT_FALSE(list.Track()->IsVisible());
    list.DragThumb(50);
    EXPECT_EQ(list.ContentOffset(), 0);
}

}  // namespace
