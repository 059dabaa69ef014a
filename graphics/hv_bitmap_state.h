#pragma once
// HVBitmapState: a visual state that shows a frame strip from an HVBitmap. The state holds one
// reference on its bitmap. The operations that change the bitmap's size (shadow, resizing) keep
// the state's size and trims in step, so the trimmed box still frames the original image.
#include "graphics/hv_state.h"
#include "graphics/hv_text_params.h"

class HVBitmap;

class HVBitmapState : public HVVisualState {
public:
    // Takes a reference on the bitmap (which may be null); one frame, size = the bitmap's size.
    HVBitmapState(std::wstring name, HVBitmap* bitmap);
    // A copy of other's visual fields under a new name, sharing other's element tree and clock but
    // not registered with the updater. copyBitmap gives it its own copy of the bitmap; otherwise
    // it shares other's bitmap by reference.
    HVBitmapState(std::wstring name, const HVBitmapState& other, bool copyBitmap);
#ifdef _WIN32
    // Renders the text once into a new bitmap (halo text, or plain text with its caret); one frame,
    // size = the bitmap's size. Halo text's trims grow by its one-pixel margin on every side.
    HVBitmapState(std::wstring name, const HVTextParams& params);
#endif
    ~HVBitmapState() override;

    HVBitmap* Bitmap() const { return bitmap_; }
    // Drawn as a plain copy (no blending).
    bool IsOpaque() const { return opaque_; }
    void SetOpaque(bool opaque) { opaque_ = opaque; }
    // The bitmap holds a single frame whatever the frame count (set by HVS_SAMEIMAGE).
    bool IsOneFrameBitmap() const { return oneFrameBitmap_; }

    bool HitTest(int x, int y) const override;
    // Besides the animation: HVS_SAMEIMAGE marks the bitmap as one frame; otherwise the frame width
    // becomes the bitmap's width / frames and the bitmap's frame count follows.
    bool SetAnimation(int frames, int delay, uint32_t flags) override;
#ifdef _WIN32
    bool Draw(HDC__* dc, int x, int y, int srcX, int srcY, int width, int height) override;
    // Draw with an extra opacity factor (255 = none), as an object's rendering passes it down.
    bool DrawWithFactor(HDC__* dc, int x, int y, int srcX, int srcY, int width, int height, float factor);
#endif

    // Adds a drop shadow to the bitmap (see HVBitmap::AddShadow). The image grows; the trims grow
    // by the margins so that the trimmed box is the original image. False when blur < 0.
    bool AddShadow(int offsetX, int offsetY, int blur, int darkness, uint32_t colour, bool shadowOnly = false);
    // Resizes every frame to frameWidth x height (0 keeps that dimension).
    void Resize(int frameWidth, int height, bool discard = false);
    void ResizeSliced(int frameWidth, int height, int left, int right, int top, int bottom, bool stretchH,
                      bool stretchV);
    // Mirrors every frame left to right; the left and right trims change places with the image.
    void Mirror();

private:
    // Frame size from the bitmap after an operation changed it.
    void TakeSizeFromBitmap();

    HVBitmap* bitmap_ = nullptr;  // one reference held
    bool opaque_ = false;
    bool oneFrameBitmap_ = false;
};
