// Text drawn by GDI into sections, blue on black so that the blue byte is the glyph coverage,
// then turned into straight-alpha text by the coverage kernels.
#include "graphics/hv_text_win.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <memory>
#include <vector>

#include "graphics/gdi_scoped_win.h"
#include "graphics/halvix_win.h"
#include "graphics/hv_bitmap.h"
#include "graphics/image_limits.h"
#include "graphics/kernels/resample.h"
#include "graphics/kernels/text_coverage.h"
#include "graphics/pixel_storage.h"

namespace {

constexpr COLORREF kCoverageInk = 0x00FF0000;  // pure blue: the coverage lands in the blue byte
constexpr COLORREF kBlack = 0;
constexpr COLORREF kOutlineOnly = 0x00FF00FF;  // a magenta text colour asks for the halo's ring alone
constexpr uint32_t kTextBitmapFlags = HVB_ALPHA | HVB_SHAREDDC;
constexpr int kPointsPerInch = 72;
constexpr int kDefaultDpi = 96;
// Wrapped text is measured within this height; the measure extends it to fit the lines anyway.
constexpr int kWrapMeasureHeight = 128;

int Factor(bool supersampled) {
    return supersampled ? NormalizeTextSupersampling(gHalvix.textSupersampling) : 1;
}

// A width or height in the supersampled font's pixels. Sizes beyond any bitmap are cut first, so
// the product fits an int.
int Scale(int size, int factor) {
    return std::clamp(size, -halvix::kMaxBitmapSide, halvix::kMaxBitmapSide) * factor;
}

// The size rounded up to a multiple of the factor.
int64_t RoundUp(int64_t size, int factor) {
    return (size + factor - 1) / factor * factor;
}

// A bitmap side: at least one whole block.
int64_t BlockSide(int64_t size, int factor) {
    return RoundUp(std::max<int64_t>(size, 1), factor);
}

UINT AlignmentFormat(int alignment) {
    switch (alignment) {
        case HVT_CENTRE:
            return DT_CENTER;
        case HVT_RIGHT:
            return DT_RIGHT;
        default:
            return DT_LEFT;
    }
}

HVBitmap* EmptyTextBitmap() {
    return new HVBitmap(1, 1, kTextBitmapFlags);
}

// How a text is laid out, in the pixels of the font it was measured with.
struct TextLayout {
    std::wstring text;  // as drawn: never empty; wrapped text may have one space turned into a CR
    UINT format = 0;    // of DrawText
    int boxWidth = 0;   // the box the text is drawn in
    SIZE size = {};     // the box plus the last character's overhang
};

// Breaks the text at the space nearest its middle, looking right of the middle before left.
void BreakNearMiddle(std::wstring& text) {
    const int64_t length = static_cast<int64_t>(text.size()), middle = length / 2;
    for (int64_t step = 0; middle + step < length || middle - step >= 0; ++step) {
        for (const int64_t at : {middle + step, middle - step}) {
            if (at >= 0 && at < length && text[at] == L' ') {
                text[at] = L'\r';
                return;
            }
        }
    }
}

int DrawTextInBox(HDC dc, const std::wstring& text, RECT* box, UINT format) {
    return DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), box, format);
}

// How far the last character reaches past its advance (italics), or 0.
int Overhang(HDC dc, wchar_t last) {
    ABC abc = {};
    return GetCharABCWidthsW(dc, last, last, &abc) && abc.abcC < 0 ? -abc.abcC : 0;
}

// The text is measured with the font selected into dc; a width or height that is given replaces
// the measure. Width −w: the text wraps within w.
TextLayout LayOutText(HDC dc, const std::wstring& text, int alignment, int width, int height) {
    TextLayout layout;
    layout.text = text.empty() ? std::wstring(L" ") : text;
    const UINT align = AlignmentFormat(alignment);
    RECT box = {0, 0, 0, 0};
    if (width < 0) {
        // A text wider than the box goes on two lines, broken once near the middle; a line that still
        // does not fit ends in an ellipsis.
        DrawTextInBox(dc, layout.text, &box, DT_CALCRECT | DT_NOPREFIX | align);
        if (box.right >= -width) {
            BreakNearMiddle(layout.text);
            box = {0, 0, -width, kWrapMeasureHeight};
            DrawTextInBox(dc, layout.text, &box, DT_WORD_ELLIPSIS | DT_CALCRECT | DT_NOPREFIX);
        }
        layout.format = DT_WORD_ELLIPSIS | DT_NOPREFIX | align;
    } else {
        const UINT format = DT_NOPREFIX | DT_EXPANDTABS | (width > 0 ? DT_WORDBREAK : 0);
        box = {0, 0, width, 0};
        DrawTextInBox(dc, layout.text, &box, DT_CALCRECT | format);
        if (width > 0) box.right = width;
        layout.format = format | align;
    }
    if (height > 0) box.bottom = height;
    layout.boxWidth = static_cast<int>(std::max<LONG>(box.right, 0));
    layout.size.cx = layout.boxWidth + Overhang(dc, layout.text.back());
    layout.size.cy = std::max<LONG>(box.bottom, 0);
    return layout;
}

