#pragma once
// Alpha kernels: colour key to alpha, premultiplication, hit testing, clearing, opaque bounds and
// the split of a colour-over-mask image.
#include "graphics/kernels/pixel_view.h"

namespace pixels {

// Magenta → all four bytes 0; every other pixel gets alpha 255.
void ColorKeyToAlpha(const PixelView& view);

// Colour bytes × alpha ÷ 255; magenta pixels (whatever their alpha) become all zeros.
void PremultiplyAlpha(const PixelView& view);

// The hit test rule for (x, y) from the top left; uses the view's flags.
bool IsOpaqueAt(const PixelView& view, int x, int y);

// Magenta (0x00FF00FF) for a colour-keyed view without alpha, zeros otherwise.
void Clear(const PixelView& view);

struct OpaqueBounds {
    int left, top, right, bottom;
};
// Frame-relative bounds of the pixels with alpha > threshold; top and bottom are row + 1.
// Without such pixels: left = top = INT_MAX, right = bottom = 0.
OpaqueBounds FindOpaqueBounds(const PixelView& view, int threshold);

// dst (width × height) receives the top half of src (width × 2·height or one row more) with each
// pixel's alpha taken from the blue byte of the pixel height rows below; magenta colour pixels
// become all zeros, and unless alreadyPremultiplied the colour bytes are multiplied by the mask.
void SplitColorAndMask(const PixelView& src, const PixelView& dst, bool alreadyPremultiplied);

}  // namespace pixels

namespace pixels {

// Below this a mask value counts as fully transparent.
constexpr uint8_t kMaskFloor = 10;

// image's alpha becomes mask's red byte (values below 10 become 0) for the pixels present in both,
// both aligned at the top left; the rest of image is untouched.
void ApplyRedMask(const PixelView& image, const PixelView& mask);

}  // namespace pixels
