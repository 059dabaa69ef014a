#pragma once
// Registry keys opened by their full textual path ("HKEY_LOCAL_MACHINE\Software\Classes\.x"), the
// owner of an opened key handle, the system's text for an error code, and the conversion to the
// system's ANSI code page.
#include <windows.h>

#include <string>

#include "services/registry.h"

// Every key this program opens lives in the 64-bit registry view, so that a 32-bit build on 64-bit
// Windows writes where a 64-bit reader (and the engine of either bitness) looks.
constexpr REGSAM kRegistryView = KEY_WOW64_64KEY;

// Owns one registry key handle and closes it when it ends. The predefined root keys (their handle
// value, read as a signed 32-bit number, is negative) are never closed.
class RegistryKey {
public:
    RegistryKey() = default;
    explicit RegistryKey(HKEY key) : key_(key) {}
    ~RegistryKey() { Close(); }
    RegistryKey(RegistryKey&& other) noexcept : key_(other.key_) { other.key_ = nullptr; }
    RegistryKey& operator=(RegistryKey&& other) noexcept;
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;

    HKEY Get() const { return key_; }
    explicit operator bool() const { return key_ != nullptr; }
    // Closes the current handle and hands out the slot for an API call to fill.
    HKEY* Receive();
    void Close();

private:
    HKEY key_ = nullptr;
};

// Opens, creating it when missing, the key named by the path; the root name must be one of
// HKEY_CLASSES_ROOT, HKEY_CURRENT_CONFIG, HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE and HKEY_USERS,
// spelled exactly. The 64-bit view is always used. Throws std::out_of_range for another root name
// (a programming error) and std::runtime_error, carrying "Could not open registry key <path>:
// <system text>" in code page 1252, when the registry refuses.
RegistryKey OpenRegistryKey(const std::wstring& path, REGSAM access);

// The system's text for a Win32 error code, with the line break the system ends it with; empty
// when the system has no text for the code.
std::wstring FormatSystemMessage(DWORD code);

// Wide text into the system's ANSI code page (characters it lacks become the system's default
// character).
std::string ToAnsi(const std::wstring& text);
// The same into a caller's buffer, terminator included. Returns false, leaving an empty text,
// when the result does not fit in bufferSize bytes.
bool ToAnsi(char* buffer, size_t bufferSize, const std::wstring& text);
