// Pixel storage as a 32-bit device-independent section, so that device contexts can draw from it
// and into it while the kernels work on its bits.
#include "graphics/pixel_storage.h"

#include <windows.h>

#include "graphics/image_limits.h"

namespace {

// Sections are bottom-up (positive height), 32 bits, uncompressed, 72 pixels per metre.
constexpr LONG kPixelsPerMetre = 72;

// The system reports a positive height for top-down sections too, so the row order is found by
// drawing one pixel at the top left through a device context and seeing which row it lands in.
// The pixel is restored afterwards.
bool IsBottomUp(HBITMAP section, uint8_t* bits, int width, int height) {
    if (height < 2) return true;
    HDC dc = CreateCompatibleDC(nullptr);
    if (!dc) return false;
    HGDIOBJ previous = SelectObject(dc, section);
    uint32_t* firstRow = reinterpret_cast<uint32_t*>(bits);
    uint32_t* lastRow = firstRow + static_cast<size_t>(height - 1) * width;
    const uint32_t savedFirst = *firstRow, savedLast = *lastRow;
    // A colour that neither row holds at that place.
    uint32_t probe = 0x00123456;
    while ((probe & 0xFFFFFF) == (savedFirst & 0xFFFFFF) || (probe & 0xFFFFFF) == (savedLast & 0xFFFFFF))
        probe += 0x010101;
    SetPixelV(dc, 0, 0, RGB(probe >> 16 & 0xFF, probe >> 8 & 0xFF, probe & 0xFF));
    GdiFlush();
    const bool bottomUp = (*lastRow & 0xFFFFFF) == (probe & 0xFFFFFF);
    *firstRow = savedFirst;
    *lastRow = savedLast;
    SelectObject(dc, previous);
    DeleteDC(dc);
    return bottomUp;
}

}  // namespace

std::unique_ptr<PixelStorage> PixelStorage::TryCreate(int width, int height) {
    if (!halvix::BitmapSizeAllowed(width, height)) return nullptr;
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    info.bmiHeader.biXPelsPerMeter = kPixelsPerMetre;
    info.bmiHeader.biYPelsPerMeter = kPixelsPerMetre;
    void* bits = nullptr;
    HBITMAP section = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!section) return nullptr;
    if (!bits) {
        DeleteObject(section);
        return nullptr;
    }
    // Fresh sections are zero-filled by the system.
    std::unique_ptr<PixelStorage> storage(new PixelStorage());
    storage->section_ = section;
    storage->bits_ = static_cast<uint8_t*>(bits);
    storage->width_ = width;
    storage->height_ = height;
    return storage;
}

std::unique_ptr<PixelStorage> PixelStorage::AdoptSection(HBITMAP__* section) {
    DIBSECTION dib = {};
    if (!section || GetObjectW(section, sizeof(dib), &dib) != sizeof(dib)) return nullptr;
    const BITMAPINFOHEADER& header = dib.dsBmih;
    if (dib.dsBm.bmBits == nullptr || header.biBitCount != 32 || header.biHeight <= 0 ||
        header.biCompression != BI_RGB || !halvix::BitmapSizeAllowed(header.biWidth, header.biHeight) ||
        dib.dsBm.bmWidthBytes != header.biWidth * 4)
        return nullptr;
    if (!IsBottomUp(section, static_cast<uint8_t*>(dib.dsBm.bmBits), header.biWidth, header.biHeight)) return nullptr;
    std::unique_ptr<PixelStorage> storage(new PixelStorage());
    storage->section_ = section;
    storage->bits_ = static_cast<uint8_t*>(dib.dsBm.bmBits);
    storage->width_ = header.biWidth;
    storage->height_ = header.biHeight;
    return storage;
}

HBITMAP__* PixelStorage::DetachSection() {
    HBITMAP section = section_;
    section_ = nullptr;
    bits_ = nullptr;
    width_ = height_ = 0;
    return section;
}

PixelStorage::~PixelStorage() {
    if (section_) DeleteObject(section_);
}

uint8_t* PixelStorage::Bits() {
    // GDI may batch drawing into the section; the bytes are only current after a flush.
    if (bits_) GdiFlush();
    return bits_;
}
