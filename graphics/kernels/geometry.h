#pragma once
// Geometry kernels that keep the size: mirroring frames.
#include "graphics/kernels/pixel_view.h"

namespace pixels {

// Reverses every row of every frame left to right (the four bytes of a pixel move together).
void MirrorFrames(const PixelView& view);

}  // namespace pixels
