#pragma once
// The portable half of registry access: splitting a textual key path and the 8-bit text
// conversions that registry and installation error texts go through.
#include <string>

// "ROOT\sub\key" split at its first "\": the root name, and the sub-key (empty when the path is
// only a root name).
struct RegistryPath {
    std::wstring rootName;
    std::wstring subKey;
};
RegistryPath SplitRegistryPath(const std::wstring& path);

// 8-bit text in code page 1252 to UTF-16, over the whole length of the text.
std::wstring ToWide(const std::string& text);

// UTF-16 to code page 1252 over the whole length; characters outside the code page become "?".
std::string ToNarrow(const std::wstring& text);

// The message of a failed key open: "Could not open registry key " + path + ": " + reason, as
// 8-bit text (code page 1252) ready for a runtime error.
std::string RegistryOpenErrorText(const std::wstring& path, const std::wstring& systemText);
