// Fuzzes the icon and cursor decoder with arbitrary bytes: every entry it accepts must be a whole
// image within the limits, every refusal must come with a one-line reason.
#include <cstddef>
#include <cstdint>
#include <string>

#include "graphics/decoders/icon_decoder.h"
#include "graphics/image_limits.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    decoders::IconFile file;
    std::string reason;
    // A smaller budget than files get keeps runs fast; the budget itself is covered by the unit tests.
    uint64_t budget = 16u << 20;
    if (!decoders::TryDecodeIconFile(data, size, file, reason, &budget)) {
        if (reason.empty() || reason.find('\n') != std::string::npos || !file.images.empty()) __builtin_trap();
        return 0;
    }
    if (file.images.empty() || file.images.size() > size_t(decoders::kMaxIconEntries)) __builtin_trap();
    uint32_t sum = 0;
    for (const decoders::IconImage& image : file.images) {
        if (!halvix::DecodedSizeAllowed(image.Width(), image.Height())) __builtin_trap();
        if (image.bitCount != 1 && image.bitCount != 4 && image.bitCount != 8 && image.bitCount != 24 &&
            image.bitCount != 32)
            __builtin_trap();
        // Every pixel byte is read, so the sanitizers see any short allocation.
        const uint8_t* bits = image.pixels->Bits();
        for (size_t i = 0, n = size_t(image.Width()) * image.Height() * 4; i < n; ++i) sum += bits[i];
    }
    return sum == 0xFFFFFFFF ? 1 : 0;
}
