#include "graphics/hv_window_host_win.h"

#include <windowsx.h>

#include <algorithm>
#include <mutex>
#include <vector>

#include "graphics/halvix_win.h"
#include "graphics/hv_obj.h"

namespace {

struct WrappedWindow {
    HWND window;
    HVObj* object;
    WNDPROC previous;
};

std::vector<WrappedWindow>& WrappedWindows() {
    static std::vector<WrappedWindow> table;
    return table;
}

WrappedWindow* FindWrapped(HWND window) {
    for (WrappedWindow& entry : WrappedWindows())
        if (entry.window == window) return &entry;
    return nullptr;
}

int gBatchDepth = 0;
std::vector<HWND>& BatchedWindows() {
    static std::vector<HWND> windows;
    return windows;
}

// Areas asked to be repainted later, by window, until the window's thread takes them. Any thread
// may add to it.
struct LaterArea {
    HWND window;
    RECT area;
};
std::mutex gLaterLock;
std::vector<LaterArea>& LaterAreas() {
    static std::vector<LaterArea> areas;
    return areas;
}

// Queues an area; the first area of a window posts the message that has its thread take them. A
// window whose thread does not answer for a while gets its areas joined into one rather than a
// list that grows without end.
void QueueLaterArea(HWND window, const RECT& area) {
    constexpr size_t kMostAreas = 64;
    bool first = true;
    {
        std::lock_guard<std::mutex> guard(gLaterLock);
        auto& areas = LaterAreas();
        size_t count = 0;
        LaterArea* last = nullptr;
        for (LaterArea& waiting : areas) {
            if (waiting.window != window) continue;
            ++count;
            last = &waiting;
        }
        first = count == 0;
        if (last && count >= kMostAreas)
            UnionRect(&last->area, &last->area, &area);
        else
            areas.push_back({window, area});
    }
    if (first && !PostMessageW(window, kHVRepaintMessage, 0, 0)) {
        std::lock_guard<std::mutex> guard(gLaterLock);
        auto& areas = LaterAreas();
        areas.erase(std::remove_if(areas.begin(), areas.end(), [&](const LaterArea& a) { return a.window == window; }),
                    areas.end());
    }
}

// The window's queued areas, taken out of the queue.
std::vector<RECT> TakeLaterAreas(HWND window) {
    std::vector<RECT> taken;
    std::lock_guard<std::mutex> guard(gLaterLock);
    auto& areas = LaterAreas();
    for (const LaterArea& waiting : areas)
        if (waiting.window == window) taken.push_back(waiting.area);
    areas.erase(std::remove_if(areas.begin(), areas.end(), [&](const LaterArea& a) { return a.window == window; }),
                areas.end());
    return taken;
}

void OnKillFocus() {
    if (HVObj* focus = gHVObjects.focus; focus && HVObj::IsLive(focus)) focus->KillFocus();
    gHVObjects.focusLost = true;
    HVObj* hover = gHVObjects.hover;
    if (hover && HVObj::IsLive(hover) && hover->Pressed()) {
        hover->SetPressed(false);
        hover->OnDragEnd();
    }
}

LRESULT CALLBACK WrappedWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    WrappedWindow* entry = FindWrapped(window);
    if (!entry) return 0;
    HVObj* object = entry->object;
    const WNDPROC previous = entry->previous;
    const int x = GET_X_LPARAM(lParam);
    const int y = GET_Y_LPARAM(lParam);
    switch (message) {
        case WM_KILLFOCUS:
            OnKillFocus();
            break;
        case WM_PAINT:
            object->Paint(window);
            return 0;
        case WM_SETCURSOR:
            if (LOWORD(lParam) != HTCLIENT) break;
            {
                // Over an object its own pointer; over empty space the arrow, so that a hand
                // left behind by a link does not stay.
                HVObj* hover = gHVObjects.hover;
                const int index = hover && HVObj::IsLive(hover) ? hover->Pointer() : HVC_ARROW;
                const int id = kHVSystemPointers[index >= 0 && index < kHVPointerCount ? index : HVC_ARROW];
                SetCursor(LoadCursorW(nullptr, MAKEINTRESOURCEW(id)));
            }
            return 1;
        case WM_ERASEBKGND:
            return 1;
        case WM_GETDLGCODE:
            // The objects take every key themselves (a dialog would turn Tab, the arrows, Enter and
            // Esc into its own navigation).
            return DLGC_WANTALLKEYS | DLGC_WANTARROWS | DLGC_WANTTAB | DLGC_WANTCHARS;
        case WM_KEYDOWN:
        case WM_KEYUP:
        case WM_CHAR:
            // To the focus object; without one, to the window's own object.
            if (HVObj* focus = gHVObjects.focus && HVObj::IsLive(gHVObjects.focus) ? gHVObjects.focus : object) {
                if (message == WM_KEYDOWN)
                    focus->OnKeyDown(static_cast<unsigned>(wParam), static_cast<uint32_t>(lParam));
                else if (message == WM_KEYUP)
                    focus->OnKeyUp(static_cast<unsigned>(wParam), static_cast<uint32_t>(lParam));
                else
                    focus->OnChar(static_cast<unsigned>(wParam), static_cast<uint32_t>(lParam));
            }
            return 0;
        case WM_MOUSEMOVE:
            object->MouseMove(x, y);
            break;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:  // a window class with double clicks turns a quick second press into this
            object->MouseMove(x, y);
            object->MouseDown(x, y, false);
            break;
        case WM_LBUTTONUP:
            object->MouseUp(x, y, false);
            break;
        case WM_RBUTTONDOWN:
        case WM_RBUTTONDBLCLK:
            object->MouseDown(x, y, true);
            break;
        case WM_RBUTTONUP:
            object->MouseUp(x, y, true);
            break;
        case WM_MOUSEWHEEL:
            object->OnMouseWheel(GET_WHEEL_DELTA_WPARAM(wParam));
            return 1;
        case WM_MOUSELEAVE:
            object->MouseLeave();
            break;
        case WM_CANCELMODE:
            // Sent when the system takes the mouse away (a modal window appears): the default
            // handling below then gives the capture back.
            object->CancelPress();
            break;
        case WM_CAPTURECHANGED:
            // Another window took the capture while a button was held; the release will not come.
            if (reinterpret_cast<HWND>(lParam) != window) object->CancelPress();
            break;
        case kHVRepaintMessage: {
            // The parameters are never read: whoever posted the message, only queued areas paint.
            const std::vector<RECT> areas = TakeLaterAreas(window);
            if (areas.empty()) return 0;
            object->SetPainting(true);
            for (const RECT& area : areas) InvalidateRect(window, &area, FALSE);
            UpdateWindow(window);
            object->SetPainting(false);
            return 0;
        }
        case WM_NCDESTROY: {
            // The window goes away under the object: give back the procedure first.
            const LRESULT result = CallWindowProcW(previous, window, message, wParam, lParam);
            if (HVObj::IsLive(object)) object->DestroyWindow();
            return result;
        }
    }
    return CallWindowProcW(previous, window, message, wParam, lParam);
}

