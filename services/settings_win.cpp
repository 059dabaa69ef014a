#include "services/settings_win.h"

#include "services/registry_win.h"

bool ReadDwordSetting(int32_t& out, HKEY root, const wchar_t* subKey, const wchar_t* name, int32_t defaultValue) {
    RegistryKey key;
    if (RegOpenKeyExW(root, subKey, 0, KEY_QUERY_VALUE | kRegistryView, key.Receive()) != ERROR_SUCCESS) {
        out = defaultValue;
        return false;
    }
    // The type is not checked: any value of 4 bytes or less is taken as a little-endian number.
    BYTE data[4] = {};
    DWORD size = sizeof data;
    if (RegQueryValueExW(key.Get(), name, nullptr, nullptr, data, &size) != ERROR_SUCCESS) {
        out = defaultValue;
        return false;
    }
    out = int32_t(uint32_t(data[0]) | uint32_t(data[1]) << 8 | uint32_t(data[2]) << 16 | uint32_t(data[3]) << 24);
    return true;
}

bool WriteDwordSetting(int32_t value, HKEY root, const wchar_t* subKey, const wchar_t* name) {
    int32_t stored = 0;
    if (ReadDwordSetting(stored, root, subKey, name, 0) && stored == value) return false;
    RegistryKey key;
    if (RegOpenKeyExW(root, subKey, 0, KEY_SET_VALUE | kRegistryView, key.Receive()) != ERROR_SUCCESS) return false;
    const DWORD data = DWORD(value);
    return RegSetValueExW(key.Get(), name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data), sizeof data) ==
           ERROR_SUCCESS;
}

bool WriteStringSetting(const std::wstring& text, HKEY root, const wchar_t* subKey, const wchar_t* name) {
    RegistryKey key;
    if (RegOpenKeyExW(root, subKey, 0, KEY_SET_VALUE | kRegistryView, key.Receive()) != ERROR_SUCCESS) return false;
    const DWORD bytes = DWORD((text.size() + 1) * sizeof(wchar_t));
    return RegSetValueExW(key.Get(), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()), bytes) ==
           ERROR_SUCCESS;
}

bool ReadStringSetting(wchar_t* buffer, DWORD bufferBytes, HKEY root, const wchar_t* subKey, const wchar_t* name) {
    const DWORD capacity = bufferBytes / sizeof(wchar_t);
    if (capacity == 0) return false;
    buffer[0] = L'\0';
    RegistryKey key;
    if (RegOpenKeyExW(root, subKey, 0, KEY_QUERY_VALUE | kRegistryView, key.Receive()) != ERROR_SUCCESS) return false;
    DWORD size = capacity * sizeof(wchar_t);
    if (RegQueryValueExW(key.Get(), name, nullptr, nullptr, reinterpret_cast<BYTE*>(buffer), &size) != ERROR_SUCCESS) {
        buffer[0] = L'\0';
        return false;
    }
    // The stored data need not end with a terminator; a text that fills the buffer without one
    // would be cut, which for a path means another file, so it counts as not read.
    DWORD length = size / sizeof(wchar_t);
    if (length > 0 && buffer[length - 1] == L'\0') --length;
    if (length >= capacity) {
        buffer[0] = L'\0';
        return false;
    }
    buffer[length] = L'\0';
    return true;
}

void CreateProductKeys() {
    for (const wchar_t* path : {kMakerKeyPath, kProductKeyPath}) {
        RegistryKey key;
        RegCreateKeyExW(HKEY_CURRENT_USER, path, 0, nullptr, 0, KEY_ALL_ACCESS | kRegistryView, nullptr, key.Receive(),
                        nullptr);
    }
}

void LoadSettings(SettingsBlock& block) {
    for (const DwordSetting& setting : kLoadedSettings)
        ReadProductDword(block.*setting.field, setting.name, DefaultOf(setting));
}

int SaveSettings(const SettingsBlock& block) {
    int written = 0;
    for (const DwordSetting& setting : kSavedSettings)
        if (WriteProductDword(block.*setting.field, setting.name)) ++written;
    return written;
}

void ResetSettings(SettingsBlock& block, const std::function<void(const DwordSetting&, int32_t)>& showValue,
                   HotKeyReset hotKey) {
    for (const DwordSetting& setting : kResetSettings) {
        block.*setting.field = DefaultOf(setting);
        if (showValue) showValue(setting, block.*setting.field);
    }
    if (hotKey == HotKeyReset::kReset) WriteProductDword(kDefaultHotKey, kHotKeyValue);
    SaveSettings(block);
}

std::wstring ReadCurrentTrail() {
    wchar_t buffer[kCurrentTrailChars] = {};
    ReadStringSetting(buffer, sizeof buffer, HKEY_CURRENT_USER, kProductKeyPath, kCurrentTrailValue);
    return buffer;
}
