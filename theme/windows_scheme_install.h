#pragma once
// Installation of a Windows cursor scheme by the settings tool: the scheme of an .inf becomes
// "<scheme name>.morvanta" in the Themes folder, under a name Windows can store.
#include <string>

// The theme file name of a scheme: each of \ / : * ? " < > | and every control character becomes
// "_", trailing dots and spaces are dropped, a reserved device name (CON, PRN, AUX, NUL, COM1 to
// COM9, LPT1 to LPT9, in any case, with or without an extension) gets "_" appended, and an empty
// result becomes "Cursor scheme"; then ".morvanta" is appended.
std::wstring SchemeThemeFileName(const std::wstring& schemeName);

// Converts the scheme of infPath and writes it into themesFolder, replacing a theme file of the
// same name. destination receives the file written (or the one intended, once the scheme's name
// is known); reason is a one-line text in code page 1252. Fits the installation queue's converters.
bool InstallWindowsScheme(const std::wstring& infPath, const std::wstring& themesFolder, std::wstring& destination,
                          std::string& reason);
