#include "app/ui_scale.h"

double ComputeUiScale(int dpi, int screenWidth, int screenHeight) {
    const double dpiScale = dpi / 96.0;
    double scale = dpiScale;
    if (scale * 800 > screenWidth) scale = screenWidth / 800.0;
    // The reserve follows the dpi alone, not the width-limited factor.
    const double usableHeight = screenHeight - dpiScale * 72;
    if (scale * 600 > usableHeight) scale = usableHeight / 600;
    return scale;
}
