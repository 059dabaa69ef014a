#include "graphics/decoders/icon_dib.h"

#include <cstring>
#include <vector>

#include "graphics/decoders/byte_cursor.h"
#include "graphics/image_limits.h"
#include "graphics/pixel_storage.h"

namespace decoders {

namespace {

constexpr uint32_t kInfoHeaderSize = 40;  // the smallest header with the fields read here
constexpr uint32_t kUncompressed = 0;

struct DibHeader {
    int width = 0;
    int height = 0;  // of the image alone: half the stored height
    int bits = 0;
    uint64_t paletteCount = 0;
};

// Bytes of one row of `width` pixels at `bits` each, padded to 4 bytes.
uint64_t RowBytes(int width, int bits) {
    return (static_cast<uint64_t>(width) * static_cast<uint64_t>(bits) + 31) / 32 * 4;
}

bool ReadHeader(ByteCursor& in, DibHeader& header) {
    const uint32_t headerSize = in.U32("the bitmap header");
    const int32_t width = in.I32("the bitmap header");
    const int32_t storedHeight = in.I32("the bitmap header");
    in.U16("the bitmap header");  // planes: always 1, never consulted
    const uint16_t bits = in.U16("the bitmap header");
    const uint32_t compression = in.U32("the bitmap header");
    in.Skip(12, "the bitmap header");  // image size and resolution
    const uint32_t colorsUsed = in.U32("the bitmap header");
    if (!in.Ok()) return false;
    if (headerSize < kInfoHeaderSize) return in.Fail("bitmap header of " + std::to_string(headerSize) + " bytes");
    if (!in.Seek(headerSize, "the bitmap header")) return false;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32)
        return in.Fail("bitmaps of " + std::to_string(bits) + " bits a pixel are not supported");
    if (compression != kUncompressed) return in.Fail("compressed bitmaps are not supported");
    if (width <= 0 || storedHeight < 2) return in.Fail("bitmap size is not positive");
    header.width = width;
    header.height = storedHeight / 2;
    if (!halvix::DecodedSizeAllowed(header.width, header.height))
        return in.Fail("bitmap of " + std::to_string(width) + " x " + std::to_string(header.height) +
                       " pixels is larger than " + std::to_string(halvix::kMaxDecodedSide) + " on a side");
    header.bits = bits;
    // Deep images may still carry a colour table (an optimisation hint): it is skipped unread.
    const uint64_t fullPalette = bits <= 8 ? (uint64_t(1) << bits) : 0;
    header.paletteCount = colorsUsed ? colorsUsed : fullPalette;
    if (bits <= 8 && header.paletteCount > fullPalette)
        return in.Fail("palette of " + std::to_string(colorsUsed) + " colours for " + std::to_string(bits) + " bits");
    return true;
}

// The palette index or colour of pixel x in a colour row, as BGRA with alpha 255.
uint32_t ColourAt(const uint8_t* row, int x, int bits, const std::vector<uint32_t>& palette) {
    uint32_t index = 0;
    switch (bits) {
        case 1:
            index = (row[x >> 3] >> (7 - (x & 7))) & 1;
            break;
        case 4:
            index = (row[x >> 1] >> ((x & 1) ? 0 : 4)) & 0xF;
            break;
        case 8:
            index = row[x];
            break;
        case 24: {
            const uint8_t* p = row + size_t(x) * 3;
            return p[0] | p[1] << 8 | p[2] << 16 | 0xFF000000u;
        }
        default: {
            const uint8_t* p = row + size_t(x) * 4;
            return p[0] | p[1] << 8 | p[2] << 16 | uint32_t(p[3]) << 24;
        }
    }
    // Indices past a short palette are black, as the system draws them.
    return index < palette.size() ? palette[index] : 0xFF000000u;
}

void Store(uint8_t* p, uint32_t bgra) {
    p[0] = uint8_t(bgra);
    p[1] = uint8_t(bgra >> 8);
    p[2] = uint8_t(bgra >> 16);
    p[3] = uint8_t(bgra >> 24);
}

}  // namespace

std::unique_ptr<PixelStorage> TryDecodeIconDib(const uint8_t* data, size_t size, int* bitCount, uint64_t& budget,
                                               std::string& reason) {
    ByteCursor in(data, size);
    DibHeader header;
    if (!ReadHeader(in, header)) {
        reason = in.Reason();
        return nullptr;
    }
    std::vector<uint32_t> palette;
    if (header.bits <= 8) {
        const uint8_t* entries = in.Bytes(header.paletteCount * 4, "the palette");
        if (!entries) {
            reason = in.Reason();
            return nullptr;
        }
        palette.resize(header.paletteCount);
        for (size_t i = 0; i < palette.size(); ++i)
            palette[i] = entries[4 * i] | entries[4 * i + 1] << 8 | entries[4 * i + 2] << 16 | 0xFF000000u;
    } else if (!in.Skip(header.paletteCount * 4, "the colour table")) {
        reason = in.Reason();
        return nullptr;
    }

    const uint64_t colourStride = RowBytes(header.width, header.bits);
    const uint64_t maskStride = RowBytes(header.width, 1);
    const uint8_t* colours = in.Bytes(colourStride * uint64_t(header.height), "the colour rows");
    if (!colours) {
        reason = in.Reason();
        return nullptr;
    }
    // 32-bit images with alpha need no mask, and some writers leave it out.
    const uint8_t* mask = in.Bytes(maskStride * uint64_t(header.height), "the mask rows");
    if (!mask && header.bits != 32) {
        reason = in.Reason();
        return nullptr;
    }

    // Checked before allocating: the pixel memory this file may still take.
    const uint64_t pixelBytes = uint64_t(header.width) * uint64_t(header.height) * 4;
    if (pixelBytes > budget) {
        reason = "the images decode to more pixel memory than allowed";
        return nullptr;
    }
    auto storage = PixelStorage::TryCreate(header.width, header.height);
    if (!storage) {
        reason = "not enough memory for the image";
        return nullptr;
    }
    budget -= pixelBytes;

    bool anyAlpha = false;
    if (header.bits == 32) {
        for (uint64_t i = 0, n = colourStride * uint64_t(header.height); i < n && !anyAlpha; i += 4)
            anyAlpha = colours[i + 3] != 0;
    }
    uint8_t* out = storage->Bits();
    for (int y = 0; y < header.height; ++y) {  // both the file and the storage start at the bottom row
        const uint8_t* colourRow = colours + colourStride * uint64_t(y);
        const uint8_t* maskRow = mask ? mask + maskStride * uint64_t(y) : nullptr;
        for (int x = 0; x < header.width; ++x, out += 4) {
            uint32_t pixel = ColourAt(colourRow, x, header.bits, palette);
            if (anyAlpha) {
                Store(out, pixel);
                continue;
            }
            const bool masked = maskRow && ((maskRow[x >> 3] >> (7 - (x & 7))) & 1);
            if (!masked)
                pixel |= 0xFF000000u;
            else
                pixel = (pixel & 0xFFFFFF) ? 0xFF000000u : 0;  // an inverting pixel: opaque black
            Store(out, pixel);
        }
    }
    if (bitCount) *bitCount = header.bits;
    return storage;
}

}  // namespace decoders
