#include "services/folders_win.h"
#include "theme/theme_library.h"

bool ScanThemeLibrary() {
    std::wstring folder;
    if (!GetThemesFolder(folder)) {
        gThemeLibrary.Clear();
        return false;
    }
    ScanThemeFolder(gThemeLibrary, folder);
    return true;
}
