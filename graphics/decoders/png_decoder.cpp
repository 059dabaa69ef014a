#include "graphics/decoders/png_decoder.h"

#include <png.h>

#include <cstring>
#include <string>
#include <vector>

#include "graphics/image_limits.h"
#include "graphics/pixel_storage.h"

namespace decoders {

namespace {

struct MemoryReader {
    const uint8_t* data;
    size_t size;
    size_t position;
};

void ReadFromMemory(png_structp png, png_bytep out, png_size_t count) {
    auto* reader = static_cast<MemoryReader*>(png_get_io_ptr(png));
    // A request past the end means the image was cut short: fail rather than read on.
    if (count > reader->size - reader->position) png_error(png, "truncated image");
    std::memcpy(out, reader->data + reader->position, count);
    reader->position += count;
}

// libpng's message becomes the reason (the error pointer is the decode's reason text).
void OnError(png_structp png, png_const_charp message) {
    if (auto* reason = static_cast<std::string*>(png_get_error_ptr(png))) *reason = message ? message : "";
    png_longjmp(png, 1);
}

// Ancillary chunks the bitmap has no use for (text, colour management, layout). They are skipped
// unread, so a chunk claiming a gigabyte costs nothing; tRNS stays, as transparency expands through it.
constexpr png_byte kIgnoredChunks[] =
    "bKGD\0cHRM\0eXIf\0gAMA\0hIST\0iCCP\0iTXt\0oFFs\0pCAL\0pHYs\0sBIT\0sCAL\0sPLT\0sRGB\0sTER\0tEXt\0tIME\0zTXt";
constexpr int kIgnoredChunkCount = 18;
// Whatever chunk libpng still keeps may not make it allocate more than this.
constexpr png_alloc_size_t kMaxChunkBytes = 1 << 20;
void OnWarning(png_structp, png_const_charp) {}

// Everything that must survive a longjmp lives outside the frame that calls setjmp.
struct DecodeState {
    png_structp png = nullptr;
    png_infop info = nullptr;
    std::unique_ptr<PixelStorage> storage;
    std::vector<png_bytep> rows;
    bool alpha = false;
    std::string reason;  // set with every failure
};

// Returns false on any failure; libpng's errors arrive here by longjmp, so no C++ object with a
// destructor may be created inside this function.
bool Decode(DecodeState& s, MemoryReader& reader) {
    if (setjmp(png_jmpbuf(s.png))) return false;
    png_set_read_fn(s.png, &reader, ReadFromMemory);
    // Refuse huge images before libpng allocates anything for their rows.
    png_set_user_limits(s.png, halvix::kMaxDecodedSide, halvix::kMaxDecodedSide);
    png_set_chunk_malloc_max(s.png, kMaxChunkBytes);
    png_set_keep_unknown_chunks(s.png, PNG_HANDLE_CHUNK_NEVER, kIgnoredChunks, kIgnoredChunkCount);
    png_read_info(s.png, s.info);

    png_uint_32 width = 0, height = 0;
    int bitDepth = 0, colorType = 0, interlace = 0;
    png_get_IHDR(s.png, s.info, &width, &height, &bitDepth, &colorType, &interlace, nullptr, nullptr);
    if (!halvix::DecodedSizeAllowed(width, height)) {
        s.reason = "image size out of range";
        return false;
    }

    switch (colorType) {
        case PNG_COLOR_TYPE_GRAY:
            png_set_gray_to_rgb(s.png);
            png_set_expand(s.png);
            s.alpha = false;
            break;
        case PNG_COLOR_TYPE_GRAY_ALPHA:
            png_set_gray_to_rgb(s.png);
            png_set_expand(s.png);
            s.alpha = true;
            break;
        case PNG_COLOR_TYPE_RGB_ALPHA:
            s.alpha = true;
            break;
        case PNG_COLOR_TYPE_PALETTE:
            png_set_expand(s.png);
            s.alpha = false;
            break;
        default:
            s.alpha = false;
            break;
    }
    png_set_bgr(s.png);
    if (!s.alpha) png_set_filler(s.png, 0xFF, PNG_FILLER_AFTER);
    if (bitDepth == 16) png_set_strip_16(s.png);
    if (bitDepth < 8) png_set_packing(s.png);
    if (interlace != PNG_INTERLACE_NONE) png_set_interlace_handling(s.png);
    png_read_update_info(s.png, s.info);
    // Whatever the transformations gave, a row must be exactly 4 bytes a pixel.
    if (png_get_rowbytes(s.png, s.info) != static_cast<png_size_t>(width) * 4) {
        s.reason = "unsupported pixel layout";
        return false;
    }

    s.storage = PixelStorage::TryCreate(static_cast<int>(width), static_cast<int>(height));
    if (!s.storage) {
        s.reason = "pixel memory could not be allocated";
        return false;
    }
    s.rows.resize(height);
    const pixels::PixelView view = s.storage->View(1, 0);
    for (png_uint_32 i = 0; i < height; ++i) s.rows[i] = view.Row(static_cast<int>(i));
    png_read_image(s.png, s.rows.data());
    png_read_end(s.png, nullptr);
    return true;
}

}  // namespace

std::unique_ptr<PixelStorage> DecodePng(const uint8_t* data, size_t size, bool* hasAlpha, std::string* reason) {
    if (hasAlpha) *hasAlpha = false;
    if (!data || size < 8 || png_sig_cmp(data, 0, 8) != 0) {
        if (reason) *reason = "not a PNG image";
        return nullptr;
    }
    DecodeState s;
    s.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &s.reason, OnError, OnWarning);
    if (!s.png) {
        if (reason) *reason = "decoder memory could not be allocated";
        return nullptr;
    }
    s.info = png_create_info_struct(s.png);
    MemoryReader reader{data, size, 0};
    const bool ok = s.info && Decode(s, reader);
    png_destroy_read_struct(&s.png, s.info ? &s.info : nullptr, nullptr);
    if (!ok) {
        if (reason) *reason = s.reason.empty() ? "damaged PNG image" : "PNG: " + s.reason;
        return nullptr;
    }
    if (hasAlpha) *hasAlpha = s.alpha;
    return std::move(s.storage);
}

}  // namespace decoders
