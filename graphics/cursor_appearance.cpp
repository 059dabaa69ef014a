#include "graphics/cursor_appearance.h"

#include <climits>
#include <cstdint>

#include "graphics/hv_bitmap.h"
#include "graphics/hv_bitmap_state.h"

void ApplyCursorAppearance(HVBitmapState& state, const CursorAppearance& appearance, int* hotSpotX, int* hotSpotY) {
    int unusedX = 0, unusedY = 0;
    int& hx = hotSpotX ? *hotSpotX : unusedX;
    int& hy = hotSpotY ? *hotSpotY : unusedY;
    state.SetOpacity(appearance.opacity);
    if (appearance.mirror) {
        hx = state.Width() - 1 - hx;
        state.Mirror();
    }
    if (appearance.size != 100) {
        // 64-bit: the percentage comes from the registry or the command line, the product may not fit.
        const int oldWidth = state.Width(), oldHeight = state.Height();
        const int64_t width = int64_t(oldWidth) * appearance.size / 100;
        const int64_t height = int64_t(oldHeight) * appearance.size / 100;
        if (width >= 0 && height >= 0 && width <= INT_MAX && height <= INT_MAX) {
            state.Resize(static_cast<int>(width), static_cast<int>(height));
            if (oldWidth > 0) hx = static_cast<int>(int64_t(hx) * state.Width() / oldWidth);
            if (oldHeight > 0) hy = static_cast<int>(int64_t(hy) * state.Height() / oldHeight);
        }
    }
    HVBitmap* bitmap = state.Bitmap();
    if (!bitmap) return;
    if (appearance.hue != 0) bitmap->AdjustColor(appearance.hue, 0, 0);
    if (appearance.brightness != 0 || appearance.contrast != 0)
        bitmap->AdjustBrightnessContrast(appearance.brightness + 255, appearance.contrast + 100);
    if (appearance.shadow) {
        const int left = state.TrimLeft(), top = state.TrimTop();
        if (state.AddShadow(appearance.shadowX, appearance.shadowY, appearance.shadowSharpness,
                            appearance.shadowDarkness, 0)) {
            hx += state.TrimLeft() - left;
            hy += state.TrimTop() - top;
        }
    }
}

void CentreVisiblePart(const HVBitmapState& state, int boxWidth, int boxHeight, int* x, int* y) {
    // The visible part in the frame's columns and rows (counted from the top), right and bottom
    // exclusive; the whole frame when nothing is visible.
    int left = 0, top = 0, right = state.Width(), bottom = state.Height();
    if (const HVBitmap* bitmap = state.Bitmap()) {
        int l, t, r, b;
        bitmap->GetOpaqueBounds(&l, &t, &r, &b, kVisibleAlphaThreshold);
        if (r >= l && b >= t) {
            // The bounds report the last column itself and each row plus one.
            left = l;
            right = r + 1;
            top = t - 1;
            bottom = b;
        }
    }
    // Where the frame's top-left corner goes, then the trimmed box's corner from it.
    const int frameX = (boxWidth - (right - left)) / 2 - left;
    const int frameY = (boxHeight - (bottom - top)) / 2 - top;
    if (x) *x = frameX + state.TrimLeft();
    if (y) *y = frameY + state.TrimTop();
}
