// HVBitmap operations that change the size or layout: shadows, mirroring, resizing and sliced
// resizing. Each builds its result in new storage and then replaces the old storage.
#include <algorithm>

#include "graphics/hv_bitmap.h"
#include "graphics/image_limits.h"
#include "graphics/kernels/geometry.h"
#include "graphics/kernels/resample.h"
#include "graphics/kernels/shadow.h"
#include "graphics/pixel_storage.h"

namespace {

using pixels::Rect;

// Copies columns [srcX, srcX + width) of every row into dst at dstX, clipped to both views.
void CopyColumns(const pixels::PixelView& src, int srcX, const pixels::PixelView& dst, int dstX, int width) {
    width = std::min({width, src.width - srcX, dst.width - dstX});
    if (width <= 0 || srcX < 0 || dstX < 0) return;
    pixels::CopyRect(src, srcX, 0, dst, dstX, 0, width, std::min(src.height, dst.height));
}

void CopyRows(const pixels::PixelView& src, int srcY, const pixels::PixelView& dst, int dstY, int height) {
    height = std::min({height, src.height - srcY, dst.height - dstY});
    if (height <= 0 || srcY < 0 || dstY < 0) return;
    pixels::CopyRect(src, 0, srcY, dst, 0, dstY, std::min(src.width, dst.width), height);
}

}  // namespace

bool HVBitmap::AddShadow(int offsetX, int offsetY, int blur, int darkness, uint32_t colour, int* outX, int* outY,
                         bool shadowOnly) {
    if (!IsValid()) return false;
    if (!hasAlpha_ && !premultiplied_) {
        ColorKeyToAlpha();
        colorKeyed_ = false;
    }
    if (blur < 0) return false;
    Premultiply();

    const pixels::ShadowKernel kernel = pixels::MakeShadowKernel(blur);
    if (frameCount_ == 0) frameCount_ = 1;
    const pixels::PixelView src = View();
    const pixels::ShadowLayout layout =
        pixels::ComputeShadowLayout(src.FrameWidth(), height_, offsetX, offsetY, kernel.radius);
    const int64_t totalWidth = int64_t{frameCount_} * layout.width;
    if (!halvix::BitmapSizeAllowed(totalWidth, layout.height)) return false;
    auto result = PixelStorage::TryCreate(static_cast<int>(totalWidth), static_cast<int>(layout.height));
    if (!result) return false;

    const pixels::PixelView dst = result->View(frameCount_, 0);
    pixels::RenderShadow(src, dst, kernel, layout, offsetX, offsetY, darkness);
    if (!shadowOnly) {
        if (colour != 0) pixels::TintShadow(dst, colour);
        pixels::CompositeOverShadow(src, dst, layout);
    }
    ReplaceStorage(std::move(result));
    premultiplied_ = true;
    if (outX) *outX = static_cast<int>(-layout.left);
    if (outY) *outY = static_cast<int>(-layout.top);
    return true;
}

void HVBitmap::Mirror() {
    pixels::MirrorFrames(View());
}

void HVBitmap::Resize(int width, int height, bool discard) {
    if (!IsValid() || width < 0 || height < 0) return;
    if (!hasAlpha_ && !premultiplied_ && !discard) {
        ColorKeyToAlpha();
        colorKeyed_ = false;
    }
    const int newWidth = width ? width : width_;
    const int newHeight = height ? height : height_;
    if (discard) {
        if (auto blank = PixelStorage::TryCreate(newWidth, newHeight)) ReplaceStorage(std::move(blank));
        return;
    }
    if (newWidth == width_ && newHeight == height_) return;

    auto resized = PixelStorage::TryCreate(newWidth, newHeight);
    if (!resized) return;
    if (newWidth < width_ && newHeight < height_) {
        // Narrower and lower: both directions in one area-averaging pass.
        pixels::ResampleArea(View(), {0, 0, width_, height_}, resized->View(frameCount_, 0),
                             {0, 0, newWidth, newHeight});
    } else {
        pixels::ResizeSeparable(View(), resized->View(frameCount_, 0));
    }
    ReplaceStorage(std::move(resized));
}

void HVBitmap::ResizeSliced(int frameWidth, int height, int left, int right, int top, int bottom, bool stretchH,
                            bool stretchV) {
    if (!IsValid()) return;
    left = std::max(left, 0);
    right = std::max(right, 0);
    top = std::max(top, 0);
    bottom = std::max(bottom, 0);
    const int frames = frameCount_ > 0 ? frameCount_ : 1;

    if (frameWidth > 0 && int64_t{frameWidth} * frames != width_) {
        if (frames == 1 && left == 0 && right == 0 && stretchH) {
            Resize(frameWidth, height);
        } else {
            const int64_t total = int64_t{frameWidth} * frames;
            if (!halvix::BitmapSizeAllowed(total, height_)) return;
            auto wider = PixelStorage::TryCreate(static_cast<int>(total), height_);
            if (!wider) return;
            const pixels::PixelView src = View();
            const pixels::PixelView dst = wider->View(frames, 0);
            const int srcFrame = src.FrameWidth();
            const int srcMiddle = srcFrame - left - right;
            const int dstMiddle = frameWidth - left - right;
            for (int f = 0; f < frames; ++f) {
                const int sx = f * srcFrame, dx = f * frameWidth;
                CopyColumns(src, sx, dst, dx, std::min({left, srcFrame, frameWidth}));
                if (srcMiddle > 0 && dstMiddle > 0) {
                    const Rect from{sx + left, 0, srcMiddle, height_}, to{dx + left, 0, dstMiddle, height_};
                    if (stretchH)
                        pixels::ResampleArea(src, from, dst, to);
                    else
                        pixels::TileColumns(src, from, dst, to);
                }
                // The right border lands in the last columns of the frame.
                const int keep = std::min({right, srcFrame, frameWidth});
                CopyColumns(src, sx + srcFrame - keep, dst, dx + frameWidth - keep, keep);
            }
            ReplaceStorage(std::move(wider));
        }
    }

    if (height > 0 && height != height_) {
        if (frames == 1 && top == 0 && bottom == 0 && stretchV) {
            Resize(frameWidth, height);
            return;
        }
        auto taller = PixelStorage::TryCreate(width_, height);
        if (!taller) return;
        const pixels::PixelView src = View();
        const pixels::PixelView dst = taller->View(frames, 0);
        CopyRows(src, 0, dst, 0, std::min({top, height_, height}));
        const int srcMiddle = height_ - top - bottom;
        const int dstMiddle = height - top - bottom;
        if (srcMiddle > 0 && dstMiddle > 0) {
            const Rect from{0, top, width_, srcMiddle}, to{0, top, width_, dstMiddle};
            if (stretchV)
                pixels::ResampleArea(src, from, dst, to);
            else
                pixels::TileRows(src, from, dst, to);
        }
        const int keep = std::min({bottom, height_, height});
        CopyRows(src, height_ - keep, dst, height - keep, keep);
        ReplaceStorage(std::move(taller));
    }
}
