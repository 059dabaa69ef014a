#pragma once
// What a text state shows: the text, its font, colours, box and options. Portable, so that theme
// and window code can fill one in without the platform headers; hv_text_win.h renders it.
#include <cstdint>
#include <string>

// Alignments; any other value is left.
constexpr int HVT_LEFT = 1, HVT_CENTRE = 2, HVT_RIGHT = 4;
// Option flag: render at the library's supersampling factor and reduce.
constexpr uint32_t HVT_SUPERSAMPLED = 0x100;

struct HVTextParams {
    std::wstring text;
    std::wstring face = L"Segoe UI";
    double pointSize = 10;  // may be fractional
    bool bold = false, italic = false, underline = false, strikeOut = false;
    int charSet = 1;      // DEFAULT_CHARSET
    uint32_t colour = 0;  // 0x00BBGGRR; magenta with a halo draws the outline only
    bool halo = false;
    uint32_t haloColour = 0;
    int alignment = HVT_LEFT;
    int width = 0, height = 0;  // 0: as wide / tall as the text; width −w: wrap within w
    int caretIndex = -1;        // −1: no caret (halo text has none)
    uint32_t options = HVT_SUPERSAMPLED;
};
