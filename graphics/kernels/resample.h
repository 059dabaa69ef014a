#pragma once
// Resampling kernels. Area coverage: each destination pixel is the weighted sum of the source
// pixels it covers, with 12-bit weights per axis (see AxisWeights). Linear: per-frame
// interpolation between two neighbouring source columns or rows at floating-point positions.
// All positions are counted from the top left of the image.
#include <cstdint>
#include <vector>

#include "graphics/kernels/pixel_view.h"

namespace pixels {

constexpr int kWeightBits = 12;
constexpr uint32_t kWeightOne = 1u << kWeightBits;  // 4096: a whole source pixel
// Two axes of 12-bit weights: a destination byte is Σ byte × x-weight × y-weight >> 24. The
// weights of one destination pixel sum to at most 4096 per axis, so 255 × 4096 × 4096 fits in 32
// unsigned bits.
constexpr int kTwoAxisShift = 2 * kWeightBits;

// The source taps of every destination pixel along one axis, from n source to m destination pixels.
// Reduction (m < n): source pixel i weighs m × 4096 ÷ n; one that straddles a border between two
// destination pixels is split into (n − c) × 4096 ÷ n and (c + m − n) × 4096 ÷ n, c being the
// running position (advanced by m per source pixel, reduced by n at each border). Enlargement
// (m > n): a destination pixel inside one source pixel copies it (4096); one across a border mixes
// the two by (m − c) × 4096 ÷ n and the rest of 4096, c advancing by n per destination pixel.
struct AxisWeights {
    std::vector<uint32_t> first;   // first source index of each destination pixel
    std::vector<uint32_t> offset;  // where its weights start in weights; offset[m] is the end
    std::vector<uint32_t> weights;
};
AxisWeights ComputeAxisWeights(int n, int m);

struct Rect {
    int x, y, width, height;
};

// Area-resamples srcRect of src into dstRect of dst (each rectangle inside its view).
void ResampleArea(const PixelView& src, Rect srcRect, const PixelView& dst, Rect dstRect);

// Resizes src into dst in two passes, the width first: a narrower width is area-reduced, a wider
// one linearly interpolated within each frame (src.frames frames of src.width ÷ frames columns to
// as many of dst.width ÷ frames); then a lower height is area-reduced and a greater one linearly
// interpolated. Each pass truncates to bytes. Rows of the first pass are made as the second needs
// them, so no intermediate image is allocated.
void ResizeSeparable(const PixelView& src, const PixelView& dst);

// Fills dstRect of dst with copies of srcRect of src repeated to the right (tileX) or downwards,
// starting at the rectangle's top left; the last copy is cut.
void TileColumns(const PixelView& src, Rect srcRect, const PixelView& dst, Rect dstRect);
void TileRows(const PixelView& src, Rect srcRect, const PixelView& dst, Rect dstRect);

// Copies a rectangle of equal size.
void CopyRect(const PixelView& src, int srcX, int srcY, const PixelView& dst, int dstX, int dstY, int width,
              int height);

}  // namespace pixels
