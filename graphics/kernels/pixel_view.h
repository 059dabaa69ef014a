#pragma once
// A view of 32-bit pixels that the kernels work on. The view never owns its memory: the bitmap (or
// a test's buffer) does. Pixels are 4 bytes, blue, green, red, alpha; rows are stored bottom row
// first with a stride of width × 4; frames of equal width lie side by side.
#include <cstddef>
#include <cstdint>

namespace pixels {

// Flag bits of a view. The first three have the values of the bitmap construction flags.
constexpr uint32_t kColorKeyed = 0x02;     // pure magenta pixels are transparent
constexpr uint32_t kHasAlpha = 0x10;       // the fourth byte is a meaningful alpha value
constexpr uint32_t kPremultiplied = 0x20;  // colour bytes are already multiplied by alpha
constexpr uint32_t kOpaque = 0x100;        // drawn as a plain copy; never premultiplied

struct PixelView {
    uint8_t* bits = nullptr;
    int width = 0;
    int height = 0;
    int frames = 1;
    uint32_t flags = 0;

    bool Empty() const { return bits == nullptr || width <= 0 || height <= 0; }
    size_t Stride() const { return static_cast<size_t>(width) * 4; }
    size_t ByteCount() const { return Stride() * static_cast<size_t>(height); }
    // A frame count of 0 counts as one frame wherever frames are iterated.
    int FrameCount() const { return frames > 0 ? frames : 1; }
    int FrameWidth() const { return width / FrameCount(); }
    // Image row y, counted from the top.
    uint8_t* Row(int y) const { return bits + static_cast<size_t>(height - 1 - y) * Stride(); }
    uint8_t* Pixel(int x, int y) const { return Row(y) + static_cast<size_t>(x) * 4; }
    bool Has(uint32_t flag) const { return (flags & flag) != 0; }
};

}  // namespace pixels
