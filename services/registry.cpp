#include "services/registry.h"

#include "base/text_encoding.h"

RegistryPath SplitRegistryPath(const std::wstring& path) {
    const size_t slash = path.find(L'\\');
    if (slash == std::wstring::npos) return {path, std::wstring()};
    return {path.substr(0, slash), path.substr(slash + 1)};
}

std::wstring ToWide(const std::string& text) {
    return text::Cp1252ToWide(text);
}

std::string ToNarrow(const std::wstring& text) {
    return text::WideToCp1252(text);
}

std::string RegistryOpenErrorText(const std::wstring& path, const std::wstring& systemText) {
    return ToNarrow(L"Could not open registry key " + path + L": " + systemText);
}
