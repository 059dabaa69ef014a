#pragma once
// The install .inf of an exported Windows cursor scheme: copies the scheme's files into a folder of
// its own under the system's Cursors folder and adds the scheme, under its name, to the schemes the
// mouse settings list. It changes none of the user's current pointers.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "theme/windows_scheme.h"

// The scheme's name for a theme's name, made safe as .inf installation makes a file name (the
// name is also the folder the files are installed into): at most kMaxSchemeNameLength UTF-16
// units of the theme's name, then each character a file name cannot hold turned into "_",
// trailing dots and spaces dropped, a device name given "_", and "Cursor scheme" for nothing.
constexpr size_t kMaxSchemeNameLength = 100;
std::wstring SafeSchemeName(const std::wstring& themeName);

// The .inf's bytes for a scheme of that (safe) name; files holds the file name of each cursor in
// the order of kWindowsCursorSlots, empty for a cursor the scheme leaves to the system. ASCII text
// when the name is ASCII, else UTF-16 LE after a byte order mark; lines end in CR LF.
std::vector<uint8_t> SchemeInstallInf(const std::wstring& schemeName,
                                      const std::array<std::wstring, kWindowsCursorCount>& files);
