#include "tools/halvix_gallery/gallery_probe_win.h"

#include <algorithm>
#include <cmath>

#include "graphics/hv_bitmap.h"
#include "graphics/hv_bitmap_state.h"
#include "tools/halvix_gallery/gallery_log_win.h"

namespace {

HVBitmap* SolidBitmap(int width, int height, uint32_t colour) {
    auto* bitmap = new HVBitmap(width, height, HVB_ALPHA);
    uint8_t* pixel = bitmap->Bits();
    for (int i = 0; pixel && i < width * height; ++i, pixel += 4) {
        pixel[0] = static_cast<uint8_t>(colour >> 16);
        pixel[1] = static_cast<uint8_t>(colour >> 8);
        pixel[2] = static_cast<uint8_t>(colour);
        pixel[3] = 255;
    }
    return bitmap;
}

// A soft disc of the given grey and opacity at (cx, cy) of one frame.
void Dot(HVBitmap* bitmap, int frameX, double cx, double cy, double radius, int grey, int opacity) {
    const int height = bitmap->Height();
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < bitmap->FrameWidth(); ++x) {
            const double distance = std::hypot(x + 0.5 - cx, y + 0.5 - cy);
            const double cover = std::clamp(radius - distance + 0.5, 0.0, 1.0);
            if (cover <= 0) continue;
            uint8_t* pixel = bitmap->Bits() + (size_t(height - 1 - y) * bitmap->Width() + frameX + x) * 4;
            pixel[0] = pixel[1] = pixel[2] = static_cast<uint8_t>(grey);
            pixel[3] = static_cast<uint8_t>(std::max<int>(pixel[3], static_cast<int>(cover * opacity)));
        }
    }
}

}  // namespace

GalleryProbe::GalleryProbe(std::string name, int width, int height, uint32_t colour)
    : HVObj(HVK_CHILD), name_(std::move(name)) {
    auto* state = new HVBitmapState(hvstate::kDefault, SolidBitmap(width, height, colour));
    state->SetHitMode(HVH_BOX);
    AddState(state);
}

bool GalleryProbe::OnLButtonDown(int x, int y) {
    GalleryLog("probe-down " + name_ + " " + std::to_string(x) + " " + std::to_string(y));
    return HVObj::OnLButtonDown(x, y);
}

bool GalleryProbe::OnLButtonUp(int x, int y, bool dragged) {
    GalleryLog("probe-up " + name_ + (dragged ? " dragged" : " clicked"));
    return HVObj::OnLButtonUp(x, y, dragged);
}

bool GalleryProbe::OnRButtonUp(int x, int y, bool dragged) {
    GalleryLog("probe-rup " + name_);
    return HVObj::OnRButtonUp(x, y, dragged);
}

bool GalleryProbe::OnDoubleClick(int x, int y) {
    GalleryLog("probe-double " + name_);
    return HVObj::OnDoubleClick(x, y);
}

bool GalleryProbe::OnMouseEnter() {
    GalleryLog("probe-enter " + name_);
    return HVObj::OnMouseEnter();
}

bool GalleryProbe::OnMouseLeave(HVObj* next) {
    GalleryLog("probe-leave " + name_);
    return HVObj::OnMouseLeave(next);
}

bool GalleryProbe::OnDrag(int x, int y, int deltaX, int deltaY) {
    GalleryLog("probe-drag " + name_ + " " + std::to_string(deltaX) + " " + std::to_string(deltaY));
    return HVObj::OnDrag(x, y, deltaX, deltaY);
}

HVBitmapState* CreateSpinnerState(const wchar_t* name, int size) {
    constexpr int kFrames = 8;
    constexpr double kPi = 3.14159265358979;
    auto* strip = new HVBitmap(size * kFrames, size, HVB_ALPHA);
    strip->SetFrameCount(kFrames);
    const double ring = size * 0.36;
    const double radius = size * 0.09;
    for (int frame = 0; frame < kFrames; ++frame) {
        for (int dot = 0; dot < kFrames; ++dot) {
            const double angle = 2 * kPi * dot / kFrames - kPi / 2;
            // The head is dark; the dots behind it fade out.
            const int age = (frame - dot + kFrames) % kFrames;
            Dot(strip, frame * size, size / 2.0 + ring * std::cos(angle), size / 2.0 + ring * std::sin(angle), radius,
                0x33 + age * 0x14, 255 - age * 26);
        }
    }
    auto* state = new HVBitmapState(name, strip);
    state->SetAnimation(kFrames, 100, HVS_LOOP | HVS_FORWARD);
    state->SetHitMode(HVH_NEVER);
    return state;
}
