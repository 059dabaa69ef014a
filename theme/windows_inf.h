#pragma once
// Reading the setup information file (.inf) that installs a Windows cursor scheme: sections of
// lines, "%key%" references resolved through the [Strings] section, and the registry line that
// writes the scheme under "Control Panel\Cursors\Schemes": its value name is the scheme's name and
// its value the comma-separated list of cursor files in the system's fixed order.
#include <string>
#include <vector>

// The text of an .inf file: UTF-16 LE after FF FE, UTF-8 after EF BB BF, else code page 1252.
std::wstring DecodeInfText(const std::string& bytes);

struct InfScheme {
    std::wstring name;
    // Each listed path with its references resolved; an empty place in the list stays empty.
    std::vector<std::wstring> files;
};

// Finds the first scheme line in the text. False with a one-line reason when there is none or it
// has no name.
bool TryReadInfScheme(const std::wstring& text, InfScheme& scheme, std::string& reason);
