#pragma once
// The engine's hot key: the stored "HotKey" value, in the hot-key control's format (virtual key in
// the low byte, the control's modifier flags in the next), as RegisterHotKey takes it.
#include <cstdint>
#include <string>

struct HotKeyBinding {
    uint32_t modifiers = 0;  // MOD_ALT 1, MOD_CONTROL 2, MOD_SHIFT 4
    uint32_t virtualKey = 0;
    bool operator==(const HotKeyBinding& other) const {
        return modifiers == other.modifiers && virtualKey == other.virtualKey;
    }
    bool operator!=(const HotKeyBinding& other) const { return !(*this == other); }
};

// False for a value with no key (the control's "None") or with bits beyond the two bytes, which
// no control writes.
bool HotKeyFromControlValue(int32_t value, HotKeyBinding& out);

// "Ctrl+Shift+C", "Alt+F5", "Ctrl+0x6B": for the engine's log.
std::string HotKeyText(const HotKeyBinding& binding);
