#include "graphics/decoders/icon_decoder.h"

#include <algorithm>
#include <cstring>

#include "graphics/decoders/byte_cursor.h"
#include "graphics/decoders/icon_dib.h"
#include "graphics/decoders/png_decoder.h"

namespace decoders {

namespace {

constexpr size_t kDirectoryHeaderSize = 6;
constexpr uint8_t kPngSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
constexpr size_t kPngSizeAt = 16;  // width and height, big-endian, in the IHDR chunk that must come first

uint32_t ReadBe32(const uint8_t* p) {
    return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | p[3];
}

struct Entry {
    uint16_t hotSpotX = 0;  // planes in an icon directory
    uint16_t hotSpotY = 0;  // bits a pixel in an icon directory
    uint32_t bytes = 0;
    uint32_t offset = 0;
};

bool DecodePngEntry(const uint8_t* data, size_t size, IconImage& image, uint64_t& budget, std::string& reason) {
    // The size is read from the header first, so the budget is checked before libpng allocates.
    if (size >= kPngSizeAt + 8) {
        // Sides are cut to 2^20 so the product cannot wrap; the decoder refuses such sides anyway.
        const uint64_t width = std::min<uint32_t>(ReadBe32(data + kPngSizeAt), 1u << 20);
        const uint64_t height = std::min<uint32_t>(ReadBe32(data + kPngSizeAt + 4), 1u << 20);
        const uint64_t bytes = width * height * 4;
        if (bytes > budget) {
            reason = "the images decode to more pixel memory than allowed";
            return false;
        }
    }
    image.pixels = DecodePng(data, size, nullptr);
    if (!image.pixels) {
        reason = "damaged or truncated PNG image";
        return false;
    }
    budget -= uint64_t(image.pixels->Width()) * uint64_t(image.pixels->Height()) * 4;
    image.png = true;
    image.bitCount = 32;
    return true;
}

}  // namespace

bool LooksLikeIconFile(const uint8_t* data, size_t size) {
    if (!data || size < kDirectoryHeaderSize) return false;
    const uint16_t type = uint16_t(data[2] | data[3] << 8);
    return data[0] == 0 && data[1] == 0 && (type == kIconFileType || type == kCursorFileType);
}

bool TryDecodeIconFile(const uint8_t* data, size_t size, IconFile& out, std::string& reason, uint64_t* pixelBudget) {
    out = IconFile{};
    uint64_t ownBudget = kMaxIconPixelBytes;
    uint64_t& budget = pixelBudget ? *pixelBudget : ownBudget;
    ByteCursor in(data, size);
    const uint16_t reserved = in.U16("the directory header");
    const uint16_t type = in.U16("the directory header");
    const uint16_t count = in.U16("the directory header");
    if (!in.Ok()) {
        reason = in.Reason();
        return false;
    }
    if (reserved != 0 || (type != kIconFileType && type != kCursorFileType)) {
        reason = "not an icon or cursor file";
        return false;
    }
    if (count == 0) {
        reason = "the directory has no entries";
        return false;
    }
    if (count > kMaxIconEntries) {
        reason =
            "the directory claims " + std::to_string(count) + " entries, more than " + std::to_string(kMaxIconEntries);
        return false;
    }
    std::vector<Entry> entries(count);
    for (Entry& entry : entries) {
        in.Skip(4, "the directory");  // width, height, colour count, reserved: the image's own header says
        entry.hotSpotX = in.U16("the directory");
        entry.hotSpotY = in.U16("the directory");
        entry.bytes = in.U32("the directory");
        entry.offset = in.U32("the directory");
    }
    if (!in.Ok()) {
        reason = "the directory of " + std::to_string(count) + " entries runs past the end of the data";
        return false;
    }

    IconFile decoded;  // handed out only once every entry decoded
    decoded.type = type;
    for (size_t i = 0; i < entries.size(); ++i) {
        const Entry& entry = entries[i];
        const std::string where = "entry " + std::to_string(i + 1) + ": ";
        if (!in.Contains(entry.offset, entry.bytes) || entry.bytes == 0) {
            reason = where + "image data lies outside the file";
            return false;
        }
        const uint8_t* bytes = data + entry.offset;
        IconImage image;
        std::string why;
        if (entry.bytes >= sizeof kPngSignature && std::memcmp(bytes, kPngSignature, sizeof kPngSignature) == 0) {
            if (!DecodePngEntry(bytes, entry.bytes, image, budget, why)) {
                reason = where + why;
                return false;
            }
        } else {
            image.pixels = TryDecodeIconDib(bytes, entry.bytes, &image.bitCount, budget, why);
            if (!image.pixels) {
                reason = where + why;
                return false;
            }
        }
        if (type == kCursorFileType) {
            image.hotSpotX = entry.hotSpotX;
            image.hotSpotY = entry.hotSpotY;
        } else {
            image.hotSpotX = image.Width() / 2;
            image.hotSpotY = image.Height() / 2;
        }
        decoded.images.push_back(std::move(image));
    }
    out = std::move(decoded);
    return true;
}

}  // namespace decoders
