#include "ui/ui_metrics_win.h"

#include <windows.h>

double ScaledPoints(double designPoints) {
    static const int dpi = [] {
        HDC screen = GetDC(nullptr);
        const int value = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
        if (screen) ReleaseDC(nullptr, screen);
        return value > 0 ? value : 96;
    }();
    return designPoints * gUiScale * 96.0 / dpi;
}
