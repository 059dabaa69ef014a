#include "graphics/kernels/color.h"

#include <algorithm>
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

uint8_t ClampTableValue(int64_t v) {
    return static_cast<uint8_t>(v < 0 ? 0 : (v > 255 ? 255 : v));
}

// The hue shift converts every pixel to HLS and back; its cost was the divisions by per-pixel
// values. Each quotient here is n ÷ d with 0 ≤ n < 2^16 and 1 ≤ d ≤ 510, which one multiplication
// gives exactly: with m = ⌊2^32 ÷ d⌋ + 1, n × m ÷ 2^32 exceeds n ÷ d by less than n ÷ 2^32 < 2^-16,
// too little to pass the next whole number, which lies at least 1 ÷ d > 2^-9 above.
constexpr int kMaxDivisor = 2 * kRgbMax;

struct Reciprocals {
    uint64_t m[kMaxDivisor + 1];
};

const Reciprocals& ReciprocalTable() {
    static const Reciprocals table = [] {
        Reciprocals t{};
        for (int d = 1; d <= kMaxDivisor; ++d) t.m[d] = (uint64_t{1} << 32) / uint64_t(d) + 1;
        return t;
    }();
    return table;
}

inline int Quotient(int n, int d, const uint64_t* m) {
    return static_cast<int>((static_cast<uint64_t>(n) * m[d]) >> 32);
}

// RgbToHls (hls.cpp) with its divisions by per-pixel values made multiplications; the same
// results for every colour (the colour kernel tests compare the two over all 2^24 colours).
inline Hls RgbToHlsFast(int r, int g, int b, const uint64_t* m) {
    const int cMax = std::max(r, std::max(g, b));
    const int cMin = std::min(r, std::min(g, b));
    const int sum = cMax + cMin;
    const int luminance = (sum * kHlsMax + kRgbMax) / (2 * kRgbMax);
    if (cMax == cMin) return {static_cast<uint16_t>(kUndefinedHue), static_cast<uint16_t>(luminance), 0};
    const int delta = cMax - cMin;
    const int saturation = luminance <= kHlsMax / 2
                               ? Quotient(delta * kHlsMax + sum / 2, sum, m)
                               : Quotient(delta * kHlsMax + (2 * kRgbMax - sum) / 2, 2 * kRgbMax - sum, m);
    const int half = delta / 2;
    const int rDelta = Quotient((cMax - r) * (kHlsMax / 6) + half, delta, m);
    const int gDelta = Quotient((cMax - g) * (kHlsMax / 6) + half, delta, m);
    const int bDelta = Quotient((cMax - b) * (kHlsMax / 6) + half, delta, m);
    int hue;
    if (r == cMax)
        hue = bDelta - gDelta;
    else if (g == cMax)
        hue = kHlsMax / 3 + rDelta - bDelta;
    else
        hue = kHlsMax * 2 / 3 + gDelta - rDelta;
    if (hue < 0) hue += kHlsMax;
    if (hue > kHlsMax) hue -= kHlsMax;
    return {static_cast<uint16_t>(hue), static_cast<uint16_t>(luminance), static_cast<uint16_t>(saturation)};
}

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
    for (int i = 0; i < 256; ++i)
        table[i] = ClampTableValue(int64_t{brightness} - 255 + ScaledIndex(i, k.slope) - k.shift);
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
    const uint64_t* m = ReciprocalTable().m;
    // Neighbouring pixels are often the same colour: remember the last conversion.
    uint32_t lastIn = 0xFFFFFFFFu, lastOut = 0;
    bool lastGrey = false;
    for (size_t i = 0; i < count; ++i, p += 4) {
        if (skipMagenta && IsMagenta(p)) continue;
        const uint32_t colour = p[2] | p[1] << 8 | p[0] << 16;
        if (colour != lastIn) {
            lastIn = colour;
            const Hls hls = RgbToHlsFast(p[2], p[1], p[0], m);
            lastGrey = hls.saturation == 0;
            if (!lastGrey) {
                int64_t hue = int64_t{hls.hue} + hueShift;
                if (hue > wrapAbove) hue -= wrapBy;
                // The platform takes a 16-bit hue.
                lastOut = HlsToRgbInRange(static_cast<uint16_t>(hue), hls.luminance, hls.saturation);
            }
        }
        if (lastGrey) continue;
        p[0] = static_cast<uint8_t>(lastOut >> 16);
        p[1] = static_cast<uint8_t>(lastOut >> 8);
        p[2] = static_cast<uint8_t>(lastOut);
    }
}

}  // namespace pixels
