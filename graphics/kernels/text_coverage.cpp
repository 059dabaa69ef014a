#include "graphics/kernels/text_coverage.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "graphics/kernels/pixel_math.h"

namespace pixels {

namespace {

bool SameSize(const PixelView& a, const PixelView& b) {
    return !a.Empty() && !b.Empty() && a.width == b.width && a.height == b.height;
}

bool ReductionFits(const PixelView& src, const PixelView& dst, int factor) {
    return !src.Empty() && !dst.Empty() && factor >= kMinTextFactor && factor <= kMaxTextFactor &&
           int64_t{dst.width} * factor <= src.width && int64_t{dst.height} * factor <= src.height;
}

// Adds each factor-wide group of bytes (byte `channel` of each pixel) of the src row to sums.
void AddBlocks(const uint8_t* row, int channel, int factor, std::vector<uint32_t>& sums) {
    const uint8_t* p = row + channel;
    for (uint32_t& sum : sums)
        for (int i = 0; i < factor; ++i, p += 4) sum += *p;
}

}  // namespace

void ReduceCoverage(const PixelView& src, const PixelView& dst, int factor, uint32_t colour) {
    if (!ReductionFits(src, dst, factor)) return;
    const uint8_t blue = (colour >> 16) & 0xFF, green = (colour >> 8) & 0xFF, red = colour & 0xFF;
    const uint32_t area = static_cast<uint32_t>(factor * factor);
    std::vector<uint32_t> sums(dst.width);
    for (int y = 0; y < dst.height; ++y) {
        std::fill(sums.begin(), sums.end(), 0u);
        for (int i = 0; i < factor; ++i) AddBlocks(src.Row(y * factor + i), kCoverageBlue, factor, sums);
        uint8_t* out = dst.Row(y);
        for (int x = 0; x < dst.width; ++x, out += 4) {
            out[0] = blue;
            out[1] = green;
            out[2] = red;
            out[3] = static_cast<uint8_t>(sums[x] / area);
        }
    }
}

void ReduceAverage(const PixelView& src, const PixelView& dst, int factor) {
    if (!ReductionFits(src, dst, factor)) return;
    const uint32_t area = static_cast<uint32_t>(factor * factor);
    std::vector<uint32_t> sums(dst.width);
    for (int y = 0; y < dst.height; ++y) {
        for (int channel = 0; channel < 4; ++channel) {
            std::fill(sums.begin(), sums.end(), 0u);
            for (int i = 0; i < factor; ++i) AddBlocks(src.Row(y * factor + i), channel, factor, sums);
            uint8_t* out = dst.Row(y) + channel;
            for (int x = 0; x < dst.width; ++x, out += 4) *out = static_cast<uint8_t>(sums[x] / area);
        }
    }
}

void CoverageToAlpha(const PixelView& view, uint32_t colour) {
    if (view.Empty()) return;
    const uint8_t blue = (colour >> 16) & 0xFF, green = (colour >> 8) & 0xFF, red = colour & 0xFF;
    uint8_t* p = view.bits;
    const size_t count = view.ByteCount() / 4;
    for (size_t i = 0; i < count; ++i, p += 4) {
        p[3] = p[0];
        p[0] = blue;
        p[1] = green;
        p[2] = red;
    }
}

void AlphaFromCoverage(const PixelView& coverage, int coverageByte, const PixelView& dst) {
    if (!SameSize(coverage, dst)) return;
    const uint8_t* c = coverage.bits + coverageByte;
    uint8_t* p = dst.bits;
    const size_t count = dst.ByteCount() / 4;
    for (size_t i = 0; i < count; ++i, p += 4, c += 4) p[3] = *c;
}

void DrawCaretBar(const PixelView& view, int x, int width) {
    if (view.Empty()) return;
    const int left = x < 0 ? 0 : x;
    const int right = int64_t{x} + width > view.width ? view.width : x + width;
    for (int y = 0; y < view.height - kCaretSpareRows; ++y) {
        uint8_t* p = view.Pixel(left, y);
        for (int column = left; column < right; ++column, p += 4)
            p[0] = p[0] < kCaretRaiseBelow ? static_cast<uint8_t>(p[0] + kCaretRaise) : kMaxByte;
    }
}

void SpreadHalo(const PixelView& coverage, int coverageByte, const PixelView& dst) {
    if (!SameSize(coverage, dst)) return;
    static constexpr uint32_t kWeights[3][3] = {
        {kHaloCorner, kHaloEdge, kHaloCorner},
        {kHaloEdge, kHaloCentre, kHaloEdge},
        {kHaloCorner, kHaloEdge, kHaloCorner},
    };
    const int w = dst.width, h = dst.height;
    for (int y = 0; y < h; ++y) {
        uint8_t* out = dst.Row(y) + 3;
        for (int x = 0; x < w; ++x, out += 4) {
            uint32_t sum = 0;
            for (int dy = -1; dy <= 1; ++dy) {
                if (y + dy < 0 || y + dy >= h) continue;
                const uint8_t* row = coverage.Row(y + dy) + coverageByte;
                for (int dx = -1; dx <= 1; ++dx) {
                    if (x + dx < 0 || x + dx >= w) continue;
                    sum += kWeights[dy + 1][dx + 1] * row[static_cast<size_t>(x + dx) * 4];
                }
            }
            *out = CapByte(sum / kHaloDivisor);
        }
    }
}

void CutOutline(const PixelView& coverage, int coverageByte, const PixelView& dst) {
    if (!SameSize(coverage, dst)) return;
    const uint8_t* c = coverage.bits + coverageByte;
    uint8_t* p = dst.bits;
    const size_t count = dst.ByteCount() / 4;
    // Clamped at 0, never wrapped: after SpreadHalo of the same coverage the alpha is never below
    // it (the centre alone gives 20 ÷ 15 of it, the cap is 255), but any other alpha may be.
    for (size_t i = 0; i < count; ++i, p += 4, c += 4) p[3] = ClampByte(int{p[3]} - int{*c});
}

}  // namespace pixels
