#include "graphics/kernels/color.h"

#include <cmath>
#include <cstring>

#include "graphics/kernels/hls.h"
#include "graphics/kernels/pixel_math.h"

namespace pixels {

namespace {

constexpr double kPi = 3.1415;  // the value the engine's tables are computed with

struct SlopeShift {
    int slope, shift;
};

SlopeShift ContrastSlopeShift(int contrast) {
    const int slope = ContrastSlope(contrast);
    return {slope, (slope - 256) / 2};
}

// ⌊i × slope ÷ 256⌋, rounding toward minus infinity also for negative slopes.
int64_t ScaledIndex(int i, int slope) {
    const int64_t product = static_cast<int64_t>(i) * slope;
    return product >= 0 ? product / 256 : -((-product + 255) / 256);
}

uint8_t ClampTableValue(int64_t v) { return static_cast<uint8_t>(v < 0 ? 0 : (v > 255 ? 255 : v)); }

}  // namespace

int ContrastSlope(int contrast) {
    double angle;
    if (contrast < 100)
        angle = contrast * kPi / 100 * 0.25;
    else
        angle = ((contrast - 100) * 0.17 / 100 + 0.25) * kPi;
    // Near a quarter turn the tangent grows without bound; beyond this the table is all 0 or 255.
    constexpr double kSlopeLimit = 1 << 20;
    const double slope = std::tan(angle) * 256;
    if (!(slope < kSlopeLimit)) return static_cast<int>(kSlopeLimit);
    if (!(slope > -kSlopeLimit)) return -static_cast<int>(kSlopeLimit);
    return static_cast<int>(slope);
}

ByteTable BrightnessContrastTable(int brightness, int contrast) {
    const SlopeShift k = ContrastSlopeShift(contrast);
    ByteTable table;
    for (int i = 0; i < 256; ++i) table[i] = ClampTableValue(int64_t{brightness} - 255 + ScaledIndex(i, k.slope) - k.shift);
    return table;
}

ByteTable OffsetContrastTable(int offset, int contrast) {
    const SlopeShift k = ContrastSlopeShift(contrast > INT32_MAX - 100 ? INT32_MAX : contrast + 100);
    ByteTable table;
    for (int i = 0; i < 256; ++i) table[i] = ClampTableValue(ScaledIndex(i, k.slope) + offset - k.shift);
    return table;
}

void ApplyTable(const PixelView& view, const ByteTable& table, bool skipMagenta) {
    if (view.Empty()) return;
    uint8_t* p = view.bits;
    const size_t count = view.ByteCount() / 4;
    for (size_t i = 0; i < count; ++i, p += 4) {
        if (skipMagenta && IsMagenta(p)) continue;
        p[0] = table[p[0]];
        p[1] = table[p[1]];
        p[2] = table[p[2]];
    }
}

void ShiftHue(const PixelView& view, int hueShift, int wrapAbove, int wrapBy, bool skipMagenta) {
    if (view.Empty()) return;
    uint8_t* p = view.bits;
    const size_t count = view.ByteCount() / 4;
    // Neighbouring pixels are often the same colour: remember the last conversion.
    uint32_t lastIn = 0xFFFFFFFFu, lastOut = 0;
    bool lastGrey = false;
    for (size_t i = 0; i < count; ++i, p += 4) {
        if (skipMagenta && IsMagenta(p)) continue;
        const uint32_t colour = p[2] | p[1] << 8 | p[0] << 16;
        if (colour != lastIn) {
            lastIn = colour;
            const Hls hls = RgbToHls(colour);
            lastGrey = hls.saturation == 0;
            if (!lastGrey) {
                int64_t hue = int64_t{hls.hue} + hueShift;
                if (hue > wrapAbove) hue -= wrapBy;
                // The platform takes a 16-bit hue.
                lastOut = HlsToRgb(static_cast<uint16_t>(hue), hls.luminance, hls.saturation);
            }
        }
        if (lastGrey) continue;
        p[0] = static_cast<uint8_t>(lastOut >> 16);
        p[1] = static_cast<uint8_t>(lastOut >> 8);
        p[2] = static_cast<uint8_t>(lastOut);
    }
}

}  // namespace pixels
