#pragma once
// Colour kernels: brightness and contrast through a 256-entry table, and hue shifts.
#include <array>
#include <cstdint>

#include "graphics/kernels/pixel_view.h"

namespace pixels {

using ByteTable = std::array<uint8_t, 256>;

// The contrast slope in 1/256: tan of an angle that is a quarter turn's half at contrast 100
// (computed with 3.1415 for pi, so contrast 100 gives 255, not 256).
int ContrastSlope(int contrast);

// table[i] = brightness − 255 + ⌊i × slope ÷ 256⌋ − shift, clamped: brightness 255, contrast 100
// is the identity except that 255 becomes 254.
ByteTable BrightnessContrastTable(int brightness, int contrast);

// table[i] = ⌊i × slope ÷ 256⌋ + offset − shift with the slope of contrast + 100, clamped.
ByteTable OffsetContrastTable(int offset, int contrast);

// Applies the table to blue, green and red of every pixel, or of every non-magenta pixel when
// skipMagenta is set. Alpha is untouched.
void ApplyTable(const PixelView& view, const ByteTable& table, bool skipMagenta);

// Shifts the hue of every pixel (or every non-magenta one) by hueShift on the 0–240 circle; the
// shifted hue wraps by subtracting wrapBy once when it exceeds wrapAbove. Greys are left alone.
void ShiftHue(const PixelView& view, int hueShift, int wrapAbove, int wrapBy, bool skipMagenta);

}  // namespace pixels
