#pragma once
// Conversions the installation queue runs for files that are not theme files themselves (a Windows
// cursor scheme's .inf): the converter writes a theme file into the Themes folder. The shell knows
// no theme format; the program's entry point hands the converters in.
#include <functional>
#include <string>
#include <vector>

// Converts source into a theme file inside themesFolder, replacing a file of the same name.
// destination receives the file written, or on failure the file intended (empty when not known);
// reason is 8-bit text (code page 1252).
using InstallConvert = std::function<bool(const std::wstring& source, const std::wstring& themesFolder,
                                          std::wstring& destination, std::string& reason)>;

struct InstallConverter {
    std::wstring extension;  // matched at the end of the path, ignoring the case of ASCII letters
    InstallConvert convert;
};

// The converter whose extension ends the path (quotes already removed); null when none does.
const InstallConverter* FindInstallConverter(const std::vector<InstallConverter>& converters, const std::wstring& path);
