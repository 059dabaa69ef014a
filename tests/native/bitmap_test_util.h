#pragma once
// Small helpers for the bitmap tests: pixels addressed from the top left, as images are read.
#include <array>
#include <cstdint>

#include "graphics/hv_bitmap.h"

using Bgra = std::array<uint8_t, 4>;

inline uint8_t* PixelAt(HVBitmap& b, int x, int y) {
    return b.Bits() + (static_cast<size_t>(b.Height() - 1 - y) * b.Width() + x) * 4;
}

inline void Put(HVBitmap& b, int x, int y, Bgra v) {
    uint8_t* p = PixelAt(b, x, y);
    for (int i = 0; i < 4; ++i) p[i] = v[i];
}

inline Bgra At(HVBitmap& b, int x, int y) {
    const uint8_t* p = PixelAt(b, x, y);
    return {p[0], p[1], p[2], p[3]};
}

inline void Fill(HVBitmap& b, Bgra v) {
    for (int y = 0; y < b.Height(); ++y)
        for (int x = 0; x < b.Width(); ++x) Put(b, x, y, v);
}

constexpr Bgra kMagenta = {255, 0, 255, 0};
