#include "graphics/hv_bitmap.h"
#include "graphics/hv_state.h"

namespace {

// A 64 x 64 swatch of one opaque colour (0x00BBGGRR), premultiplied (trivially, alpha is 255),
// borrowing a pooled device context: rectangles are many and drawn rarely.
HVBitmap* MakeSwatch(uint32_t colour) {
    const int side = HVRectangularState::kSwatchSize;
    auto* bitmap = new HVBitmap(side, side, HVB_ALPHA | HVB_PREMULTIPLIED | HVB_SHAREDDC);
    bitmap->AddRef();
    if (uint8_t* p = bitmap->Bits()) {
        for (int i = 0; i < side * side; ++i, p += 4) {
            p[0] = static_cast<uint8_t>(colour >> 16);
            p[1] = static_cast<uint8_t>(colour >> 8);
            p[2] = static_cast<uint8_t>(colour);
            p[3] = 255;
        }
    }
    return bitmap;
}

}  // namespace

HVRectangularState::HVRectangularState(std::wstring name, uint32_t borderColour, int borderOpacity, uint32_t fillColour,
                                       int fillOpacity)
    : HVVisualState(std::move(name)),
      borderColour_(borderColour),
      borderOpacity_(borderOpacity),
      fillColour_(fillColour),
      fillOpacity_(fillOpacity) {
    lookKind_ = HVL_RECTANGLE;
    if (borderOpacity_ != 0) borderBitmap_ = MakeSwatch(borderColour_);
    if (fillOpacity_ != 0) fillBitmap_ = MakeSwatch(fillColour_);
}

HVRectangularState::~HVRectangularState() {
    if (borderBitmap_) borderBitmap_->Release();
    if (fillBitmap_) fillBitmap_->Release();
}

bool HVRectangularState::HitTest(int, int) const {
    return false;
}
