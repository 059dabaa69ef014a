#include "engine/mouse_hook_win.h"

MouseHook* MouseHook::active_ = nullptr;

namespace {

uint32_t ButtonBit(WPARAM message, DWORD mouseData) {
    switch (message) {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP:
            return 1u << 0;
        case WM_RBUTTONDOWN:
        case WM_RBUTTONUP:
            return 1u << 1;
        case WM_MBUTTONDOWN:
        case WM_MBUTTONUP:
            return 1u << 2;
        case WM_XBUTTONDOWN:
        case WM_XBUTTONUP:
            return HIWORD(mouseData) == XBUTTON2 ? 1u << 4 : 1u << 3;
        default:
            return 0;
    }
}

bool IsDown(WPARAM message) {
    return message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN || message == WM_MBUTTONDOWN ||
           message == WM_XBUTTONDOWN;
}

}  // namespace

bool MouseHook::Install(HWND window) {
    if (hook_) return true;
    window_ = window;
    active_ = this;
    hook_ = SetWindowsHookExW(WH_MOUSE_LL, Proc, GetModuleHandleW(nullptr), 0);
    if (!hook_) {
        active_ = nullptr;
        return false;
    }
    // The buttons held while there was no hook.
    uint32_t held = 0;
    const int keys[] = {VK_LBUTTON, VK_RBUTTON, VK_MBUTTON, VK_XBUTTON1, VK_XBUTTON2};
    for (int i = 0; i < 5; ++i)
        if (GetAsyncKeyState(keys[i]) & 0x8000) held |= 1u << i;
    buttons_ = held;
    return true;
}

void MouseHook::Remove() {
    if (!hook_) return;
    UnhookWindowsHookEx(hook_);
    hook_ = nullptr;
    active_ = nullptr;
    buttons_ = 0;
    movePosted_ = false;
}

POINT MouseHook::TakePosition() {
    movePosted_ = false;
    return {x_.load(), y_.load()};
}

void MouseHook::Note(WPARAM message, const MSLLHOOKSTRUCT& event) {
    if (message == WM_MOUSEMOVE) {
        x_ = event.pt.x;
        y_ = event.pt.y;
        if (watchMoves_ && !movePosted_.exchange(true)) PostMessageW(window_, movedMessage_, 0, 0);
        return;
    }
    const uint32_t bit = ButtonBit(message, event.mouseData);
    if (!bit) return;
    const uint32_t before = buttons_;
    const uint32_t after = IsDown(message) ? before | bit : before & ~bit;
    if (after == before) return;
    buttons_ = after;
    PostMessageW(window_, buttonsMessage_, after, 0);
}

LRESULT CALLBACK MouseHook::Proc(int code, WPARAM message, LPARAM data) {
    // The next hook first: input is passed on whatever this one notes.
    const LRESULT result = CallNextHookEx(nullptr, code, message, data);
    if (code == HC_ACTION && active_ && data) active_->Note(message, *reinterpret_cast<const MSLLHOOKSTRUCT*>(data));
    return result;
}
