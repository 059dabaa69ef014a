#include "theme/windows_scheme_install.h"

#include "base/path_text.h"
#include "base/text_encoding.h"
#include "theme/theme.h"
#include "theme/theme_file.h"
#include "theme/theme_load.h"
#include "theme/windows_scheme_import.h"

namespace {

constexpr wchar_t kUnnamedScheme[] = L"Cursor scheme";

bool IsReservedDeviceName(const std::wstring& name) {
    // The device names count with any extension: "con.txt" is the console too.
    std::wstring stem = name.substr(0, name.find(L'.'));
    for (wchar_t& c : stem)
        if (c >= L'a' && c <= L'z') c = wchar_t(c - L'a' + L'A');
    while (!stem.empty() && stem.back() == L' ') stem.pop_back();
    if (stem == L"CON" || stem == L"PRN" || stem == L"AUX" || stem == L"NUL") return true;
    return stem.size() == 4 && (stem.compare(0, 3, L"COM") == 0 || stem.compare(0, 3, L"LPT") == 0) &&
           stem[3] >= L'1' && stem[3] <= L'9';
}

std::string Cp1252(const std::string& utf8) {
    return text::WideToCp1252(text::Utf8ToUtf16(utf8));
}

}  // namespace

std::wstring SchemeThemeFileName(const std::wstring& schemeName) {
    std::wstring name;
    for (wchar_t c : schemeName) {
        const bool invalid = c < 0x20 || std::wstring(L"\\/:*?\"<>|").find(c) != std::wstring::npos;
        name += invalid ? L'_' : c;
    }
    while (!name.empty() && (name.back() == L'.' || name.back() == L' ')) name.pop_back();
    if (name.empty()) name = kUnnamedScheme;
    if (IsReservedDeviceName(name)) name += L'_';
    return name + kThemeFileExtension;
}

bool InstallWindowsScheme(const std::wstring& infPath, const std::wstring& themesFolder, std::wstring& destination,
                          std::string& reason) {
    CTheme theme;
    WindowsSchemeReport report;
    if (!TryImportWindowsScheme(infPath, theme, report, reason)) {
        reason = Cp1252(reason);
        return false;
    }
    destination = JoinPath(themesFolder, SchemeThemeFileName(theme.name.value_or(L"")));
    if (!pathtext::FitsMaxPath(destination)) {
        reason = "The file name is too long for the Themes folder.";
        return false;
    }
    if (!themefile::SaveThemeFile(theme, destination, &reason)) {
        reason = Cp1252(reason);
        return false;
    }
    return true;
}
