#pragma once
// Design sizes of the window (pixels at 96 dpi for an 800 x 600 client area) turned into screen
// pixels with the window's scale factor, each value truncated on its own.
#include "app/app_state_win.h"

// trunc(value × scale factor).
inline int Scaled(double designPixels) {
    return static_cast<int>(designPixels * gUiScale);
}

// A design point size for a text of the window. Fonts are sized by the screen's dpi already, so
// only the part of the scale factor that fits the window to the screen is applied here.
double ScaledPoints(double designPoints);
