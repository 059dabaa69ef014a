#pragma once
// TGA decoding: only uncompressed 32-bit true colour without an image id or colour map, whose
// rows are stored bottom row first like the bitmap's (the descriptor byte is not consulted).
#include <cstddef>
#include <cstdint>
#include <memory>

class PixelStorage;

namespace decoders {

constexpr size_t kTgaHeaderSize = 18;

// Null for any other kind of TGA, or when the pixel data is shorter than width × height × 4.
std::unique_ptr<PixelStorage> DecodeTga(const uint8_t* data, size_t size);

}  // namespace decoders
