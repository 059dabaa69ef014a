#include "graphics/decoders/tga_decoder.h"

#include <cstring>

#include "graphics/image_limits.h"
#include "graphics/pixel_storage.h"

namespace decoders {

namespace {

constexpr uint8_t kTrueColorUncompressed = 2;
constexpr uint8_t kBitsPerPixel = 32;

uint16_t ReadLe16(const uint8_t* p) {
    return static_cast<uint16_t>(p[0] | p[1] << 8);
}

}  // namespace

std::unique_ptr<PixelStorage> DecodeTga(const uint8_t* data, size_t size, std::string* reason) {
    auto refuse = [reason](const char* why) {
        if (reason) *reason = why;
        return nullptr;
    };
    if (!data || size < kTgaHeaderSize) return refuse("TGA header is cut short");
    const uint8_t idLength = data[0], colorMapType = data[1], imageType = data[2], bits = data[16];
    if (idLength != 0 || colorMapType != 0 || imageType != kTrueColorUncompressed || bits != kBitsPerPixel)
        return refuse("only uncompressed 32-bit TGA images without id or colour map are read");
    const int width = ReadLe16(data + 12), height = ReadLe16(data + 14);
    if (!halvix::DecodedSizeAllowed(width, height)) return refuse("TGA image size out of range");
    const size_t bytes = static_cast<size_t>(width) * static_cast<size_t>(height) * 4;
    if (size - kTgaHeaderSize < bytes) return refuse("TGA pixel data is cut short");
    auto storage = PixelStorage::TryCreate(width, height);
    if (!storage) return refuse("pixel memory could not be allocated");
    std::memcpy(storage->Bits(), data + kTgaHeaderSize, bytes);
    return storage;
}

}  // namespace decoders
