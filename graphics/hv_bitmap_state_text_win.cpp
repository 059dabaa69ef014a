// The text constructor of HVBitmapState: the text rendered once into the state's bitmap.
#include <windows.h>

#include "graphics/gdi_scoped_win.h"
#include "graphics/hv_bitmap.h"
#include "graphics/hv_bitmap_state.h"
#include "graphics/hv_text_win.h"

namespace {

// A new bitmap (no references taken) showing the text; the font lives only for the drawing.
HVBitmap* RenderText(const HVTextParams& params) {
    const bool supersampled = (params.options & HVT_SUPERSAMPLED) != 0;
    HVFontRequest request;
    request.face = params.face;
    request.pointSize = params.pointSize;
    request.bold = params.bold;
    request.italic = params.italic;
    request.underline = params.underline;
    request.strikeOut = params.strikeOut;
    request.charSet = params.charSet;
    ScopedFont font(CreateTextFont(request, supersampled));
    if (params.halo)
        return CreateHaloTextBitmap(params.text, font.Get(), params.colour, params.haloColour, params.alignment,
                                    params.width, params.height, supersampled);
    return CreateTextBitmap(params.text, font.Get(), params.colour, params.alignment, params.width, params.height,
                            supersampled, params.caretIndex);
}

}  // namespace

HVBitmapState::HVBitmapState(std::wstring name, const HVTextParams& params)
    : HVBitmapState(std::move(name), RenderText(params)) {
    // The halo's one-pixel margin lies outside the box that counts as the text.
    if (params.halo) SetTrims(trimLeft_ + 1, trimTop_ + 1, trimRight_ + 1, trimBottom_ + 1);
}
