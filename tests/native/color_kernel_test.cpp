// Brightness, contrast and hue operations.
#include <gtest/gtest.h>

#include <vector>

#include "graphics/hv_bitmap.h"
#include "graphics/kernels/color.h"
#include "graphics/kernels/hls.h"
#include "tests/native/bitmap_test_util.h"

TEST(ContrastSlope, QuarterTurnWithTheShortPiGives255AtTheNeutralContrast) {
    EXPECT_EQ(pixels::ContrastSlope(0), 0);
    EXPECT_EQ(pixels::ContrastSlope(50), 106);
    EXPECT_EQ(pixels::ContrastSlope(100), 255);
    EXPECT_EQ(pixels::ContrastSlope(150), 448);
    EXPECT_EQ(pixels::ContrastSlope(200), 996);
}

TEST(AdjustBrightnessContrast, NeutralArgumentsMap255To254) {
    HVBitmap b(3, 1, HVB_ALPHA);
    Put(b, 0, 0, {255, 128, 0, 77});
    Put(b, 1, 0, {1, 2, 100, 255});
    Put(b, 2, 0, {255, 0, 255, 0});  // magenta is not spared here
    b.AdjustBrightnessContrast(255, 100);
    EXPECT_EQ(At(b, 0, 0), (Bgra{254, 127, 0, 77}));
    EXPECT_EQ(At(b, 1, 0), (Bgra{0, 1, 99, 255}));
    EXPECT_EQ(At(b, 2, 0), (Bgra{254, 0, 254, 0}));
}

TEST(AdjustBrightnessContrast, ContrastSteepensAroundTheMiddleAndClamps) {
    // Contrast 150: slope 448, shift 96; brightness 255 adds nothing.
    const pixels::ByteTable t = pixels::BrightnessContrastTable(255, 150);
    EXPECT_EQ(t[0], 0);
    EXPECT_EQ(t[100], 79);   // 175 - 96
    EXPECT_EQ(t[200], 254);  // 350 - 96
    EXPECT_EQ(t[201], 255);
    EXPECT_EQ(t[255], 255);
    // Contrast 0 flattens everything to brightness - 127.
    const pixels::ByteTable flat = pixels::BrightnessContrastTable(300, 0);
    EXPECT_EQ(flat[0], 173);
    EXPECT_EQ(flat[255], 173);
    // Extreme arguments clamp instead of overflowing.
    const pixels::ByteTable steep = pixels::BrightnessContrastTable(INT32_MAX, 1000000);
    EXPECT_EQ(steep[0], 255);
    const pixels::ByteTable dark = pixels::BrightnessContrastTable(INT32_MIN, 100);
    EXPECT_EQ(dark[255], 0);
}

TEST(AdjustColor, BrightnessOffsetSparesMagentaUnlessPremultiplied) {
    HVBitmap b(3, 1, HVB_COLORKEY);
    Put(b, 0, 0, {0, 100, 255, 9});
    Put(b, 1, 0, kMagenta);
    b.AdjustColor(0, 10, 0);  // table[i] = ⌊255 i ÷ 256⌋ + 10
    EXPECT_EQ(At(b, 0, 0), (Bgra{10, 109, 255, 9}));
    EXPECT_EQ(At(b, 1, 0), kMagenta);

    HVBitmap pre(1, 1, HVB_ALPHA | HVB_PREMULTIPLIED);
    Put(pre, 0, 0, kMagenta);
    pre.AdjustColor(0, 10, 0);
    EXPECT_EQ(At(pre, 0, 0), (Bgra{255, 10, 255, 0}));
}

TEST(AdjustColor, AllZeroChangesNothing) {
    HVBitmap b(1, 1, HVB_ALPHA);
    Put(b, 0, 0, {255, 255, 255, 255});
    b.AdjustColor(0, 0, 0);
    EXPECT_EQ(At(b, 0, 0), (Bgra{255, 255, 255, 255}));
}

TEST(AdjustColor, HueWrapsDifferentlyForPremultipliedBitmaps) {
    // Blue has hue 160. Shifted by 80: 240, above 159, wraps to 80 (green) when premultiplied;
    // otherwise 240 stays and is red.
    HVBitmap pre(1, 1, HVB_ALPHA | HVB_PREMULTIPLIED), plain(1, 1, HVB_ALPHA);
    Put(pre, 0, 0, {255, 0, 0, 255});
    Put(plain, 0, 0, {255, 0, 0, 200});
    pre.AdjustColor(80, 0, 0);
    plain.AdjustColor(80, 0, 0);
    EXPECT_EQ(At(pre, 0, 0), (Bgra{0, 255, 0, 255}));
    EXPECT_EQ(At(plain, 0, 0), (Bgra{0, 0, 255, 200}));
}

