#pragma once
// One image of an icon or cursor file stored as a device-independent bitmap: an info header,
// a palette for 1, 4 and 8 bits, the colour rows and then the mask rows (1 bit a pixel), both
// bottom row first and padded to 4 bytes. The header's height counts both halves.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

class PixelStorage;

namespace decoders {

// Decodes into BGRA with straight alpha, bottom row first. A 32-bit image whose alpha bytes are
// not all zero keeps them; every other image takes its alpha from the mask (set bit: transparent,
// all four bytes 0). A pixel whose mask bit is set but whose colour is not black inverts the screen
// under it on Windows; it becomes opaque black. *bitCount receives the depth. budget is the pixel
// memory still allowed (reduced by what this image takes). Null with a one-line reason for
// anything malformed, compressed or over a limit.
std::unique_ptr<PixelStorage> TryDecodeIconDib(const uint8_t* data, size_t size, int* bitCount, uint64_t& budget,
                                               std::string& reason);

}  // namespace decoders
