#pragma once
// Import of a Windows cursor scheme as a theme: its .inf, a folder, or a ZIP archive holding
// either (extracted into a temporary folder through the safe extraction, removed afterwards).
// Every file is untrusted: one that does not decode refuses the whole scheme.
#include <string>
#include <vector>

class CTheme;

struct WindowsSchemeReport {
    std::vector<int> roles;             // the roles filled, ascending
    std::vector<double> scales;         // ascending
    std::vector<std::wstring> skipped;  // "file (why)": files of the scheme that are not in the theme
};

// Fills theme (emptied first) with the scheme's cursors and names it after the scheme (the .inf's
// scheme name, else the name of the folder that holds the files; an archive's own name when they
// lie at its top). False with a one-line reason when the source is not one of the three kinds,
// nothing usable is found, or a file is hostile.
bool TryImportWindowsScheme(const std::wstring& source, CTheme& theme, WindowsSchemeReport& report,
                            std::string& reason);

// The report as one line: "roles: 0 1 2; scales: 1 2; skipped: pin.cur (Pin has no role)", with
// "skipped: none" when nothing was left out. UTF-8.
std::string FormatSchemeReport(const WindowsSchemeReport& report);
