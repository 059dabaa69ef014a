#include "tools/theme_tool/any_theme.h"

#include "theme/legacy_import.h"
#include "theme/theme_file.h"
#include "theme/theme_load.h"

ThemeReadResult LoadAnyTheme(CTheme& theme, const std::wstring& path) {
    if (!IsLegacyThemePath(path)) return themefile::LoadThemeFile(theme, path, false);
    ThemeReadResult result;
    theme.Reset();
    if (!ImportLegacyTheme(theme, path, false, ExtractLimits{}, &result.error)) return result;
    result.ok = true;
    for (const auto& [scale, cursors] : theme.cursors)
        for (size_t i = 0; i < cursors.size(); ++i) result.cursorOrder.emplace_back(scale, i);
    return result;
}
