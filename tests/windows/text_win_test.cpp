// Text rendered by the platform: straight-alpha coverage, sizes with and without supersampling,
// the caret, wrapping, the italic overhang, halo and outline looks, and text states.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "graphics/gdi_scoped_win.h"
#include "graphics/halvix_win.h"
#include "graphics/hv_bitmap.h"
#include "graphics/hv_bitmap_state.h"
#include "graphics/hv_text_win.h"

namespace {

using Bitmap = std::unique_ptr<HVBitmap>;
constexpr COLORREF kMagenta = RGB(255, 0, 255);
constexpr COLORREF kWhite = RGB(255, 255, 255);

const uint8_t* PixelAt(HVBitmap& b, int x, int y) {
    return b.Bits() + (static_cast<size_t>(b.Height() - 1 - y) * b.Width() + x) * 4;
}
uint8_t AlphaAt(HVBitmap& b, int x, int y) {
    return PixelAt(b, x, y)[3];
}
COLORREF ColourAt(HVBitmap& b, int x, int y) {
    const uint8_t* p = PixelAt(b, x, y);
    return RGB(p[2], p[1], p[0]);
}

ScopedFont Font(double points, bool supersampled, bool bold = false, bool italic = false) {
    HVFontRequest request;
    request.pointSize = points;
    request.bold = bold;
    request.italic = italic;
    return ScopedFont(CreateTextFont(request, supersampled));
}

// The C width of the character in the font.
int RightBearing(const ScopedFont& font, wchar_t c) {
    MemoryDc dc;
    ScopedSelect select(dc.dc, font.Get());
    ABC abc = {};
    return GetCharABCWidthsW(dc.dc, c, c, &abc) ? abc.abcC : 0;
}

Bitmap Text(const std::wstring& text, const ScopedFont& font, bool supersampled, int width = 0, int height = 0,
            int caretIndex = -1, COLORREF colour = 0) {
    return Bitmap(CreateTextBitmap(text, font.Get(), colour, HVT_LEFT, width, height, supersampled, caretIndex));
}

class TextRendering : public testing::Test {
protected:
    void SetUp() override {
        savedFactor_ = gHalvix.textSupersampling;
        gHalvix.textSupersampling = 4;
    }
    void TearDown() override { gHalvix.textSupersampling = savedFactor_; }

private:
    int savedFactor_ = 0;
};

}  // namespace

TEST_F(TextRendering, TextIsTheFullColourWithStraightCoverageAlpha) {
    for (const bool supersampled : {false, true}) {
        SCOPED_TRACE(supersampled);
        const ScopedFont font = Font(10, supersampled);
        Bitmap text = Text(L"Morvanta", font, supersampled, 0, 0, -1, kWhite);
        EXPECT_TRUE(text->HasAlpha());
        EXPECT_FALSE(text->IsPremultiplied());
        EXPECT_TRUE(text->UsesSharedDC());
        int partial = 0;
        for (int y = 0; y < text->Height(); ++y) {
            for (int x = 0; x < text->Width(); ++x) {
                ASSERT_EQ(ColourAt(*text, x, y), kWhite);
                const uint8_t a = AlphaAt(*text, x, y);
                partial += a > 0 && a < 255;
            }
        }
        EXPECT_GT(partial, 10);  // anti-aliased
        // White text blended onto white stays white: no dark fringe where the coverage is partial.
        HVBitmap target(text->Width(), text->Height(), HVB_ALPHA);
        memset(target.Bits(), 0xFF, static_cast<size_t>(target.Width()) * target.Height() * 4);
        ASSERT_TRUE(text->Draw(target.GetDC(), 0, 0, text->Width(), text->Height(), 0, 0, 255));
        for (int y = 0; y < target.Height(); ++y)
            for (int x = 0; x < target.Width(); ++x) ASSERT_GE(PixelAt(target, x, y)[0], 254) << x << "," << y;
    }
}

TEST_F(TextRendering, SupersampledTextKeepsTheSizeOfItsBox) {
    const ScopedFont plainFont = Font(10, false), bigFont = Font(10, true);
    for (const bool supersampled : {false, true}) {
        const ScopedFont& font = supersampled ? bigFont : plainFont;
        EXPECT_EQ(Text(L"Sized", font, supersampled, 120, 24)->Width(), 120);
        EXPECT_EQ(Text(L"Sized", font, supersampled, 120, 24)->Height(), 24);
        EXPECT_EQ(Text(L"Sized", font, supersampled, 120, 24, 0)->Width(), 121);  // and the caret
        Bitmap halo(CreateHaloTextBitmap(L"Sized", font.Get(), 0, kWhite, HVT_CENTRE, 120, 24, supersampled));
        EXPECT_EQ(halo->Width(), 122);
        EXPECT_EQ(halo->Height(), 26);
    }
}