// Draws the laid-out text with its box at (x, y), the box height tall, opaque on the background.
// Not clipped to the box: the overhang of the last character lies to its right.
void DrawLayout(HDC dc, const TextLayout& layout, int x, int y, int height, COLORREF ink, COLORREF background) {
    SetBkMode(dc, OPAQUE);
    SetBkColor(dc, background);
    SetTextColor(dc, ink);
    RECT box = {x, y, x + layout.boxWidth, y + height};
    DrawTextInBox(dc, layout.text, &box, layout.format | DT_NOCLIP);
}

// A memory context holding the font, and the section text is drawn into (selected by Select).
class TextCanvas {
public:
    explicit TextCanvas(HFONT font) : selectFont_(dc_.dc, font) {}
    bool Ready() const { return dc_.dc && selectFont_.previous; }
    HDC Dc() const { return dc_.dc; }

    // A zero-filled section of that size selected into the context; false when it cannot be made.
    // Called once.
    bool Select(int64_t width, int64_t height) {
        if (storage_ || !halvix::BitmapSizeAllowed(width, height)) return false;
        storage_ = PixelStorage::TryCreate(static_cast<int>(width), static_cast<int>(height));
        if (!storage_) return false;
        selectSection_ = std::make_unique<ScopedSelect>(dc_.dc, storage_->Section());
        return selectSection_->previous != nullptr;
    }
    // The pixels, once GDI has finished drawing into them.
    pixels::PixelView View() { return storage_->View(1, 0); }

private:
    MemoryDc dc_;
    ScopedSelect selectFont_;
    std::unique_ptr<PixelStorage> storage_;
    std::unique_ptr<ScopedSelect> selectSection_;  // deselected before the storage is deleted
};

// A copy of a view's bytes that later steps read while the view itself changes.
class CoverageCopy {
public:
    explicit CoverageCopy(const pixels::PixelView& from) { Take(from); }
    CoverageCopy(const CoverageCopy&) = delete;
    CoverageCopy& operator=(const CoverageCopy&) = delete;

    void Take(const pixels::PixelView& from) {
        bytes_.assign(from.bits, from.bits + from.ByteCount());
        view_ = {bytes_.data(), from.width, from.height, 1, 0};
    }
    const pixels::PixelView& View() const { return view_; }

private:
    std::vector<uint8_t> bytes_;
    pixels::PixelView view_;
};

// A new text bitmap of that size, or null.
HVBitmap* NewResult(int64_t width, int64_t height) {
    if (!halvix::BitmapSizeAllowed(width, height)) return nullptr;
    auto* bitmap = new HVBitmap(static_cast<int>(width), static_cast<int>(height), kTextBitmapFlags);
    if (bitmap->IsValid()) return bitmap;
    delete bitmap;
    return nullptr;
}

}  // namespace

HFONT CreateTextFont(const HVFontRequest& request, bool supersampled) {
    ScreenDc screen;
    const int dpi = screen.dc ? GetDeviceCaps(screen.dc, LOGPIXELSY) : kDefaultDpi;
    LOGFONTW font = {};
    font.lfHeight = static_cast<LONG>(std::lround(Factor(supersampled) * dpi * request.pointSize / kPointsPerInch));
    font.lfWeight = request.bold ? FW_BOLD : FW_NORMAL;
    font.lfItalic = request.italic;
    font.lfUnderline = request.underline;
    font.lfStrikeOut = request.strikeOut;
    font.lfCharSet = static_cast<BYTE>(request.charSet);
    font.lfOutPrecision = OUT_DEFAULT_PRECIS;
    font.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    font.lfQuality = ANTIALIASED_QUALITY;
    font.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
    request.face.copy(font.lfFaceName, LF_FACESIZE - 1);
    return CreateFontIndirectW(&font);
}

SIZE MeasureText(const std::wstring& text, HFONT font, int alignment, int width, int height) {
    if (!font) return {0, 0};
    TextCanvas canvas(font);
    if (!canvas.Ready()) return {0, 0};
    return LayOutText(canvas.Dc(), text, alignment, width, height).size;
}

