#include "engine/cursor_scale.h"

#include <algorithm>

namespace {

constexpr double kBaseCursorPixels = 32.0;
constexpr double kMinScale = 0.25;
constexpr double kMaxScale = 8.0;

}  // namespace

double CursorScale(const CursorScaleInputs& inputs) {
    if (inputs.dpi <= 0) return 1.0;
    // The largest of the three: the dpi alone, the system's own width (which already follows the
    // dpi in an aware process, and may follow the user's size too) and the user's size, given for
    // 96 dpi.
    double pixels = kBaseCursorPixels * inputs.dpi / 96.0;
    pixels = std::max(pixels, double(inputs.systemCursorSize));
    if (inputs.baseSize > 0) pixels = std::max(pixels, double(inputs.baseSize) * inputs.dpi / 96.0);
    return std::clamp(pixels / kBaseCursorPixels, kMinScale, kMaxScale);
}