TEST(AdjustColor, GreysAndMagentaKeepTheirColour) {
    HVBitmap b(3, 1, HVB_COLORKEY);
    Put(b, 0, 0, {90, 90, 90, 0});
    Put(b, 1, 0, kMagenta);
    Put(b, 2, 0, {0, 0, 255, 0});  // red, hue 0 → 80 is green
    b.AdjustColor(80, 0, 0);
    EXPECT_EQ(At(b, 0, 0), (Bgra{90, 90, 90, 0}));
    EXPECT_EQ(At(b, 1, 0), kMagenta);
    EXPECT_EQ(At(b, 2, 0), (Bgra{0, 255, 0, 0}));
}

TEST(Hls, PrimaryColoursAndGreysOnThe240Scale) {
    const pixels::Hls red = pixels::RgbToHls(0x0000FF);
    EXPECT_EQ(red.hue, 0);
    EXPECT_EQ(red.luminance, 120);
    EXPECT_EQ(red.saturation, 240);
    const pixels::Hls blue = pixels::RgbToHls(0xFF0000);
    EXPECT_EQ(blue.hue, 160);
    const pixels::Hls grey = pixels::RgbToHls(0x808080);
    EXPECT_EQ(grey.saturation, 0);
    EXPECT_EQ(grey.hue, 160);  // the hue reported for greys
    EXPECT_EQ(pixels::HlsToRgb(80, 120, 240), 0x00FF00u);
    EXPECT_EQ(pixels::HlsToRgb(0, 240, 0), 0xFFFFFFu);
    // Every colour survives the round trip within one step per channel.
    for (uint32_t c = 0; c < 0x1000000; c += 0x010307) {
        const pixels::Hls h = pixels::RgbToHls(c);
        const uint32_t back = pixels::HlsToRgb(h.hue, h.luminance, h.saturation);
        for (int shift = 0; shift < 24; shift += 8)
            ASSERT_LE(std::abs(int((c >> shift) & 255) - int((back >> shift) & 255)), 3) << std::hex << c;
    }
}

// The hue shift's kernel converts with multiplications where RgbToHls and HlsToRgb divide; every
// colour must come out as the two conversions give it, for shifts that wrap either way and for
// a shift so large that the 16-bit hue passes the circle several times. Every green and blue with
// every third red for the first shift, every fifteenth for the others (all 2^24 colours for all
// four shifts take several seconds under the sanitizers; they were checked once that way).
TEST(ShiftHue, ColoursMatchTheConversionsRoundTrip) {
    struct Shift {
        int by, wrapAbove, wrapBy, redStep;
    };
    const Shift shifts[] = {{40, 255, 256, 3}, {200, 159, 160, 15}, {-70, 255, 256, 15}, {30000, 255, 256, 15}};
    std::vector<uint8_t> bits(256 * 256 * 4);
    size_t mismatches = 0;
    for (const Shift& shift : shifts) {
        for (int r = 0; r < 256; r += shift.redStep) {
            for (int i = 0; i < 256 * 256; ++i) {
                bits[size_t(i) * 4] = uint8_t(i & 0xFF);  // blue
                bits[size_t(i) * 4 + 1] = uint8_t(i >> 8);
                bits[size_t(i) * 4 + 2] = uint8_t(r);
                bits[size_t(i) * 4 + 3] = 255;
            }
            pixels::PixelView view;
            view.bits = bits.data();
            view.width = 256;
            view.height = 256;
            pixels::ShiftHue(view, shift.by, shift.wrapAbove, shift.wrapBy, false);
            for (int i = 0; i < 256 * 256; ++i) {
                const uint32_t colour = uint32_t(r) | uint32_t(i >> 8) << 8 | uint32_t(i & 0xFF) << 16;
                const pixels::Hls hls = pixels::RgbToHls(colour);
                uint32_t expected = colour;
                if (hls.saturation != 0) {
                    int64_t hue = int64_t{hls.hue} + shift.by;
                    if (hue > shift.wrapAbove) hue -= shift.wrapBy;
                    expected = pixels::HlsToRgb(uint16_t(hue), hls.luminance, hls.saturation);
                }
                const uint8_t* p = &bits[size_t(i) * 4];
                const uint32_t got = uint32_t(p[2]) | uint32_t(p[1]) << 8 | uint32_t(p[0]) << 16;
                if (got != expected && mismatches++ < 5)
                    ADD_FAILURE() << "colour 0x" << std::hex << colour << " shift " << std::dec << shift.by
                                  << ": got 0x" << std::hex << got << ", expected 0x" << expected;
            }
        }
    }
    EXPECT_EQ(mismatches, 0u);
}
