// HVObj on Windows: drawing the tree into a device context, painting the adopted window through
// the shared off-screen bitmap.
#include <windows.h>

#include <vector>

#include "graphics/direct_target_win.h"
#include "graphics/hv_bitmap.h"
#include "graphics/hv_bitmap_state.h"
#include "graphics/hv_obj.h"
#include "graphics/hv_window_host.h"
#include "graphics/paint_buffer_win.h"

void HVObj::Render(HDC__* dc, int offsetX, int offsetY, int x, int y, int width, int height, float factor) {
    if (!initialised_ || !visible_) return;
    HVVisualState* state = CurrentVisual();
    int boxWidth, boxHeight;
    StateSize(&boxWidth, &boxHeight);
    const HVRect clip = HVRect::FromSize(x, y, width, height).Intersect(HVRect::FromSize(0, 0, boxWidth, boxHeight));
    if (clip.IsEmpty()) return;

    int stateOpacity = 255;
    if (state && state->LookKind() == HVL_BITMAP) {
        auto* bitmapState = static_cast<HVBitmapState*>(state);
        stateOpacity = bitmapState->OpacityAt(bitmapState->ShownFrame());
        bitmapState->DrawWithFactor(dc, offsetX + clip.left, offsetY + clip.top, clip.left, clip.top, clip.Width(),
                                    clip.Height(), factor);
    } else if (state) {
        state->Draw(dc, offsetX + clip.left, offsetY + clip.top, clip.left, clip.top, clip.Width(), clip.Height());
    }

    const float childFactor = static_cast<float>(stateOpacity) * factor / 255.0f;
    if (childFactor < 1.0f) return;  // fully faded: nothing of the children shows
    int tl, tt, tr, tb;
    Trims(&tl, &tt, &tr, &tb);
    for (HVObj* child : children_) {
        if (!child->visible_) continue;
        const HVRect rect = child->GetRect();
        const int childX = tl + rect.left;
        const int childY = tt + rect.top;
        const HVRect childClip =
            clip.Offset(-childX, -childY).Intersect(HVRect::FromSize(0, 0, rect.Width(), rect.Height()));
        if (childClip.IsEmpty()) continue;
        child->Render(dc, offsetX + childX, offsetY + childY, childClip.left, childClip.top, childClip.Width(),
                      childClip.Height(), childFactor);
    }
}

void HVObj::RenderFull(HDC__* dc, int offsetX, int offsetY, int x, int y, int width, int height) {
    Render(dc, offsetX, offsetY, x, y, width, height, 255.0f);
}

namespace {

// The rectangles of a window's update region (read before BeginPaint validates it); just the
// bounding box when the region has many.
std::vector<RECT> UpdateRectangles(HWND window, const RECT& bounds) {
    constexpr DWORD kMostRectangles = 32;
    std::vector<RECT> rectangles;
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    if (region && GetUpdateRgn(window, region, FALSE) == COMPLEXREGION) {
        const DWORD size = GetRegionData(region, 0, nullptr);
        std::vector<uint8_t> data(size);
        auto* header = reinterpret_cast<RGNDATA*>(data.data());
        if (size && GetRegionData(region, size, header) && header->rdh.nCount <= kMostRectangles) {
            const RECT* rect = reinterpret_cast<const RECT*>(header->Buffer);
            rectangles.assign(rect, rect + header->rdh.nCount);
        }
    }
    if (region) DeleteObject(region);
    if (rectangles.empty()) rectangles.push_back(bounds);
    return rectangles;
}

}  // namespace

void HVObj::Paint(HWND__* window) {
    RECT bounds = {};
    GetUpdateRect(window, &bounds, FALSE);
    const std::vector<RECT> parts = UpdateRectangles(window, bounds);
    PAINTSTRUCT paint;
    HDC target = BeginPaint(window, &paint);
    const HVRect area{paint.rcPaint.left, paint.rcPaint.top, paint.rcPaint.right, paint.rcPaint.bottom};
    if (target && !area.IsEmpty()) {
        // Every paint, whether the library or the system asked for it, is composed off screen and
        // reaches the window in one transfer: the layers never show one by one. Only the invalid
        // parts are composed; the transfer is clipped to them by the paint's own clip region.
        if (HVBitmap* buffer = paintbuffer::BeginPaint(area.Width(), area.Height())) {
            HDC bufferDc = buffer->GetDC();
            {
                DirectTargetScope direct(bufferDc, buffer);
                for (const RECT& part : parts) {
                    const HVRect clip = HVRect{part.left, part.top, part.right, part.bottom}.Intersect(area);
                    if (!clip.IsEmpty())
                        RenderFull(bufferDc, -area.left, -area.top, clip.left, clip.top, clip.Width(), clip.Height());
                }
            }
            GdiFlush();
            BitBlt(target, area.left, area.top, area.Width(), area.Height(), bufferDc, 0, 0, SRCCOPY);
            paintbuffer::EndPaint();
        } else {
            RenderFull(target, 0, 0, area.left, area.top, area.Width(), area.Height());
        }
    }
    EndPaint(window, &paint);
}
