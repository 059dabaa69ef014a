// Heap-backed pixel storage of the native build; Windows uses sections (pixel_storage_win.cpp).
#ifndef _WIN32
#include "graphics/pixel_storage.h"

#include <cstdlib>

#include "graphics/image_limits.h"

std::unique_ptr<PixelStorage> PixelStorage::TryCreate(int width, int height) {
    if (!halvix::BitmapSizeAllowed(width, height)) return nullptr;
    void* memory = std::calloc(static_cast<size_t>(width) * static_cast<size_t>(height), 4);
    if (!memory) return nullptr;
    std::unique_ptr<PixelStorage> storage(new PixelStorage());
    storage->bits_ = static_cast<uint8_t*>(memory);
    storage->width_ = width;
    storage->height_ = height;
    return storage;
}

PixelStorage::~PixelStorage() { std::free(bits_); }

uint8_t* PixelStorage::Bits() { return bits_; }
#endif
