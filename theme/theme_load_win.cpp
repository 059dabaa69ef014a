// The Windows side of theme loading: the warning box.
#include <windows.h>

#include "theme/theme_load.h"

void ShowUnsupportedFeaturesBox() {
    MessageBoxW(nullptr, kUnsupportedFeaturesText, kMessageCaption, MB_OK | MB_ICONWARNING);
}
