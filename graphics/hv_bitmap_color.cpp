// Colour operations of HVBitmap, wired to the colour kernels.
#include "graphics/hv_bitmap.h"

#include "graphics/kernels/color.h"

void HVBitmap::AdjustBrightnessContrast(int brightness, int contrast) {
    if (!IsValid()) return;
    pixels::ApplyTable(View(), pixels::BrightnessContrastTable(brightness, contrast), false);
}

void HVBitmap::AdjustColor(int hue, int brightness, int contrast) {
    if (!IsValid()) return;
    // Premultiplied pixels carry no colour key (it was cleared to zeros); others skip magenta.
    const bool skipMagenta = !premultiplied_;
    if (hue != 0) {
        // The wrap differs by kind: premultiplied bitmaps wrap above 159 by 160, others above 255
        // by 256, as the engine does.
        if (premultiplied_)
            pixels::ShiftHue(View(), hue, 159, 160, skipMagenta);
        else
            pixels::ShiftHue(View(), hue, 255, 256, skipMagenta);
    }
    if (brightness == 0 && contrast == 0) return;
    pixels::ApplyTable(View(), pixels::OffsetContrastTable(brightness, contrast), skipMagenta);
}
