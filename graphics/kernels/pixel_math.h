#pragma once
// Integer helpers shared by the pixel kernels.
#include <cstdint>

namespace pixels {

constexpr int kMaxByte = 255;

// Magenta, the colour key: blue 255, green 0, red 255; the fourth byte is not looked at.
inline bool IsMagenta(const uint8_t* p) { return p[0] == 255 && p[1] == 0 && p[2] == 255; }

// x × y ÷ 255, truncated. Callers keep x × y within 32 bits (bytes times bytes always are).
inline uint32_t MulDiv255(uint32_t x, uint32_t y) { return x * y / 255u; }

inline uint8_t ClampByte(int v) { return static_cast<uint8_t>(v < 0 ? 0 : (v > kMaxByte ? kMaxByte : v)); }
inline uint8_t CapByte(uint32_t v) { return static_cast<uint8_t>(v > 255u ? 255u : v); }

}  // namespace pixels
