#pragma once
// The Windows side of adopting a window: a host that wraps an HWND, the table of adopted windows
// with their previous window procedures, and the library's window procedure that turns window
// messages into calls on the adopting object.
#include <windows.h>

#include "graphics/hv_window_host.h"

// Posted to an adopted window (wParam and lParam 0) when areas wait to be repainted on the window's
// thread. The areas stay inside the process, in a list the message's receiver empties: the
// message carries nothing, so a message any other program posts can at most cause a repaint.
constexpr UINT kHVRepaintMessage = 0x431;
// The window property holding the previous window procedure while a window is adopted.
constexpr wchar_t kHVPrevProcProperty[] = L"HV_PrevProc";

// While a batch is open, immediate repaints of adopted windows only mark their areas invalid; the
// batch's end paints every marked window once, all its areas in one paint. The updater's sweep
// runs in a batch, so a hundred objects changing frame cost one paint, not a hundred.
class PaintBatch {
public:
    PaintBatch();
    ~PaintBatch();
    PaintBatch(const PaintBatch&) = delete;
    PaintBatch& operator=(const PaintBatch&) = delete;
};

// A host for an existing window; the adopting object owns it.
HVWindowHost* CreateWindowHost(HWND window);

// The object adopting the window, or null.
HVObj* AdoptedObject(HWND window);
// The number of adopted windows (for tests).
size_t AdoptedWindowCount();
