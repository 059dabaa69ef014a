#pragma once
// Conversion between RGB and hue, luminance, saturation on the 0–240 scale, computed with the same
// integer rounding as the platform's conversion so that colours shifted here match the engine's.
#include <cstdint>

namespace pixels {

constexpr int kHlsMax = 240;  // hue, luminance and saturation run from 0 to 240
constexpr int kRgbMax = 255;
constexpr int kUndefinedHue = kHlsMax * 2 / 3;  // the hue reported for greys

struct Hls {
    uint16_t hue, luminance, saturation;
};

// colour is 0x00BBGGRR.
Hls RgbToHls(uint32_t colour);
// Arguments are 16-bit as the platform's; out-of-range hues are not folded back more than once.
// Result 0x00BBGGRR.
uint32_t HlsToRgb(uint16_t hue, uint16_t luminance, uint16_t saturation);

namespace hls_detail {

// One colour channel of an HLS colour, on the 0–240 scale: rising from m1 to m2 over the first
// sixth of the circle, m2 up to the half, falling back to m1 by two thirds. The boundaries are
// placed as the platform places them (they only matter for mid values outside the scale).
inline int HueToChannel(int m1, int m2, int hue) {
    if (hue < 0) hue += kHlsMax;
    if (hue > kHlsMax) hue -= kHlsMax;
    if (hue > kHlsMax * 2 / 3) return m1;
    if (hue > kHlsMax / 2)
        hue = kHlsMax * 2 / 3 - hue;
    else if (hue > kHlsMax / 6)
        return m2;
    return m1 + ((m2 - m1) * hue + kHlsMax / 12) / (kHlsMax / 6);
}

inline int ToRgbScale(int v) {
    return (v * kRgbMax + kHlsMax / 2) / kHlsMax;
}

}  // namespace hls_detail

// HlsToRgb for a luminance and saturation of at most kHlsMax (any hue), as RgbToHls gives them:
// the same result in 32-bit arithmetic, since no product can pass 31 bits. Inline for the hue
// shift's loop.
inline uint32_t HlsToRgbInRange(uint16_t hue, uint16_t luminance, uint16_t saturation) {
    using hls_detail::HueToChannel;
    using hls_detail::ToRgbScale;
    const int h = hue, l = luminance, s = saturation;
    int r, g, b;
    if (s == 0) {
        r = g = b = l * kRgbMax / kHlsMax;
    } else {
        const int m2 =
            l <= kHlsMax / 2 ? (l * (kHlsMax + s) + kHlsMax / 2) / kHlsMax : l + s - (l * s + kHlsMax / 2) / kHlsMax;
        const int m1 = 2 * l - m2;  // m1 <= l <= m2 in range
        r = ToRgbScale(HueToChannel(m1, m2, h + kHlsMax / 3));
        g = ToRgbScale(HueToChannel(m1, m2, h));
        b = ToRgbScale(HueToChannel(m1, m2, h - kHlsMax / 3));
    }
    return static_cast<uint32_t>(r & 0xFF) | static_cast<uint32_t>(g & 0xFF) << 8 |
           static_cast<uint32_t>(b & 0xFF) << 16;
}

}  // namespace pixels
