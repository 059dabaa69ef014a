// Fuzzes the JPEG decoder with arbitrary bytes.
#include <cstddef>
#include <cstdint>

#include "graphics/decoders/jpeg_decoder.h"
#include "graphics/pixel_storage.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    auto storage = decoders::DecodeJpeg(data, size);
    if (storage && (storage->Width() <= 0 || storage->Height() <= 0)) __builtin_trap();
    return 0;
}
