#pragma once
// The appearance options the engine applies to every pointer, and the one sequence of bitmap
// operations that shows them on a copy of a cursor's state: the settings window's preview and the
// theme tool's preview both draw through it, so the two give the same pixels.
#include "graphics/hv_rect.h"

class HVBitmapState;

struct CursorAppearance {
    int opacity = 255;  // the state's opacity; the pixels are not touched by it
    bool mirror = false;
    int size = 100;  // percent of the frame width and height
    int hue = 0;
    int brightness = 0;  // 0 = unchanged
    int contrast = 0;    // 0 = unchanged
    bool shadow = true;
    int shadowX = 5;
    int shadowY = 5;
    int shadowSharpness = 9;
    int shadowDarkness = 128;
};

// Opacity, mirror, size, hue, brightness and contrast, then the black drop shadow, in that order,
// on the state and its own bitmap (give it a copy: the bitmap changes in place). A hot spot given
// (in the frame's pixels) moves with the image: mirrored, scaled with the size, and shifted by the
// margin the shadow adds on the left and at the top.
void ApplyCursorAppearance(HVBitmapState& state, const CursorAppearance& appearance, int* hotSpotX = nullptr,
                           int* hotSpotY = nullptr);

// Pixels with alpha above this count as visible when a preview is placed.
constexpr int kVisibleAlphaThreshold = 15;

// Where a state's trimmed box goes so that its visible part (every frame's pixels with alpha above
// the threshold) is centred in a box of the given size; a state with nothing visible is centred by
// its whole image. The answer is in the box's space, ready for HVObj::Move.
void CentreVisiblePart(const HVBitmapState& state, int boxWidth, int boxHeight, int* x, int* y);
