// The native side of theme loading: no message box to show.
#ifndef _WIN32
#include "theme/theme_load.h"

void ShowUnsupportedFeaturesBox() {}
#endif
