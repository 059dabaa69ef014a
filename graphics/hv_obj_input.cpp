// HVObj: mouse dispatch from the adopted window to the objects (hover with leave tracking,
// capture, the drag threshold, the double click), focus and keys, and the default event handlers.
#include <cstdlib>

#include "graphics/hv_obj.h"
#include "graphics/hv_window_host.h"
#include "graphics/tick.h"

namespace {

// The pointer position in client coordinates: the platform's (physical) position when it can be
// read, else the coordinates of the message.
void PointerPosition(HVWindowHost* host, int x, int y, int* outX, int* outY) {
    if (!host || !host->CursorPosition(outX, outY)) {
        *outX = x;
        *outY = y;
    }
}

}  // namespace

// --- dispatchers (the window's own object) ---

void HVObj::MouseMove(int x, int y) {
    if (!tracking_ && host_) {
        host_->TrackMouseLeave();
        tracking_ = 1;
    }
    HVObj* hover = gHVObjects.hover;
    if (gHVObjects.buttonState != 0) {
        if (!hover || !IsLive(hover) || gHVObjects.focusLost) return;
        int px, py;
        PointerPosition(host_, x, y, &px, &py);
        hover->ClientToLocal(&px, &py);
        const int dx = px - gHVObjects.pressX;
        const int dy = py - gHVObjects.pressY;
        if (!dragStarted_ && std::abs(dx) < kDragThreshold && std::abs(dy) < kDragThreshold) return;
        dragStarted_ = 1;
        hover->pressed_ = 1;
        hover->OnMouseMove(px, py);
        if (IsLive(hover) && gHVObjects.hover == hover) hover->OnDrag(px, py, dx, dy);
        return;
    }
    HVObj* hit = HitObject(x, y);
    if (hit == this) hit = nullptr;
    int lx = x, ly = y;
    if (hit) hit->ClientToLocal(&lx, &ly);
    if (hit == hover) {
        if (hit) hit->OnMouseMove(lx, ly);
        return;
    }
    if (hover && IsLive(hover)) hover->OnMouseLeave(hit);
    gHVObjects.hover = hit;
    if (hit && IsLive(hit)) hit->OnMouseMove(lx, ly);
}

void HVObj::MouseDown(int x, int y, bool right) {
    if (host_) host_->CaptureMouse();
    gHVObjects.buttonState = right ? 2 : 1;
    dragStarted_ = 0;
    gHVObjects.focusLost = false;
    HVObj* hover = gHVObjects.hover;
    if (!hover || !IsLive(hover)) return;
    int px, py;
    PointerPosition(host_, x, y, &px, &py);
    hover->ClientToLocal(&px, &py);
    gHVObjects.pressX = px;
    gHVObjects.pressY = py;
    if (right)
        hover->OnRButtonDown(px, py);
    else
        hover->OnLButtonDown(px, py);
}

void HVObj::MouseUp(int x, int y, bool right) {
    // The press has ended before the capture goes: giving it back is no cancelled press.
    gHVObjects.buttonState = 0;
    if (host_) host_->ReleaseMouse();
    HVObj* hover = gHVObjects.hover;
    if (hover && IsLive(hover)) {
        int lx = x, ly = y;
        hover->ClientToLocal(&lx, &ly);
        const bool dragged = hover->pressed_ != 0;
        if (right)
            hover->OnRButtonUp(lx, ly, dragged);
        else
            hover->OnLButtonUp(lx, ly, dragged);
        if (IsLive(hover) && hover->pressed_) {
            hover->pressed_ = 0;
            hover->OnDragEnd();
        }
    }
    dragStarted_ = 0;
    // The pointer may have been released over another object (after a drag, or a list rebuilt
    // under it): hover follows at once instead of at the next move.
    MouseMove(x, y);
}

void HVObj::CancelPress() {
    if (gHVObjects.buttonState == 0) return;
    gHVObjects.buttonState = 0;
    dragStarted_ = 0;
    if (HVObj* hover = gHVObjects.hover; hover && IsLive(hover)) hover->OnPressCancelled();
}

void HVObj::MouseLeave() {
    tracking_ = 0;
    // While a button is held the pressed object keeps the pointer, as the capture does: its
    // release comes to it wherever the pointer is by then, or the press is cancelled.
    if (gHVObjects.buttonState != 0) return;
    HVObj* hover = gHVObjects.hover;
    if (hover && IsLive(hover) && !hover->pressed_) {
        gHVObjects.hover = nullptr;
        hover->OnMouseLeave(nullptr);
    }
}

// --- default handlers ---

bool HVObj::OnLButtonDown(int x, int y) {
    if (kind_ == HVK_ROOT) return false;
    SetFocus();
    const uint32_t now = hvtick::Now();
    if (gHVObjects.lastClicked == this && hvtick::Elapsed(now, gHVObjects.lastClickTick) < kDoubleClickMs) {
        gHVObjects.lastClicked = nullptr;
        OnDoubleClick(x, y);
    } else {
        gHVObjects.lastClicked = this;
        gHVObjects.lastClickTick = now;
    }
    return true;
}

bool HVObj::OnLButtonUp(int, int, bool) {
    return false;
}

bool HVObj::OnDoubleClick(int, int) {
    return false;
}

bool HVObj::OnPressCancelled() {
    if (pressed_) {
        pressed_ = 0;
        OnDragEnd();
    }
    return true;
}

bool HVObj::OnRButtonDown(int, int) {
    return false;
}

bool HVObj::OnRButtonUp(int, int, bool) {
    return false;
}

bool HVObj::OnMouseMove(int, int) {
    if (!hover_) {
        hover_ = 1;
        OnMouseEnter();
    }
    return true;
}

bool HVObj::OnMouseEnter() {
    return false;
}

bool HVObj::OnMouseLeave(HVObj*) {
    hover_ = 0;
    return true;
}

bool HVObj::OnKeyDown(unsigned, uint32_t) {
    return false;
}

bool HVObj::OnKeyUp(unsigned, uint32_t) {
    return false;
}

bool HVObj::OnChar(unsigned, uint32_t) {
    return false;
}

bool HVObj::OnMouseWheel(int) {
    return false;
}

void HVObj::SetFocus() {
    HVObj* previous = gHVObjects.focus;
    if (previous == this) return;
    if (previous && IsLive(previous)) previous->KillFocus();
    gHVObjects.focus = this;
}

void HVObj::KillFocus() {
    if (gHVObjects.focus == this) gHVObjects.focus = nullptr;
}
