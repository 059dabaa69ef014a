#pragma once
// Source-over blending of a premultiplied image with a constant opacity, the software stand-in
// for the platform's per-pixel alpha blend.
#include "graphics/kernels/pixel_view.h"

namespace pixels {

// For each of the four bytes: d = s × o ÷ 255 + d × (255 − a × o ÷ 255) ÷ 255, with a the source
// alpha and o the opacity (0–255); capped at 255. Blends the width × height block of src at
// (srcX, srcY) onto dst at (dstX, dstY), all counted from the top left and inside their views.
void BlendOver(const PixelView& dst, int dstX, int dstY, const PixelView& src, int srcX, int srcY, int width,
               int height, int opacity);

}  // namespace pixels
