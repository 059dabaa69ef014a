#pragma once
// TGA decoding: only uncompressed 32-bit true colour without an image id or colour map, whose
// rows are stored bottom row first like the bitmap's (the descriptor byte is not consulted).
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

class PixelStorage;

namespace decoders {

constexpr size_t kTgaHeaderSize = 18;

// Null for any other kind of TGA, or when the pixel data is shorter than width × height × 4, with a
// one-line reason in *reason when given.
std::unique_ptr<PixelStorage> DecodeTga(const uint8_t* data, size_t size, std::string* reason = nullptr);

}  // namespace decoders
