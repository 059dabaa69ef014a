#include "app/ui_scale_win.h"

#include <windows.h>

#include "app/ui_scale.h"

double ScreenUiScale() {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
    const int width = GetDeviceCaps(screen, HORZRES);
    const int height = GetDeviceCaps(screen, VERTRES);
    ReleaseDC(nullptr, screen);
    return ComputeUiScale(dpi, width, height);
}
