#pragma once
// The machine-wide association of the two theme extensions with this program, written by the
// installer's "/install" and removed by "/uninstall". Opening a ".morvanta" or ".tolvxtheme" file
// then starts the program with the file, which installs the theme.
#include <string>

constexpr wchar_t kProgId[] = L"Halberon.Morvanta";

// Removes the registrations of older versions, then registers both extensions with programPath.
// The open command names the program in quotes, then the file ("%1" in quotes): unquoted, a path
// with a space (C:\Program Files (x86)\...) would be cut at the first space, and the system would
// run C:\Program.exe if there were one. When a key cannot be opened (no rights to the machine's
// classes), says so in a message box.
void SetFileAssociations(const std::wstring& programPath);
// Removes this program's registrations; failures are silent.
void RemoveFileAssociations();
