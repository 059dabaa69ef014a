// morvanta-theme import-windows: a Windows cursor scheme (.inf, folder or .zip) to a theme file.
#include "base/path_text.h"
#include "base/text_encoding.h"
#include "theme/theme.h"
#include "theme/theme_file.h"
#include "theme/windows_scheme_import.h"
#include "tools/theme_tool/theme_tool.h"

int RunImportWindows(const std::string& source, const std::string& out, const std::string* name, std::ostream& report,
                     std::ostream& err) {
    CTheme theme;
    WindowsSchemeReport result;
    std::string reason;
    if (!TryImportWindowsScheme(text::Utf8ToUtf16(source), theme, result, reason)) {
        err << source << ": " << reason << "\n";
        return 1;
    }
    if (name) theme.name = text::Utf8ToUtf16(*name);
    // A theme without a name shows its file name; storing that name keeps copies the same.
    if (!theme.name || theme.name->empty()) theme.name = pathtext::Stem(text::Utf8ToUtf16(out));
    if (!themefile::SaveThemeFile(theme, text::Utf8ToUtf16(out), &reason)) {
        err << out << ": " << reason << "\n";
        return 1;
    }
    report << FormatSchemeReport(result) << "\n";
    return 0;
}
