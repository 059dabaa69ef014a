#pragma once
// Decoding of Windows icon and cursor files (.ico, .cur), which are also the frames of animated
// cursors: a directory of entries, each image stored as PNG or as a device-independent bitmap
// (graphics/decoders/icon_dib.h). The decoded file owns its images.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "graphics/pixel_storage.h"

namespace decoders {

constexpr int kMaxIconEntries = 256;
// All images of one file (an animated cursor counts its frames together) may decode to this many
// pixel bytes: small PNG entries can claim large images.
constexpr uint64_t kMaxIconPixelBytes = uint64_t(256) << 20;

constexpr uint16_t kIconFileType = 1;
constexpr uint16_t kCursorFileType = 2;

struct IconImage {
    std::unique_ptr<PixelStorage> pixels;  // BGRA with straight alpha, bottom row first
    int hotSpotX = 0;                      // from the cursor directory; the centre for icons
    int hotSpotY = 0;
    int bitCount = 0;  // 1, 4, 8, 24 or 32; 32 for PNG
    bool png = false;

    int Width() const { return pixels ? pixels->Width() : 0; }
    int Height() const { return pixels ? pixels->Height() : 0; }
};

struct IconFile {
    uint16_t type = 0;              // kIconFileType or kCursorFileType
    std::vector<IconImage> images;  // directory order
};

// True when the bytes start like an icon or cursor directory (reserved 0, type 1 or 2).
bool LooksLikeIconFile(const uint8_t* data, size_t size);

// Decodes every entry. The whole file is refused, with a one-line reason, when any entry is
// malformed or out of bounds, the directory claims more than kMaxIconEntries entries or runs past
// the data, or the images need more than *pixelBudget bytes (kMaxIconPixelBytes when null); the
// budget is reduced by what the images take.
bool TryDecodeIconFile(const uint8_t* data, size_t size, IconFile& out, std::string& reason,
                       uint64_t* pixelBudget = nullptr);

}  // namespace decoders
