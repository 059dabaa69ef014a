// Fuzzes the TGA decoder with arbitrary bytes.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "graphics/decoders/tga_decoder.h"
#include "graphics/pixel_storage.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    auto storage = decoders::DecodeTga(data, size);
    if (!storage) return 0;
    // An accepted image is exactly the bytes after the header.
    const size_t bytes = static_cast<size_t>(storage->Width()) * storage->Height() * 4;
    if (size < decoders::kTgaHeaderSize + bytes ||
        std::memcmp(storage->Bits(), data + decoders::kTgaHeaderSize, bytes) != 0)
        __builtin_trap();
    return 0;
}
