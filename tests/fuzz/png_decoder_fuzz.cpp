// Fuzzes the PNG decoder with arbitrary bytes. Inputs whose header claims more than 4 million
// pixels are skipped so that runs stay fast; the size limit itself is covered by the unit tests.
#include <cstddef>
#include <cstdint>

#include "graphics/decoders/png_decoder.h"
#include "graphics/pixel_storage.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size >= 24) {
        const uint64_t width = uint64_t{data[16]} << 24 | data[17] << 16 | data[18] << 8 | data[19];
        const uint64_t height = uint64_t{data[20]} << 24 | data[21] << 16 | data[22] << 8 | data[23];
        if (width * height > (4u << 20)) return 0;
    }
    bool alpha = false;
    auto storage = decoders::DecodePng(data, size, &alpha);
    if (storage && (storage->Width() <= 0 || storage->Height() <= 0 || !storage->Bits())) __builtin_trap();
    return 0;
}
