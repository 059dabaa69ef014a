#include <windows.h>

#include "graphics/hv_bitmap.h"
#include "graphics/hv_bitmap_state.h"

bool HVBitmapState::Draw(HDC__* dc, int x, int y, int srcX, int srcY, int width, int height) {
    return DrawWithFactor(dc, x, y, srcX, srcY, width, height, 255.0f);
}

bool HVBitmapState::DrawWithFactor(HDC__* dc, int x, int y, int srcX, int srcY, int width, int height, float factor) {
    if (width_ == 0 || height_ == 0 || !bitmap_) return false;
    const int shown = ShownFrame();
    int opacity = OpacityAt(shown);
    if (factor < 255.0f) opacity = static_cast<int>(factor) * opacity / 255;
    const bool ok = bitmap_->Draw(dc, x, y, width, height, srcX + FrameOffset(), srcY, opacity, opaque_ ? HVD_COPY : 0);
    if (!ok) OutputDebugStringA("Blit failed\n");
    lastDrawnFrame_ = shown;
    return ok;
}
