#pragma once
// PNG decoding from memory into 32-bit pixel storage (blue, green, red, alpha; bottom row first).
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

class PixelStorage;

namespace decoders {

// Grey and palette images become opaque BGRA with a filler byte of 255 (palette transparency, when
// present, fills the fourth byte instead); 16-bit channels are cut to 8, depths below 8 unpacked.
// *hasAlpha is set for grey-with-alpha and RGBA images. Null for truncated, malformed or oversized
// input, with a one-line reason in *reason when given; nothing is read outside the buffer and
// nothing leaks.
std::unique_ptr<PixelStorage> DecodePng(const uint8_t* data, size_t size, bool* hasAlpha,
                                        std::string* reason = nullptr);

}  // namespace decoders
