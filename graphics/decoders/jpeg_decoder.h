#pragma once
// JPEG decoding from memory into 32-bit pixel storage: blue, green, red and a fourth byte of 0;
// greyscale images repeat the grey value in all three colour bytes.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

class PixelStorage;

namespace decoders {

// Null for truncated, malformed or oversized input, or for a failure part-way through decoding,
// with a one-line reason in *reason when given.
std::unique_ptr<PixelStorage> DecodeJpeg(const uint8_t* data, size_t size, std::string* reason = nullptr);

}  // namespace decoders
