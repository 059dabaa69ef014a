#pragma once
// Loading for the tool's commands: ".tolvxtheme" archives of the earlier product through the
// import, every other file through the theme file reader (whatever its extension).
#include <string>

#include "theme/theme.h"
#include "theme/theme_reader.h"

// Fills theme from path. An archive reports version 0 and lists its cursors in import order; an
// archive that is missing or yields no cursor fails with a one-line reason.
ThemeReadResult LoadAnyTheme(CTheme& theme, const std::wstring& path);
