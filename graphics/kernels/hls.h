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

}  // namespace pixels