TEST_F(TextRendering, EmptyTextIsTheSizeOfASpace) {
    for (const bool supersampled : {false, true}) {
        const ScopedFont font = Font(10, supersampled);
        Bitmap empty = Text(L"", font, supersampled), space = Text(L" ", font, supersampled);
        EXPECT_GT(space->Width(), 1);
        EXPECT_EQ(empty->Width(), space->Width());
        EXPECT_EQ(empty->Height(), space->Height());
    }
    const ScopedFont font = Font(10, false);
    const SIZE empty = MeasureText(L"", font.Get(), HVT_LEFT, 0, 0),
               space = MeasureText(L" ", font.Get(), HVT_LEFT, 0, 0);
    EXPECT_EQ(empty.cx, space.cx);
    EXPECT_EQ(empty.cy, space.cy);
}

TEST_F(TextRendering, CaretIsOneColumnBeforeTheIndexedCharacter) {
    for (const bool supersampled : {false, true}) {
        SCOPED_TRACE(supersampled);
        const ScopedFont font = Font(10, supersampled);
        // After an overhanging last character the caret would stand inside the overhang.
        ASSERT_GE(RightBearing(font, L'e'), 0);
        const int width = Text(L"Name", font, supersampled)->Width();
        Bitmap atEnd = Text(L"Name", font, supersampled, 0, 0, 4);
        ASSERT_EQ(atEnd->Width(), width + 1);
        const int last = atEnd->Width() - 1;
        for (int y = 0; y < atEnd->Height() - 2; ++y) EXPECT_GE(AlphaAt(*atEnd, last, y), 192) << y;
        Bitmap atStart = Text(L"Name", font, supersampled, 0, 0, 0);
        for (int y = 0; y < atStart->Height() - 2; ++y) EXPECT_GE(AlphaAt(*atStart, 0, y), 192) << y;
        // Beyond the text: the room for the caret, but no caret.
        Bitmap beyond = Text(L"Name", font, supersampled, 0, 0, 5);
        ASSERT_EQ(beyond->Width(), width + 1);
        for (int y = 0; y < beyond->Height(); ++y) EXPECT_EQ(AlphaAt(*beyond, last, y), 0) << y;
    }
}

TEST_F(TextRendering, WrappedTextBreaksOnceAtTheSpaceNearestItsMiddle) {
    const ScopedFont font = Font(10, false);
    const std::wstring text = L"one two three four five";  // the middle is in "three"
    const SIZE line = MeasureText(text, font.Get(), HVT_LEFT, 0, 0);
    const SIZE firstLine = MeasureText(L"one two three", font.Get(), HVT_LEFT, 0, 0);
    const int wrap = firstLine.cx + 2;
    ASSERT_LT(wrap, line.cx);
    const SIZE wrapped = MeasureText(text, font.Get(), HVT_LEFT, -wrap, 0);
    EXPECT_EQ(wrapped.cx, firstLine.cx);
    EXPECT_EQ(wrapped.cy, 2 * line.cy);
    Bitmap bitmap = Text(text, font, false, -wrap);
    EXPECT_EQ(bitmap->Width(), wrapped.cx);
    EXPECT_EQ(bitmap->Height(), wrapped.cy);
    // A text that fits stays on one line.
    EXPECT_EQ(MeasureText(L"one two", font.Get(), HVT_LEFT, -wrap, 0).cy, line.cy);
    // Spaces either side of the middle: the right one breaks ("WWW i" / "iii", not "WWW" / "i iii").
    const SIZE rightBreak = MeasureText(L"WWW i", font.Get(), HVT_LEFT, 0, 0);
    EXPECT_EQ(MeasureText(L"WWW i iii", font.Get(), HVT_LEFT, -(rightBreak.cx + 1), 0).cx, rightBreak.cx);
}

TEST_F(TextRendering, ItalicOverhangWidensTheBitmapToHoldTheGlyph) {
    const ScopedFont font = Font(20, false, false, true);
    RECT measured = {0, 0, 0, 0};
    {
        MemoryDc dc;
        ScopedSelect select(dc.dc, font.Get());
        DrawTextW(dc.dc, L"Staff", -1, &measured, DT_CALCRECT | DT_NOPREFIX | DT_EXPANDTABS);
    }
    Bitmap text = Text(L"Staff", font, false);
    ASSERT_GT(text->Width(), measured.right);
    int inkBeyond = 0;
    for (int y = 0; y < text->Height(); ++y)
        for (int x = measured.right; x < text->Width(); ++x) inkBeyond += AlphaAt(*text, x, y) > 0;
    EXPECT_GT(inkBeyond, 0);
}

