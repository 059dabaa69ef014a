#pragma once
// The engine's hot key, registered for its window (WM_HOTKEY arrives there). A key that another
// program holds is written to the log once per stored value, never shown in a message box: the
// engine runs unseen at logon.
#include <windows.h>

#include <cstdint>

#include "engine/hot_key.h"

class HotKeyRegistration {
public:
    HotKeyRegistration(HWND window, int id) : window_(window), id_(id) {}
    ~HotKeyRegistration() { Clear(); }
    HotKeyRegistration(const HotKeyRegistration&) = delete;
    HotKeyRegistration& operator=(const HotKeyRegistration&) = delete;

    // Registers the stored value (the hot-key control's format) in place of the current one; the
    // same value again changes nothing once it is registered. True when the key is registered now.
    bool Set(int32_t controlValue);
    void Clear();
    bool Registered() const { return registered_; }

private:
    HWND window_;
    int id_;
    bool registered_ = false;
    int32_t value_ = -1;  // none yet
    int32_t reportedTaken_ = -1;
};
