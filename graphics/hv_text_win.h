#pragma once
// Text rendering: fonts from a request, and text drawn by the platform into new bitmaps whose
// alpha is the glyph coverage (has-alpha, not premultiplied, colours at full strength, borrowing
// the shared device contexts). Supersampled text is drawn with a font the library's factor times as
// large and reduced by box averages. Halo text carries a soft outline of another colour and a
// one-pixel margin on every side; with a magenta text colour only the outline is drawn.
#include <windows.h>

#include <string>

#include "graphics/hv_text_params.h"

class HVBitmap;

struct HVFontRequest {
    std::wstring face = L"Segoe UI";
    double pointSize = 10;  // may be fractional: the window scales design sizes by its scale factor
    bool bold = false, italic = false, underline = false, strikeOut = false;
    int charSet = DEFAULT_CHARSET;
};

// Cell height = (supersampled ? factor : 1) × the screen's LOGPIXELSY × size ÷ 72, rounded; weight
// 700 or 400; anti-aliased, never sub-pixel, so that coverage is grey. The caller owns the font.
HFONT CreateTextFont(const HVFontRequest& request, bool supersampled);

// Width 0: as wide as the text; width −w: the text wraps within w (broken once, near its middle);
// height 0: as tall as the text. Given sizes are in screen pixels whether supersampled or not. A
// caret index other than −1 adds one pixel of width for the caret, drawn before that character
// when the index is within the text. The font must be made with the same supersampled value.
// Returns a new bitmap with no references taken (callers AddRef); never null: when anything fails
// it is an empty bitmap (1 × 1, fully transparent).
HVBitmap* CreateTextBitmap(const std::wstring& text, HFONT font, COLORREF colour, int alignment, int width, int height,
                           bool supersampled, int caretIndex);
// The text in textColour over a halo of haloColour, or the halo's ring alone when textColour is
// magenta (0x00FF00FF). Sizes as above, plus a one-pixel margin on every side.
HVBitmap* CreateHaloTextBitmap(const std::wstring& text, HFONT font, COLORREF textColour, COLORREF haloColour,
                               int alignment, int width, int height, bool supersampled);

// The size of text as the two bitmaps lay it out without supersampling (no caret, no margin).
SIZE MeasureText(const std::wstring& text, HFONT font, int alignment, int width, int height);
