#pragma once
// Size limits for pixel memory. Images come from theme files written by strangers, so every size
// is checked before anything is allocated from it.
#include <cstddef>
#include <cstdint>

namespace halvix {

// Decoded images (PNG, TGA, JPEG, BMP) larger than this on either side are refused.
constexpr int kMaxDecodedSide = 16384;

// No bitmap may hold more pixel bytes than this: a decoded image at the side limit needs exactly
// this much, and bitmaps made by operations (shadows, resizing) must stay within the same budget.
constexpr uint64_t kMaxBitmapBytes = uint64_t(1) << 30;
constexpr int kMaxBitmapSide = 1 << 20;

// True when width × height 32-bit pixels may be allocated.
inline bool BitmapSizeAllowed(int64_t width, int64_t height) {
    if (width <= 0 || height <= 0 || width > kMaxBitmapSide || height > kMaxBitmapSide) return false;
    return static_cast<uint64_t>(width) * static_cast<uint64_t>(height) * 4u <= kMaxBitmapBytes;
}

inline bool DecodedSizeAllowed(int64_t width, int64_t height) {
    return width > 0 && height > 0 && width <= kMaxDecodedSide && height <= kMaxDecodedSide;
}

}  // namespace halvix
