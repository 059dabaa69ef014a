#include "graphics/decoders/jpeg_decoder.h"

// jpeglib.h needs size_t and FILE declared first.
#include <cstdio>
#include <csetjmp>

#include <jpeglib.h>

#include "graphics/image_limits.h"
#include "graphics/pixel_storage.h"

namespace decoders {

namespace {

struct ErrorManager {
    jpeg_error_mgr base;
    jmp_buf escape;
    char message[JMSG_LENGTH_MAX];  // libjpeg's text of the error that ended the decode
};

// Keeps libjpeg's text of the current message, then leaves the decode.
[[noreturn]] void Escape(j_common_ptr info) {
    auto* errors = reinterpret_cast<ErrorManager*>(info->err);
    (*info->err->format_message)(info, errors->message);
    longjmp(errors->escape, 1);
}

// A fatal error returns control to the decoder instead of ending the process.
void OnFatalError(j_common_ptr info) {
    Escape(info);
}
void OnMessage(j_common_ptr) {}

// Premature end of data is only a warning to libjpeg (it pads with grey); a cut image is refused.
void OnWarning(j_common_ptr info, int level) {
    if (level < 0) Escape(info);
}

struct DecodeState {
    jpeg_decompress_struct cinfo;
    ErrorManager errors;
    std::unique_ptr<PixelStorage> storage;
    const char* reason = nullptr;  // a failure of the decoder's own checks
};

// No C++ object with a destructor may live in this frame: errors leave it by longjmp.
bool Decode(DecodeState& s, const uint8_t* data, size_t size) {
    if (setjmp(s.errors.escape)) return false;
    jpeg_create_decompress(&s.cinfo);
    jpeg_mem_src(&s.cinfo, data, static_cast<unsigned long>(size));
    if (jpeg_read_header(&s.cinfo, TRUE) != JPEG_HEADER_OK) {
        s.reason = "JPEG header is missing";
        return false;
    }
    if (!halvix::DecodedSizeAllowed(s.cinfo.image_width, s.cinfo.image_height)) {
        s.reason = "JPEG image size out of range";
        return false;
    }
    jpeg_start_decompress(&s.cinfo);
    const int width = static_cast<int>(s.cinfo.output_width), height = static_cast<int>(s.cinfo.output_height);
    const int components = s.cinfo.output_components;
    if (!halvix::DecodedSizeAllowed(width, height) || (components != 1 && components != 3)) {
        s.reason = "unsupported JPEG colour layout";
        return false;
    }
    s.storage = PixelStorage::TryCreate(width, height);
    if (!s.storage) {
        s.reason = "pixel memory could not be allocated";
        return false;
    }
    const pixels::PixelView view = s.storage->View(1, 0);
    // Each scanline is decoded into the last bytes of its destination row, then spread to 4 bytes
    // a pixel from left to right, which never overwrites bytes not yet read.
    while (s.cinfo.output_scanline < s.cinfo.output_height) {
        uint8_t* row = view.Row(static_cast<int>(s.cinfo.output_scanline));
        uint8_t* packed = row + static_cast<size_t>(width) * (4 - components);
        JSAMPROW rows[1] = {packed};
        if (jpeg_read_scanlines(&s.cinfo, rows, 1) != 1) {
            s.reason = "JPEG scan line could not be read";
            return false;
        }
        for (int x = 0; x < width; ++x) {
            uint8_t* out = row + static_cast<size_t>(x) * 4;
            if (components == 3) {
                const uint8_t r = packed[x * 3], g = packed[x * 3 + 1], b = packed[x * 3 + 2];
                out[0] = b;
                out[1] = g;
                out[2] = r;
            } else {
                const uint8_t grey = packed[x];
                out[0] = out[1] = out[2] = grey;
            }
            out[3] = 0;
        }
    }
    jpeg_finish_decompress(&s.cinfo);
    return true;
}

}  // namespace

std::unique_ptr<PixelStorage> DecodeJpeg(const uint8_t* data, size_t size, std::string* reason) {
    if (!data || size == 0) {
        if (reason) *reason = "empty JPEG data";
        return nullptr;
    }
    DecodeState s;
    s.errors.message[0] = '\0';
    s.cinfo.err = jpeg_std_error(&s.errors.base);
    s.errors.base.error_exit = OnFatalError;
    s.errors.base.output_message = OnMessage;
    s.errors.base.emit_message = OnWarning;
    const bool ok = Decode(s, data, size);
    jpeg_destroy_decompress(&s.cinfo);
    if (!ok) {
        if (reason) {
            if (s.reason)
                *reason = s.reason;
            else if (s.errors.message[0])
                *reason = std::string("JPEG: ") + s.errors.message;
            else
                *reason = "damaged JPEG image";
        }
        return nullptr;
    }
    return std::move(s.storage);
}

}  // namespace decoders
