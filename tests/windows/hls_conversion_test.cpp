// The portable RGB/HLS conversion against the system's (shlwapi), which the engine uses for hue
// shifts: every RGB colour, and a large sample of HLS triples including out-of-range hues.
#include <gtest/gtest.h>
#include <windows.h>
#include <shlwapi.h>

#include <cstdio>
#include <random>

#include "graphics/kernels/hls.h"

TEST(HlsConversion, RgbToHlsMatchesTheSystemForEveryColour) {
    long long mismatches = 0;
    for (uint32_t c = 0; c < 0x1000000; ++c) {
        WORD h = 0, l = 0, s = 0;
        ColorRGBToHLS(c, &h, &l, &s);
        const pixels::Hls mine = pixels::RgbToHls(c);
        if (mine.hue != h || mine.luminance != l || mine.saturation != s) {
            if (++mismatches <= 5)
                ADD_FAILURE() << std::hex << "colour " << c << std::dec << ": system " << h << " " << l << " " << s
                              << ", ours " << mine.hue << " " << mine.luminance << " " << mine.saturation;
        }
    }
    EXPECT_EQ(mismatches, 0);
}

TEST(HlsConversion, HlsToRgbMatchesTheSystem) {
    long long mismatches = 0, compared = 0;
    auto check = [&](WORD h, WORD l, WORD s) {
        ++compared;
        const COLORREF system = ColorHLSToRGB(h, l, s);
        const uint32_t mine = pixels::HlsToRgb(h, l, s);
        if (system != mine && ++mismatches <= 5)
            ADD_FAILURE() << "HLS " << h << " " << l << " " << s << ": system " << std::hex << system << ", ours "
                          << mine;
    };
    // Every hue a shift can produce (0 to 255 before wrapping, and beyond) at every luminance and
    // saturation of the 0–240 scale, stepping saturation by 3.
    for (WORD h = 0; h <= 420; ++h)
        for (WORD l = 0; l <= 240; ++l)
            for (WORD s = 0; s <= 240; s += 3) check(h, l, s);
    // Any 16-bit hue (a shift may take it anywhere, negative shifts wrap around 65536) with the
    // luminance and saturation a conversion from RGB gives.
    std::mt19937 random(99);
    for (int i = 0; i < 2000000; ++i) check(random() & 0xFFFF, random() % 241, random() % 241);
    // Luminance and saturation outside 0–240 never come from RGB; they match all the same.
    for (int i = 0; i < 500000; ++i) check(random() & 0xFFFF, random() & 0xFFFF, random() & 0xFFFF);
    std::printf("HLS to RGB: %lld conversions compared\n", compared);
    EXPECT_EQ(mismatches, 0);
}
