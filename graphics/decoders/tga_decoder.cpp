#include "graphics/decoders/tga_decoder.h"

#include <cstring>

#include "graphics/image_limits.h"
#include "graphics/pixel_storage.h"

namespace decoders {

namespace {

constexpr uint8_t kTrueColorUncompressed = 2;
constexpr uint8_t kBitsPerPixel = 32;

uint16_t ReadLe16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }

}  // namespace

std::unique_ptr<PixelStorage> DecodeTga(const uint8_t* data, size_t size) {
    if (!data || size < kTgaHeaderSize) return nullptr;
    const uint8_t idLength = data[0], colorMapType = data[1], imageType = data[2], bits = data[16];
    if (idLength != 0 || colorMapType != 0 || imageType != kTrueColorUncompressed || bits != kBitsPerPixel)
        return nullptr;
    const int width = ReadLe16(data + 12), height = ReadLe16(data + 14);
    if (!halvix::DecodedSizeAllowed(width, height)) return nullptr;
    const size_t bytes = static_cast<size_t>(width) * static_cast<size_t>(height) * 4;
    if (size - kTgaHeaderSize < bytes) return nullptr;
    auto storage = PixelStorage::TryCreate(width, height);
    if (!storage) return nullptr;
    std::memcpy(storage->Bits(), data + kTgaHeaderSize, bytes);
    return storage;
}

}  // namespace decoders
