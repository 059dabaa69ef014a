#pragma once
// Text coverage kernels. Text is drawn blue on black, so a pixel's blue byte is how much of it the
// glyphs cover (0 to 255). These kernels turn such coverage images into straight-alpha text of one
// colour: box reduction of supersampled coverage, the caret bar, and the halo and outline masks.
// Colours are 0x00BBGGRR.
#include <cstdint>

#include "graphics/kernels/pixel_view.h"

namespace pixels {

constexpr int kMinTextFactor = 2;  // the box reductions take factors 2 to 4
constexpr int kMaxTextFactor = 4;

// Which byte of a coverage image holds the coverage.
constexpr int kCoverageBlue = 0;   // straight from the drawn text
constexpr int kCoverageAlpha = 3;  // after the coverage became alpha

// Caret bar: a blue byte below 64 is raised by 192, any other becomes 255.
constexpr uint8_t kCaretRaiseBelow = 64;
constexpr uint8_t kCaretRaise = 192;
constexpr int kCaretSpareRows = 2;  // the bottom rows the bar leaves out

// Halo weights over the 3 × 3 neighbourhood, and the divisor of their weighted sum.
constexpr uint32_t kHaloCorner = 2;
constexpr uint32_t kHaloEdge = 8;
constexpr uint32_t kHaloCentre = 20;
constexpr uint32_t kHaloDivisor = 15;

// Each factor × factor block of src becomes one pixel of dst: the colour, with alpha = the sum of
// the block's blue bytes ÷ factor², truncated. dst's blocks must lie inside src (dst.width × factor
// ≤ src.width, the same for heights). Nothing for a factor outside 2 to 4.
void ReduceCoverage(const PixelView& src, const PixelView& dst, int factor, uint32_t colour);

// Each factor × factor block of src becomes one pixel of dst, every byte the block's sum ÷ factor²,
// truncated. Same sizes and factors as ReduceCoverage.
void ReduceAverage(const PixelView& src, const PixelView& dst, int factor);

// Every pixel takes the colour, with alpha = its blue byte.
void CoverageToAlpha(const PixelView& view, uint32_t colour);

// Every pixel's alpha becomes the coverage byte (kCoverageBlue or kCoverageAlpha) of the pixel at
// the same place in coverage, a view of the same size.
void AlphaFromCoverage(const PixelView& coverage, int coverageByte, const PixelView& dst);

// The caret: columns x to x + width − 1 (cut to the view), every row but the bottom two, get their
// blue byte raised (see kCaretRaise).
void DrawCaretBar(const PixelView& view, int x, int width);

// Every pixel of dst gets alpha = min(255, Σ weight × coverage ÷ 15) over the 3 × 3 neighbourhood
// of the same place in coverage (same size as dst); neighbours outside the image count 0.
void SpreadHalo(const PixelView& coverage, int coverageByte, const PixelView& dst);

// Every pixel of dst loses the coverage at its place from its alpha, leaving only the ring the halo
// adds around the glyphs.
void CutOutline(const PixelView& coverage, int coverageByte, const PixelView& dst);

}  // namespace pixels
