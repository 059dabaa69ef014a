#pragma once
// PixelStorage owns the memory of one 32-bit bitmap: width × height pixels, bottom row first,
// zero-filled when made. In the native build it is a heap buffer; on Windows it is a
// device-independent section that device contexts can select (pixel_storage_win.cpp), so the same
// bitmap code and pixel kernels run on both.
#include <cstdint>
#include <memory>

#include "graphics/kernels/pixel_view.h"

#ifdef _WIN32
struct HBITMAP__;
#endif

class PixelStorage {
public:
    // Null when the size is not positive, is above the bitmap limits or cannot be allocated.
    static std::unique_ptr<PixelStorage> TryCreate(int width, int height);
    ~PixelStorage();
    PixelStorage(const PixelStorage&) = delete;
    PixelStorage& operator=(const PixelStorage&) = delete;

    int Width() const { return width_; }
    int Height() const { return height_; }
    // On Windows this first completes any drawing still queued for the section.
    uint8_t* Bits();
    pixels::PixelView View(int frames, uint32_t flags) { return {Bits(), width_, height_, frames, flags}; }

#ifdef _WIN32
    HBITMAP__* Section() const { return section_; }
    // Takes ownership of a section that is already 32 bits, bottom-up; null (and the handle
    // untouched) otherwise.
    static std::unique_ptr<PixelStorage> AdoptSection(HBITMAP__* section);
    // Gives the section to the caller, who deletes it; the storage is empty afterwards.
    HBITMAP__* DetachSection();
#endif

private:
    PixelStorage() = default;

    uint8_t* bits_ = nullptr;
    int width_ = 0;
    int height_ = 0;
#ifdef _WIN32
    HBITMAP__* section_ = nullptr;
#endif
};
