#pragma once
// Installation of a Windows cursor scheme by the settings tool: the scheme of an .inf becomes
// "<scheme name>.morvanta" in the Themes folder, under a name Windows can store.
#include <string>

// The theme file name of a scheme: the scheme's name made safe as a file name (pathtext::SafeFileName,
// "Cursor scheme" for a name left empty), then ".morvanta" appended.
std::wstring SchemeThemeFileName(const std::wstring& schemeName);

// Converts the scheme of infPath and writes it into themesFolder, replacing a theme file of the
// same name. destination receives the file written (or the one intended, once the scheme's name
// is known); reason is a one-line text in code page 1252. Fits the installation queue's converters.
bool InstallWindowsScheme(const std::wstring& infPath, const std::wstring& themesFolder, std::wstring& destination,
                          std::string& reason);
