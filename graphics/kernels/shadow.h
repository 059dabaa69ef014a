#pragma once
// Drop-shadow kernels: a separable blur of the alpha mask with a truncated Gaussian of integer
// weights, the shadow's tint, and compositing the source frames over it.
#include <cstdint>
#include <vector>

#include "graphics/kernels/pixel_view.h"

namespace pixels {

constexpr int kShadowMaxBlur = 100;      // larger blurs are treated as 100
constexpr int kShadowMaxRadius = 64;     // the kernel never reaches further than this
constexpr int kShadowPeakWeight = 20;    // the centre weight; the others fall off as a Gaussian
constexpr double kShadowBase = 2.718;    // the engine's value of e
constexpr int64_t kShadowFullDark = 65280;  // 255 × 256: from here on the shadow is fully dark

struct ShadowKernel {
    int radius = 0;
    std::vector<uint32_t> taps;  // 2 × radius + 1 weights, symmetric
    uint32_t sum = 0;
};
// blur 0 gives the single weight 20; otherwise w[i] = ⌊2.718^−(3i ÷ R)² × 20⌋ with R = min(blur,
// 100), up to the last non-zero weight and at most 64.
ShadowKernel MakeShadowKernel(int blur);

// Where things go in one result frame, in pixels of the source frame's coordinates.
struct ShadowLayout {
    int64_t left = 0, top = 0;      // the union of source and shadow rectangles (left, top ≤ 0)
    int64_t width = 0, height = 0;  // its size
};
ShadowLayout ComputeShadowLayout(int frameWidth, int height, int offsetX, int offsetY, int radius);

// Blurs the alpha of each frame of src (premultiplied) into the zero-filled result dst (frames side
// by side, each layout.width wide, layout.height tall): black pixels whose alpha is
// (darkness × v ÷ S) ÷ 255, placed at the shadow offset.
void RenderShadow(const PixelView& src, const PixelView& dst, const ShadowKernel& kernel, const ShadowLayout& layout,
                  int offsetX, int offsetY, int darkness);

// Colours the shadow: B = A × blue ÷ 255 and so on; colour is 0x00BBGGRR.
void TintShadow(const PixelView& dst, uint32_t colour);

// Puts every source frame over its result frame at (−layout.left, −layout.top): for each of the four
// bytes, d = s + d × (255 − a) ÷ 255.
void CompositeOverShadow(const PixelView& src, const PixelView& dst, const ShadowLayout& layout);

}  // namespace pixels