TEST_F(TextRendering, HaloSurroundsTheGlyphsAndMagentaLeavesOnlyItsRing) {
    const ScopedFont font = Font(48, true, true);
    Bitmap plain = Text(L"I", font, true);
    Bitmap halo(CreateHaloTextBitmap(L"I", font.Get(), 0, kWhite, HVT_LEFT, 0, 0, true));
    Bitmap outline(CreateHaloTextBitmap(L"I", font.Get(), kMagenta, kWhite, HVT_LEFT, 0, 0, true));
    ASSERT_EQ(halo->Width(), plain->Width() + 2);
    ASSERT_EQ(outline->Height(), plain->Height() + 2);
    // The stroke across the middle row of the plain text, and the last uncovered pixel left of it;
    // the same pixels of the halo bitmaps lie one to the right and one down.
    const int y = plain->Height() / 2;
    int left = 0;
    while (left < plain->Width() && AlphaAt(*plain, left, y) < 255) ++left;
    int right = left;
    while (right < plain->Width() && AlphaAt(*plain, right, y) == 255) ++right;
    ASSERT_GE(right - left, 6) << "a thick stroke";
    int outside = left - 1;
    while (outside > 0 && AlphaAt(*plain, outside, y) > 0) --outside;
    ASSERT_EQ(AlphaAt(*plain, outside, y), 0);

    EXPECT_EQ(ColourAt(*halo, (left + right) / 2 + 1, y + 1), RGB(0, 0, 0));
    EXPECT_EQ(AlphaAt(*halo, (left + right) / 2 + 1, y + 1), 255);
    EXPECT_EQ(ColourAt(*halo, outside + 1, y + 1), kWhite);
    EXPECT_GT(AlphaAt(*halo, outside + 1, y + 1), 0);

    for (int x = left + 2; x < right - 2; ++x) EXPECT_EQ(AlphaAt(*outline, x + 1, y + 1), 0) << x;
    EXPECT_EQ(ColourAt(*outline, outside + 1, y + 1), kWhite);
    EXPECT_GT(AlphaAt(*outline, outside + 1, y + 1), 0);
}

TEST_F(TextRendering, MissingFontGivesAnEmptyBitmap) {
    Bitmap text(CreateTextBitmap(L"x", nullptr, 0, HVT_LEFT, 0, 0, true, -1));
    Bitmap halo(CreateHaloTextBitmap(L"x", nullptr, 0, kWhite, HVT_LEFT, 0, 0, true));
    for (HVBitmap* b : {text.get(), halo.get()}) {
        ASSERT_NE(b, nullptr);
        EXPECT_EQ(b->Width(), 1);
        EXPECT_EQ(b->Height(), 1);
        EXPECT_EQ(AlphaAt(*b, 0, 0), 0);
    }
}

TEST_F(TextRendering, TextStateHoldsItsBitmapAndTrimsTheHaloMargin) {
    HVTextParams params;
    params.text = L"Label";
    params.halo = true;
    params.haloColour = kWhite;
    HVBitmapState halo(L"halo", params);
    ASSERT_NE(halo.Bitmap(), nullptr);
    EXPECT_EQ(halo.Bitmap()->RefCount(), 1);
    EXPECT_EQ(halo.Width(), halo.Bitmap()->Width());
    EXPECT_EQ(halo.Height(), halo.Bitmap()->Height());
    EXPECT_EQ(halo.FrameCount(), 1);
    EXPECT_EQ(halo.TrimLeft(), 1);
    EXPECT_EQ(halo.TrimTop(), 1);
    EXPECT_EQ(halo.TrimRight(), 1);
    EXPECT_EQ(halo.TrimBottom(), 1);

    params.halo = false;
    params.caretIndex = 0;
    HVBitmapState plain(L"plain", params);
    EXPECT_EQ(plain.TrimLeft() + plain.TrimTop() + plain.TrimRight() + plain.TrimBottom(), 0);
    // The same supersampled layout: the halo's two margin columns against the caret's one.
    EXPECT_EQ(plain.Width(), halo.Width() - 1);
    EXPECT_EQ(plain.Height(), halo.Height() - 2);
}