HVBitmap* CreateTextBitmap(const std::wstring& text, HFONT font, COLORREF colour, int alignment, int width, int height,
                           bool supersampled, int caretIndex) {
    if (!font) return EmptyTextBitmap();
    const int factor = Factor(supersampled);
    TextCanvas canvas(font);
    if (!canvas.Ready()) return EmptyTextBitmap();
    const TextLayout layout = LayOutText(canvas.Dc(), text, alignment, Scale(width, factor), Scale(height, factor));
    const int caretWidth = factor;  // one pixel once reduced
    // Rounded up to whole blocks so that the reduction keeps every drawn column and row.
    const int64_t canvasWidth = BlockSide(int64_t{layout.size.cx} + (caretIndex != -1 ? caretWidth : 0), factor);
    const int64_t canvasHeight = BlockSide(layout.size.cy, factor);
    if (!canvas.Select(canvasWidth, canvasHeight)) return EmptyTextBitmap();
    DrawLayout(canvas.Dc(), layout, 0, 0, static_cast<int>(canvasHeight), kCoverageInk, kBlack);
    SIZE caret = {-1, 0};
    if (caretIndex == 0) caret.cx = 0;
    if (caretIndex > 0 && static_cast<size_t>(caretIndex) <= text.size())
        GetTextExtentPoint32W(canvas.Dc(), text.c_str(), caretIndex, &caret);

    const pixels::PixelView coverage = canvas.View();
    // On the block grid, so that the reduced caret is one whole column, not two faint ones.
    if (caret.cx >= 0) pixels::DrawCaretBar(coverage, static_cast<int>(RoundUp(caret.cx, factor)), caretWidth);
    HVBitmap* bitmap = NewResult(canvasWidth / factor, canvasHeight / factor);
    if (!bitmap) return EmptyTextBitmap();
    if (factor > 1) {
        pixels::ReduceCoverage(coverage, bitmap->View(), factor, colour);
    } else {
        pixels::CoverageToAlpha(coverage, colour);
        pixels::CopyRect(coverage, 0, 0, bitmap->View(), 0, 0, coverage.width, coverage.height);
    }
    return bitmap;
}

HVBitmap* CreateHaloTextBitmap(const std::wstring& text, HFONT font, COLORREF textColour, COLORREF haloColour,
                               int alignment, int width, int height, bool supersampled) {
    if (!font) return EmptyTextBitmap();
    const int factor = Factor(supersampled);
    TextCanvas canvas(font);
    if (!canvas.Ready()) return EmptyTextBitmap();
    const TextLayout layout = LayOutText(canvas.Dc(), text, alignment, Scale(width, factor), Scale(height, factor));
    // A margin of one reduced pixel on every side leaves room for the halo.
    const int64_t textHeight = BlockSide(layout.size.cy, factor);
    const int64_t canvasWidth = BlockSide(layout.size.cx, factor) + 2 * factor;
    const int64_t canvasHeight = textHeight + 2 * factor;
    if (!canvas.Select(canvasWidth, canvasHeight)) return EmptyTextBitmap();
    DrawLayout(canvas.Dc(), layout, factor, factor, static_cast<int>(textHeight), kCoverageInk, kBlack);
    CoverageCopy coverage(canvas.View());

    const bool outlineOnly = textColour == kOutlineOnly;
    if (!outlineOnly) {
        // The text again in its own colour, smoothed against the halo colour it will stand on.
        ScopedBrush halo(CreateSolidBrush(haloColour));
        RECT all = {0, 0, static_cast<LONG>(canvasWidth), static_cast<LONG>(canvasHeight)};
        if (halo) FillRect(canvas.Dc(), &all, halo.Get());
        DrawLayout(canvas.Dc(), layout, factor, factor, static_cast<int>(textHeight), textColour, haloColour);
    }
    const pixels::PixelView drawn = canvas.View();
    HVBitmap* bitmap = NewResult(canvasWidth / factor, canvasHeight / factor);
    if (!bitmap) return EmptyTextBitmap();
    const pixels::PixelView result = bitmap->View();
    int coverageByte = pixels::kCoverageBlue;
    if (factor == 1) {
        if (outlineOnly)
            pixels::CoverageToAlpha(drawn, haloColour);
        else
            pixels::AlphaFromCoverage(coverage.View(), pixels::kCoverageBlue, drawn);
        pixels::CopyRect(drawn, 0, 0, result, 0, 0, drawn.width, drawn.height);
    } else {
        if (outlineOnly) {
            pixels::ReduceCoverage(drawn, result, factor, haloColour);
        } else {
            pixels::AlphaFromCoverage(coverage.View(), pixels::kCoverageBlue, drawn);
            pixels::ReduceAverage(drawn, result, factor);
        }
        // From here on the reduced alpha is the coverage.
        coverage.Take(result);
        coverageByte = pixels::kCoverageAlpha;
    }
    pixels::SpreadHalo(coverage.View(), coverageByte, result);
    if (outlineOnly) pixels::CutOutline(coverage.View(), coverageByte, result);
    return bitmap;
}
