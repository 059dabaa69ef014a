// Drawing of the states without a bitmap of their own: the base and blank states draw nothing,
// a rectangular state blends its fill and its one-pixel border.
#include <windows.h>

#include <algorithm>

#include "graphics/direct_target_win.h"
#include "graphics/halvix_win.h"
#include "graphics/hv_bitmap.h"
#include "graphics/hv_state.h"

namespace {

constexpr COLORREF kFallbackFill = 0x00C00000;

// Stretches a one-colour swatch over (x, y, width, height) at the given opacity.
void BlendSwatch(HDC dc, HVBitmap* swatch, int x, int y, int width, int height, int opacity) {
    if (!swatch || width <= 0 || height <= 0) return;
    HDC source = swatch->GetDC();
    if (!source) return;
    BLENDFUNCTION blend = {AC_SRC_OVER, 0, static_cast<BYTE>(opacity), AC_SRC_ALPHA};
    gHalvix.alphaBlend(dc, x, y, width, height, source, 0, 0, HVRectangularState::kSwatchSize,
                       HVRectangularState::kSwatchSize, blend);
}

}  // namespace

bool HVVisualState::Draw(HDC__*, int, int, int, int, int, int) {
    return true;
}

bool HVBlankState::Draw(HDC__*, int, int, int, int, int, int) {
    return true;
}

namespace {

// Blends one colour (0x00BBGGRR) at an opacity over a block of a library bitmap, clipped to it.
void BlendColour(HVBitmap& target, int x, int y, int width, int height, uint32_t colour, int opacity) {
    const pixels::PixelView view = target.View();
    const int left = std::max(x, 0), top = std::max(y, 0);
    const int right = std::min(x + width, view.width), bottom = std::min(y + height, view.height);
    if (view.Empty() || left >= right || top >= bottom || opacity <= 0) return;
    const int o = std::min(opacity, 255);
    const int channel[3] = {static_cast<int>(colour >> 16 & 0xFF), static_cast<int>(colour >> 8 & 0xFF),
                            static_cast<int>(colour & 0xFF)};
    for (int row = top; row < bottom; ++row) {
        uint8_t* pixel = view.Pixel(left, row);
        for (int column = left; column < right; ++column, pixel += 4) {
            for (int c = 0; c < 3; ++c) pixel[c] = static_cast<uint8_t>((channel[c] * o + pixel[c] * (255 - o)) / 255);
            pixel[3] = static_cast<uint8_t>(o + pixel[3] * (255 - o) / 255);
        }
    }
}

}  // namespace

bool HVRectangularState::Draw(HDC__* dc, int x, int y, int srcX, int srcY, int width, int height) {
    if (width <= 0 || height <= 0) return false;
    if (HVBitmap* target = DirectTargetFor(dc)) {
        BlendColour(*target, x, y, width, height, fillColour_, fillOpacity_);
        const bool top = srcY == 0, bottom = srcY + height >= height_;
        const bool left = srcX == 0, right = srcX + width >= width_;
        if (top) BlendColour(*target, x, y, width, 1, borderColour_, borderOpacity_);
        if (bottom && (!top || height > 1))
            BlendColour(*target, x, y + height - 1, width, 1, borderColour_, borderOpacity_);
        const int sideTop = y + (top ? 1 : 0), sideHeight = height - (top ? 1 : 0) - (bottom ? 1 : 0);
        if (left) BlendColour(*target, x, sideTop, 1, sideHeight, borderColour_, borderOpacity_);
        if (right && (!left || width > 1))
            BlendColour(*target, x + width - 1, sideTop, 1, sideHeight, borderColour_, borderOpacity_);
        return true;
    }
    if (!gHalvix.alphaBlend) {
        RECT area = {x, y, x + width, y + height};
        HBRUSH brush = CreateSolidBrush(kFallbackFill);
        FillRect(dc, &area, brush);
        DeleteObject(brush);
        return true;
    }
    BlendSwatch(dc, fillBitmap_, x, y, width, height, fillOpacity_);
    if (!borderBitmap_) return true;
    // Edges of the state's box that lie inside the drawn area; the side lines leave out the rows
    // the top and bottom lines already cover.
    const bool top = srcY == 0;
    const bool bottom = srcY + height >= height_;
    const bool left = srcX == 0;
    const bool right = srcX + width >= width_;
    if (top) BlendSwatch(dc, borderBitmap_, x, y, width, 1, borderOpacity_);
    if (bottom && (!top || height > 1)) BlendSwatch(dc, borderBitmap_, x, y + height - 1, width, 1, borderOpacity_);
    const int sideTop = y + (top ? 1 : 0);
    const int sideHeight = height - (top ? 1 : 0) - (bottom ? 1 : 0);
    if (left) BlendSwatch(dc, borderBitmap_, x, sideTop, 1, sideHeight, borderOpacity_);
    if (right && (!left || width > 1))
        BlendSwatch(dc, borderBitmap_, x + width - 1, sideTop, 1, sideHeight, borderOpacity_);
    return true;
}