class Win32WindowHost : public HVWindowHost {
public:
    explicit Win32WindowHost(HWND window) : window_(window) {}
    ~Win32WindowHost() override { Release(); }

    void ClientSize(int* width, int* height) override {
        RECT client = {};
        GetClientRect(window_, &client);
        *width = client.right - client.left;
        *height = client.bottom - client.top;
    }

    void Adopt(HVObj* object) override {
        if (FindWrapped(window_)) return;
        const auto previous = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrW(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&WrappedWindowProc)));
        SetPropW(window_, kHVPrevProcProperty, reinterpret_cast<HANDLE>(previous));
        WrappedWindows().push_back(WrappedWindow{window_, object, previous});
    }

    void Release() override {
        auto& table = WrappedWindows();
        auto found = std::find_if(table.begin(), table.end(),
                                  [&](const WrappedWindow& entry) { return entry.window == window_; });
        if (found == table.end()) return;
        TakeLaterAreas(window_);  // a later window with the same handle must not paint them
        if (IsWindow(window_)) {
            SetWindowLongPtrW(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(found->previous));
            RemovePropW(window_, kHVPrevProcProperty);
        }
        table.erase(found);
    }

    void PaintNow(const HVRect& area) override {
        const RECT rect = {area.left, area.top, area.right, area.bottom};
        InvalidateRect(window_, &rect, FALSE);
        if (gBatchDepth > 0) {
            auto& windows = BatchedWindows();
            if (std::find(windows.begin(), windows.end(), window_) == windows.end()) windows.push_back(window_);
            return;
        }
        UpdateWindow(window_);
    }

    void PaintLater(const HVRect& area) override {
        QueueLaterArea(window_, {area.left, area.top, area.right, area.bottom});
    }

    void CaptureMouse() override { SetCapture(window_); }
    void ReleaseMouse() override {
        if (GetCapture() == window_) ReleaseCapture();
    }

    bool CursorPosition(int* x, int* y) override {
        POINT point = {};
        if (!HalvixGetCursorPos(&point) || !ScreenToClient(window_, &point)) return false;
        *x = point.x;
        *y = point.y;
        return true;
    }

    void TrackMouseLeave() override {
        TRACKMOUSEEVENT track = {sizeof track, TME_LEAVE, window_, HOVER_DEFAULT};
        TrackMouseEvent(&track);
    }

    void ShowPointer(int index) override {
        if (index < 0 || index >= kHVPointerCount) index = HVC_ARROW;
        SetCursor(LoadCursorW(nullptr, MAKEINTRESOURCEW(kHVSystemPointers[index])));
    }

    void FocusWindow() override { ::SetFocus(window_); }

private:
    HWND window_;
};

}  // namespace

PaintBatch::PaintBatch() {
    ++gBatchDepth;
}

PaintBatch::~PaintBatch() {
    if (--gBatchDepth > 0) return;
    std::vector<HWND> windows;
    windows.swap(BatchedWindows());
    for (HWND window : windows) {
        if (!IsWindow(window)) continue;
        if (HVObj* object = AdoptedObject(window)) {
            object->SetPainting(true);
            UpdateWindow(window);
            object->SetPainting(false);
        }
    }
}

HVWindowHost* CreateWindowHost(HWND window) {
    return new Win32WindowHost(window);
}

HVObj* AdoptedObject(HWND window) {
    WrappedWindow* entry = FindWrapped(window);
    return entry ? entry->object : nullptr;
}

size_t AdoptedWindowCount() {
    return WrappedWindows().size();
}
