#pragma once
// HVWindowHost: what an object that adopts a window needs from the platform. Only the adopting
// object (the top of a tree) talks to its host; every other object reaches the window through its
// parents. The Windows host wraps an HWND (hv_window_host_win.h); tests use a host of their own.
#include <cstdint>

#include "graphics/hv_rect.h"

class HVObj;

class HVWindowHost {
public:
    virtual ~HVWindowHost() = default;

    // The window's client area size in pixels.
    virtual void ClientSize(int* width, int* height) = 0;
    // The object takes over the window's input and painting (the window procedure is replaced).
    virtual void Adopt(HVObj* object) = 0;
    // Gives the window its previous procedure back.
    virtual void Release() = 0;

    // Repaints the area at once through the shared off-screen bitmap (the caller marks the object
    // as painting around the call).
    virtual void PaintNow(const HVRect& area) = 0;
    // Repaints the area later, on the window's own thread.
    virtual void PaintLater(const HVRect& area) = 0;

    virtual void CaptureMouse() = 0;
    virtual void ReleaseMouse() = 0;
    // The pointer position in client coordinates, from the physical position where the platform
    // has one. False when it cannot be read.
    virtual bool CursorPosition(int* x, int* y) = 0;
    // Asks for one notification when the pointer leaves the window.
    virtual void TrackMouseLeave() = 0;
    // Shows the system pointer of the object model's pointer index (0 arrow .. 14 hand).
    virtual void ShowPointer(int index) = 0;
    // Keyboard focus for the window itself (the object model keeps its own focus object).
    virtual void FocusWindow() = 0;
};
