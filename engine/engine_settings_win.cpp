#include "engine/engine_settings_win.h"

#include <windows.h>

#include "services/registry_win.h"

namespace {

// As the settings store reads a value: up to 4 bytes of any type, as a little-endian number; the
// default when the value is missing or longer.
int32_t ReadValue(HKEY key, const wchar_t* name, int32_t defaultValue) {
    BYTE data[4] = {};
    DWORD size = sizeof data;
    if (!key || RegQueryValueExW(key, name, nullptr, nullptr, data, &size) != ERROR_SUCCESS) return defaultValue;
    return int32_t(uint32_t(data[0]) | uint32_t(data[1]) << 8 | uint32_t(data[2]) << 16 | uint32_t(data[3]) << 24);
}

}  // namespace

EngineSettings ReadEngineSettings() {
    // One open of the key for all of them: each reload reads them all.
    RegistryKey key;
    RegOpenKeyExW(HKEY_CURRENT_USER, kProductKeyPath, 0, KEY_QUERY_VALUE | kRegistryView, key.Receive());
    EngineSettings settings;
    for (const DwordSetting& setting : kLoadedSettings)
        settings.block.*setting.field = ReadValue(key.Get(), setting.name, DefaultOf(setting));
    settings.hotKey = ReadValue(key.Get(), kHotKeyValue, kDefaultHotKey);
    return settings;
}
