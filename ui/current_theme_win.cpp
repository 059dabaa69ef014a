#include "ui/current_theme_win.h"

#include <string>

#include "services/folders_win.h"
#include "theme/theme.h"

std::unique_ptr<CTheme> gCurrentTheme;

void ReleaseCurrentTheme() {
    gCurrentTheme.reset();
}

bool SaveCurrentTheme() {
    std::wstring path;
    return gCurrentTheme && GetCurrentThemePath(path) && gCurrentTheme->Save(path);
}
