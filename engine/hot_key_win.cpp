#include "engine/hot_key_win.h"

#include "engine/engine_log_win.h"

#ifndef MOD_NOREPEAT
#define MOD_NOREPEAT 0x4000
#endif

bool HotKeyRegistration::Set(int32_t controlValue) {
    // A key that was taken is tried again at every reload: its holder may have let it go.
    if (registered_ && controlValue == value_) return true;
    Clear();
    const bool changed = controlValue != value_;
    value_ = controlValue;
    HotKeyBinding binding;
    if (!HotKeyFromControlValue(controlValue, binding)) {
        if (changed) enginelog::Line("hot key: none (stored value " + std::to_string(controlValue) + ")");
        return false;
    }
    // Held down, the key toggles once: no repeats.
    registered_ = RegisterHotKey(window_, id_, binding.modifiers | MOD_NOREPEAT, binding.virtualKey) != FALSE;
    if (!registered_ && GetLastError() == ERROR_INVALID_PARAMETER)  // a system without MOD_NOREPEAT
        registered_ = RegisterHotKey(window_, id_, binding.modifiers, binding.virtualKey) != FALSE;
    const DWORD error = registered_ ? 0 : GetLastError();
    if (registered_) {
        enginelog::Line("hot key: " + HotKeyText(binding));
        reportedTaken_ = -1;
    } else if (reportedTaken_ != controlValue) {
        reportedTaken_ = controlValue;
        enginelog::Line("hot key: " + HotKeyText(binding) + " is taken by another program (error " +
                        std::to_string(error) + "); the pointers cannot be switched with it");
    }
    return registered_;
}

void HotKeyRegistration::Clear() {
    if (registered_) UnregisterHotKey(window_, id_);
    registered_ = false;
}
