// HVBitmap's life cycle, flags and the operations that keep its size; the operations that change
// the size are in hv_bitmap_transform.cpp, colour in hv_bitmap_color.cpp, loading in hv_bitmap_file.cpp.
#include "graphics/hv_bitmap.h"

#include <cstring>

#include "graphics/kernels/alpha.h"
#include "graphics/pixel_storage.h"

HVBitmap::HVBitmap(int width, int height, uint32_t flags) {
    ApplyFlags(flags);
    storage_ = PixelStorage::TryCreate(width, height);
    if (storage_) {
        width_ = width;
        height_ = height;
    }
}

HVBitmap::HVBitmap(const HVBitmap& other)
    : frameCount_(other.frameCount_),
      opaque_(other.opaque_),
      hasAlpha_(other.hasAlpha_),
      colorKeyed_(other.colorKeyed_),
      premultiplied_(other.premultiplied_),
      bitsPerPixel_(other.bitsPerPixel_),
      sharedDC_(other.sharedDC_) {
    if (!other.storage_) return;
    storage_ = PixelStorage::TryCreate(other.width_, other.height_);
    if (!storage_) return;
    width_ = other.width_;
    height_ = other.height_;
    std::memcpy(storage_->Bits(), other.storage_->Bits(), static_cast<size_t>(width_) * height_ * 4);
}

HVBitmap::~HVBitmap() { DestroyDeviceContexts(); }

void HVBitmap::ApplyFlags(uint32_t flags) {
    colorKeyed_ = (flags & HVB_COLORKEY) != 0;
    hasAlpha_ = (flags & HVB_ALPHA) != 0;
    premultiplied_ = (flags & HVB_PREMULTIPLIED) != 0;
    sharedDC_ = (flags & HVB_SHAREDDC) != 0;
}

int HVBitmap::AddRef() { return ++refCount_; }

int HVBitmap::Release() {
    const int count = --refCount_;
    if (count <= 0 && keep_ == 0) delete this;
    return count;
}

bool HVBitmap::IsValid() const { return storage_ != nullptr; }

uint8_t* HVBitmap::Bits() { return storage_ ? storage_->Bits() : nullptr; }

const uint8_t* HVBitmap::Bits() const { return storage_ ? storage_->Bits() : nullptr; }

pixels::PixelView HVBitmap::View() {
    uint32_t flags = 0;
    if (colorKeyed_) flags |= pixels::kColorKeyed;
    if (hasAlpha_) flags |= pixels::kHasAlpha;
    if (premultiplied_) flags |= pixels::kPremultiplied;
    if (opaque_) flags |= pixels::kOpaque;
    return {Bits(), width_, height_, frameCount_, flags};
}

void HVBitmap::ReplaceStorage(std::unique_ptr<PixelStorage> storage) {
    ReleaseDeviceContexts();
    storage_ = std::move(storage);
    width_ = storage_ ? storage_->Width() : 0;
    height_ = storage_ ? storage_->Height() : 0;
}

void HVBitmap::ColorKeyToAlpha() {
    pixels::ColorKeyToAlpha(View());
    hasAlpha_ = true;
    premultiplied_ = true;
}

bool HVBitmap::Premultiply() {
    if (!hasAlpha_) {
        ColorKeyToAlpha();
        return true;
    }
    if (premultiplied_ || opaque_) return false;
    pixels::PremultiplyAlpha(View());
    premultiplied_ = true;
    return true;
}

bool HVBitmap::IsOpaqueAt(int x, int y) const { return pixels::IsOpaqueAt(const_cast<HVBitmap*>(this)->View(), x, y); }

void HVBitmap::GetOpaqueBounds(int* left, int* top, int* right, int* bottom, int threshold) const {
    const pixels::OpaqueBounds b = pixels::FindOpaqueBounds(const_cast<HVBitmap*>(this)->View(), threshold);
    if (left) *left = b.left;
    if (top) *top = b.top;
    if (right) *right = b.right;
    if (bottom) *bottom = b.bottom;
}

bool HVBitmap::Clear() {
    if (!storage_) return false;
    pixels::Clear(View());
    return true;
}

bool HVBitmap::SplitPerPixelMask() {
    if (!storage_ || height_ < 2) return false;
    auto half = PixelStorage::TryCreate(width_, height_ / 2);
    if (!half) return false;
    pixels::SplitColorAndMask(View(), half->View(1, 0), premultiplied_);
    ReplaceStorage(std::move(half));
    premultiplied_ = true;
    hasAlpha_ = true;
    return true;
}

void HVBitmap::CropToFrameMultiple(int n) {
    if (!storage_ || n <= 0 || width_ % n == 0) return;
    const int newWidth = width_ - width_ % n;
    // A bitmap narrower than n frames is cut to nothing.
    auto cropped = PixelStorage::TryCreate(newWidth, height_);
    if (!cropped) {
        if (newWidth == 0) ReplaceStorage(nullptr);
        return;
    }
    const uint8_t* src = Bits();
    uint8_t* dst = cropped->Bits();
    for (int row = 0; row < height_; ++row)
        std::memcpy(dst + static_cast<size_t>(row) * newWidth * 4, src + static_cast<size_t>(row) * width_ * 4,
                    static_cast<size_t>(newWidth) * 4);
    ReplaceStorage(std::move(cropped));
}
