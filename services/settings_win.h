#pragma once
// Reading and writing the settings key. Every routine opens the key, does its work and closes it
// again; the write routines never create the key (CreateProductKeys does, once at start-up).
// Failures are silent: reads yield the default, writes do nothing.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>

#include "services/settings.h"

// Reads a value of up to 4 bytes whatever its type, as the little-endian integer of its bytes
// (shorter data is zero-extended). On any failure (missing key or value, longer data) stores
// defaultValue in out and returns false.
bool ReadDwordSetting(int32_t& out, HKEY root, const wchar_t* subKey, const wchar_t* name, int32_t defaultValue);

// Writes value as REG_DWORD unless the stored value already reads as the same number. Returns
// true only when it wrote.
bool WriteDwordSetting(int32_t value, HKEY root, const wchar_t* subKey, const wchar_t* name);

// Writes text as REG_SZ, terminator included. Returns true when it wrote.
bool WriteStringSetting(const std::wstring& text, HKEY root, const wchar_t* subKey, const wchar_t* name);

// Reads a string value into buffer (bufferBytes bytes). Returns false, leaving the buffer an empty
// text, when the value is missing or it and its terminator do not fit.
bool ReadStringSetting(wchar_t* buffer, DWORD bufferBytes, HKEY root, const wchar_t* subKey, const wchar_t* name);

// Creates HKEY_CURRENT_USER "SOFTWARE\Halberon" and "SOFTWARE\Halberon\Morvanta" when missing.
void CreateProductKeys();

// Reads every setting of kLoadedSettings from the product key, each falling back to its default.
void LoadSettings(SettingsBlock& block = gSettings);

// Writes every setting of kSavedSettings whose stored value differs; returns how many it wrote.
int SaveSettings(const SettingsBlock& block = gSettings);

// Whether a reset of the appearance settings also puts the hot key back ("restore defaults" does;
// choosing a theme, which starts from the default look, keeps the user's hot key).
enum class HotKeyReset { kReset, kKeep };

// Puts the settings of kResetSettings back to their defaults, calling showValue after each one
// (the options panel moves its slider or check box and refreshes the preview), writes "HotKey"
// 835 unless asked to keep it, then saves.
void ResetSettings(SettingsBlock& block = gSettings,
                   const std::function<void(const DwordSetting&, int32_t)>& showValue = nullptr,
                   HotKeyReset hotKey = HotKeyReset::kReset);

// "CurrentTrail": empty, "ghost", or the full path of the chosen trail file.
std::wstring ReadCurrentTrail();

// The product key's value of the given name (HKEY_CURRENT_USER).
inline bool ReadProductDword(int32_t& out, const wchar_t* name, int32_t defaultValue) {
    return ReadDwordSetting(out, HKEY_CURRENT_USER, kProductKeyPath, name, defaultValue);
}
inline bool WriteProductDword(int32_t value, const wchar_t* name) {
    return WriteDwordSetting(value, HKEY_CURRENT_USER, kProductKeyPath, name);
}
