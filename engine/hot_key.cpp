#include "engine/hot_key.h"

#include <cstdio>

namespace {

// The hot-key control's modifier flags (HOTKEYF_*) and RegisterHotKey's (MOD_*): the same three
// keys in another order. The control's "extended key" flag has no modifier of its own.
constexpr uint32_t kControlShift = 0x01, kControlCtrl = 0x02, kControlAlt = 0x04;
constexpr uint32_t kModAlt = 0x01, kModControl = 0x02, kModShift = 0x04;

}  // namespace

bool HotKeyFromControlValue(int32_t value, HotKeyBinding& out) {
    out = HotKeyBinding();
    if (value <= 0 || value > 0xFFFF) return false;
    const uint32_t key = uint32_t(value) & 0xFF;
    const uint32_t flags = uint32_t(value) >> 8;
    if (key == 0) return false;
    out.virtualKey = key;
    if (flags & kControlShift) out.modifiers |= kModShift;
    if (flags & kControlCtrl) out.modifiers |= kModControl;
    if (flags & kControlAlt) out.modifiers |= kModAlt;
    return true;
}

std::string HotKeyText(const HotKeyBinding& binding) {
    std::string text;
    if (binding.modifiers & kModControl) text += "Ctrl+";
    if (binding.modifiers & kModShift) text += "Shift+";
    if (binding.modifiers & kModAlt) text += "Alt+";
    const uint32_t key = binding.virtualKey;
    char name[16];
    if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z')) {
        std::snprintf(name, sizeof name, "%c", char(key));
    } else if (key >= 0x70 && key <= 0x87) {  // VK_F1 to VK_F24
        std::snprintf(name, sizeof name, "F%u", key - 0x70 + 1);
    } else {
        std::snprintf(name, sizeof name, "0x%02X", key);
    }
    return text + name;
}
