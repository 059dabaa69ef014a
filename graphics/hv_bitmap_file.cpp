// The file constructor of HVBitmap: PNG, TGA and JPEG (with its "#MASK#" alpha image) through the
// portable decoders, BMP through the platform's loader.
#include <cwctype>

#include "graphics/decoders/jpeg_decoder.h"
#include "graphics/decoders/png_decoder.h"
#include "graphics/decoders/tga_decoder.h"
#include "graphics/file_bytes.h"
#include "graphics/hv_bitmap.h"
#include "graphics/kernels/alpha.h"
#include "graphics/pixel_storage.h"

namespace {

constexpr size_t kExtensionLength = 4;  // ".bmp", ".png", ".tga", ".jpg"

bool HasExtension(const std::wstring& path, const wchar_t* extension) {
    const size_t start = path.size() - kExtensionLength;
    for (size_t i = 0; i < kExtensionLength; ++i)
        if (std::towlower(path[start + i]) != static_cast<wint_t>(extension[i])) return false;
    return true;
}

std::unique_ptr<PixelStorage> LoadJpegFile(const std::wstring& path) {
    std::vector<uint8_t> bytes;
    if (!halvix::ReadFileBytes(path, &bytes)) return nullptr;
    return decoders::DecodeJpeg(bytes.data(), bytes.size());
}

}  // namespace

HVBitmap::HVBitmap(const std::wstring& path, uint32_t flags) {
    ApplyFlags(flags);
    LoadFile(path);
    if (!storage_) return;
    width_ = storage_->Width();
    height_ = storage_->Height();
    // A 32-bit image read without alpha counts as 24 bits.
    if (bitsPerPixel_ == 32 && !hasAlpha_) bitsPerPixel_ = 24;
}

void HVBitmap::LoadFile(const std::wstring& path) {
    // The shortest name with an extension, "a.png", has 5 characters.
    if (path.size() < kExtensionLength + 1) return;
    if (HasExtension(path, L".bmp")) {
        LoadPlatformImage(path);
    } else if (HasExtension(path, L".png")) {
        std::vector<uint8_t> bytes;
        bool alpha = false;
        if (halvix::ReadFileBytes(path, &bytes)) storage_ = decoders::DecodePng(bytes.data(), bytes.size(), &alpha);
        if (!storage_) {
            ReportPngFailure(path);
            return;
        }
        hasAlpha_ = alpha;
    } else if (HasExtension(path, L".tga")) {
        hasAlpha_ = true;
        std::vector<uint8_t> bytes;
        if (halvix::ReadFileBytes(path, &bytes)) storage_ = decoders::DecodeTga(bytes.data(), bytes.size());
    } else if (HasExtension(path, L".jpg")) {
        hasAlpha_ = false;
        colorKeyed_ = false;
        storage_ = LoadJpegFile(path);
        if (!storage_) return;
        // arrow.jpg has its alpha in arrow#MASK#.jpg (red byte).
        const std::wstring maskPath = path.substr(0, path.size() - kExtensionLength) + L"#MASK#.jpg";
        if (auto mask = LoadJpegFile(maskPath)) {
            hasAlpha_ = true;
            pixels::ApplyRedMask(storage_->View(1, 0), mask->View(1, 0));
        }
    }
}
