#include "graphics/kernels/hls.h"

#include <algorithm>

namespace pixels {

using hls_detail::HueToChannel;
using hls_detail::ToRgbScale;

namespace {

// Products of 16-bit arguments may pass 31 bits; they wrap as the platform's int arithmetic does.
int32_t Wrap32(int64_t v) {
    return static_cast<int32_t>(static_cast<uint32_t>(v));
}

}  // namespace

Hls RgbToHls(uint32_t colour) {
    const int r = colour & 0xFF, g = (colour >> 8) & 0xFF, b = (colour >> 16) & 0xFF;
    const int cMax = std::max({r, g, b});
    const int cMin = std::min({r, g, b});
    const int sum = cMax + cMin;
    const int luminance = (sum * kHlsMax + kRgbMax) / (2 * kRgbMax);
    if (cMax == cMin) return {static_cast<uint16_t>(kUndefinedHue), static_cast<uint16_t>(luminance), 0};

    const int delta = cMax - cMin;
    int saturation;
    if (luminance <= kHlsMax / 2)
        saturation = (delta * kHlsMax + sum / 2) / sum;
    else
        saturation = (delta * kHlsMax + (2 * kRgbMax - sum) / 2) / (2 * kRgbMax - sum);

    const int rDelta = ((cMax - r) * (kHlsMax / 6) + delta / 2) / delta;
    const int gDelta = ((cMax - g) * (kHlsMax / 6) + delta / 2) / delta;
    const int bDelta = ((cMax - b) * (kHlsMax / 6) + delta / 2) / delta;
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

uint32_t HlsToRgb(uint16_t hue, uint16_t luminance, uint16_t saturation) {
    const int h = hue, l = luminance, s = saturation;
    int r, g, b;
    if (s == 0) {
        r = g = b = l * kRgbMax / kHlsMax;
    } else {
        // The mid values are 16-bit, as the platform keeps them.
        const int m2 =
            static_cast<uint16_t>(l <= kHlsMax / 2 ? Wrap32(int64_t{l} * (kHlsMax + s) + kHlsMax / 2) / kHlsMax
                                                   : l + s - Wrap32(int64_t{l} * s + kHlsMax / 2) / kHlsMax);
        const int m1 = static_cast<uint16_t>(2 * l - m2);
        r = ToRgbScale(HueToChannel(m1, m2, h + kHlsMax / 3));
        g = ToRgbScale(HueToChannel(m1, m2, h));
        b = ToRgbScale(HueToChannel(m1, m2, h - kHlsMax / 3));
    }
    return static_cast<uint32_t>(r & 0xFF) | static_cast<uint32_t>(g & 0xFF) << 8 |
           static_cast<uint32_t>(b & 0xFF) << 16;
}

}  // namespace pixels
