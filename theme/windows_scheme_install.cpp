#include "theme/windows_scheme_install.h"

#include "base/path_text.h"
#include "base/text_encoding.h"
#include "theme/theme.h"
#include "theme/theme_file.h"
#include "theme/theme_load.h"
#include "theme/windows_scheme_import.h"

namespace {

constexpr wchar_t kUnnamedScheme[] = L"Cursor scheme";

std::string Cp1252(const std::string& utf8) {
    return text::WideToCp1252(text::Utf8ToUtf16(utf8));
}

}  // namespace

std::wstring SchemeThemeFileName(const std::wstring& schemeName) {
    return pathtext::SafeFileName(schemeName, kUnnamedScheme) + kThemeFileExtension;
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
