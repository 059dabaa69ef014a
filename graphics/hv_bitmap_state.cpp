#include "graphics/hv_bitmap_state.h"

#include <algorithm>
#include <climits>
#include <utility>

#include "graphics/hv_bitmap.h"

HVBitmapState::HVBitmapState(std::wstring name, HVBitmap* bitmap) : HVVisualState(std::move(name)), bitmap_(bitmap) {
    lookKind_ = HVL_BITMAP;
    frameCount_ = 1;
    if (bitmap_) {
        bitmap_->AddRef();
        width_ = bitmap_->Width();
        height_ = bitmap_->Height();
    }
}

HVBitmapState::HVBitmapState(std::wstring name, const HVBitmapState& other, bool copyBitmap)
    : HVVisualState(std::move(name)) {
    CopyVisualFields(other);
    lookKind_ = HVL_BITMAP;
    opaque_ = other.opaque_;
    oneFrameBitmap_ = other.oneFrameBitmap_;
    if (other.bitmap_) {
        bitmap_ = copyBitmap ? new HVBitmap(*other.bitmap_) : other.bitmap_;
        bitmap_->AddRef();
    }
}

HVBitmapState::~HVBitmapState() {
    if (bitmap_) bitmap_->Release();
}

bool HVBitmapState::HitTest(int x, int y) const {
    if (!bitmap_) return false;
    if (hitMode_ == HVH_ALWAYS) return true;
    if (hitMode_ == HVH_NEVER) return false;
    if (x < trimLeft_ || y < trimTop_ || x >= width_ - trimRight_ || y >= height_ - trimBottom_) return false;
    if (hitMode_ == HVH_BOX) return true;
    return bitmap_->IsOpaqueAt(x + FrameOffset(), y);
}

bool HVBitmapState::SetAnimation(int frames, int delay, uint32_t flags) {
    if (flags & HVS_SAMEIMAGE) {
        oneFrameBitmap_ = true;
    } else if (bitmap_) {
        // A count below 1 cannot divide the strip; it stops the animation below like a count of 1.
        int strips = std::max(frames, 1);
        width_ = bitmap_->Width() / strips;
        bitmap_->SetFrameCount(strips);
    }
    return HVVisualState::SetAnimation(frames, delay, flags);
}

void HVBitmapState::TakeSizeFromBitmap() {
    width_ = bitmap_->FrameWidth();
    height_ = bitmap_->Height();
}

bool HVBitmapState::AddShadow(int offsetX, int offsetY, int blur, int darkness, uint32_t colour, bool shadowOnly) {
    if (!bitmap_) return false;
    const int oldWidth = bitmap_->FrameWidth();
    const int oldHeight = bitmap_->Height();
    int outX = 0;
    int outY = 0;
    if (!bitmap_->AddShadow(offsetX, offsetY, blur, darkness, colour, &outX, &outY, shadowOnly)) return false;
    TakeSizeFromBitmap();
    trimLeft_ += outX;
    trimTop_ += outY;
    trimRight_ += width_ - oldWidth - outX;
    trimBottom_ += height_ - oldHeight - outY;
    return true;
}

void HVBitmapState::Resize(int frameWidth, int height, bool discard) {
    if (!bitmap_) return;
    const int64_t total = static_cast<int64_t>(frameWidth) * std::max(bitmap_->FrameCount(), 1);
    if (total > INT_MAX) return;  // beyond any bitmap the library can hold
    bitmap_->Resize(static_cast<int>(total), height, discard);
    TakeSizeFromBitmap();
}

void HVBitmapState::ResizeSliced(int frameWidth, int height, int left, int right, int top, int bottom, bool stretchH,
                                 bool stretchV) {
    if (!bitmap_) return;
    bitmap_->ResizeSliced(frameWidth, height, left, right, top, bottom, stretchH, stretchV);
    TakeSizeFromBitmap();
}

void HVBitmapState::Mirror() {
    if (!bitmap_) return;
    bitmap_->Mirror();
    std::swap(trimLeft_, trimRight_);
}
