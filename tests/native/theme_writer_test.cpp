#include "theme/theme_writer.h"

#include <gtest/gtest.h>

#include <cstring>

#include "graphics/hv_bitmap.h"
#include "graphics/hv_bitmap_state.h"
#include "tests/native/theme_bytes.h"
#include "theme/theme_format.h"
#include "theme/theme_image.h"
#include "theme/theme_reader.h"

namespace tb = themebytes;

namespace {

uint32_t U32(const std::vector<uint8_t>& b, size_t at) {
    return uint32_t(b[at]) | uint32_t(b[at + 1]) << 8 | uint32_t(b[at + 2]) << 16 | uint32_t(b[at + 3]) << 24;
}

// An image-bearing animation as the reader or the pack tool builds it.
template <typename T>
T WithImage(T animation, int frames, int frameWidth, int height, const std::wstring& stateName, uint8_t seed = 1) {
    auto* bitmap = new HVBitmap(frames * frameWidth, height, HVB_ALPHA);
    std::vector<uint8_t> pixels = tb::Pixels(frames * frameWidth, height, seed);
    std::memcpy(bitmap->Bits(), pixels.data(), pixels.size());
    animation.frames = frames;
    animation.image = MakeAnimationState(stateName, bitmap, animation, true);
    return animation;
}

CCursor StoredCursor(uint32_t role, uint32_t event, int frames, int frameWidth, int height, double scale = 1.0) {
    CCursor c;
    c.role = role;
    c.event = event;
    c.scale = scale;
    c.stored = 1;
    return WithImage(c, frames, frameWidth, height, CursorStateName(role, event));
}

}  // namespace

// A 4-character name and one cursor of 2 frames of 32 x 32: an 8 290-byte data block.
TEST(ThemeWriter, WritesTheSmallExampleByteForByte) {
    CTheme theme;
    theme.name = L"Test";
    theme.AddCursor(StoredCursor(0, 1, 2, 32, 32));
    std::vector<uint8_t> out;
    ASSERT_TRUE(WriteThemeBytes(theme, out));

    std::vector<uint8_t> expected(184 + 8290, 0);
    tb::PutU32(expected, 0, 1);
    tb::PutU32(expected, 4, 184);
    tb::PutU32(expected, 8, 8290);
    tb::PutU32(expected, 12, 2003);
    std::memcpy(&expected[16], themeformat::kNotice, std::strlen(themeformat::kNotice));
    tb::PutU32(expected, 104, 1);  // cursors written
    tb::PutU32(expected, 116, 1);
    tb::PutU32(expected, 136, 10);
    tb::PutU32(expected, 180, 10);
    const wchar_t name[] = L"Test";
    for (int i = 0; i < 4; ++i) expected[184 + 2 * i] = static_cast<uint8_t>(name[i]);
    const size_t r = 184 + 10;
    const uint32_t record[] = {2, 88, 8280, 3, 0, 1, 1, 2, 64, 32, 0, 0, 0, 0, 0, 88, 8192, 88, 0, 0};
    for (size_t i = 0; i < sizeof record / sizeof record[0]; ++i) tb::PutU32(expected, r + 4 * i, record[i]);
    const double scale = 1.0;
    std::memcpy(&expected[r + 80], &scale, 8);
    std::vector<uint8_t> pixels = tb::Pixels(64, 32, 1);
    std::memcpy(&expected[r + 88], pixels.data(), pixels.size());
    EXPECT_EQ(out, expected);
}

TEST(ThemeWriter, WritesOnlyStoredNamedCursorsWithImages) {
    CTheme theme;
    theme.AddCursor(StoredCursor(0, 1, 1, 4, 4));
    CCursor derived = StoredCursor(1, 1, 1, 4, 4);
    derived.stored = 0;
    theme.AddCursor(derived);
    CCursor na = StoredCursor(2, 1, 1, 4, 4);
    na.image->SetName(L"NA");
    theme.AddCursor(na);
    CCursor unnamed = StoredCursor(3, 1, 1, 4, 4);
    unnamed.image->SetName(L"");
    theme.AddCursor(unnamed);
    CCursor standard;  // no image
    standard.role = 4;
    standard.standard = 1;
    standard.stored = 1;
    theme.AddCursor(standard);
    std::vector<uint8_t> out;
    ASSERT_TRUE(WriteThemeBytes(theme, out));
    CTheme back;
    ThemeReadResult r = ReadThemeBytes(back, out, L"x.morvanta", false);
    ASSERT_TRUE(r.ok);
    ASSERT_EQ(r.cursorOrder.size(), 1u);
    EXPECT_EQ(back.cursors[1.0][0].role, 0u);
}

TEST(ThemeWriter, RecordsFollowInTheirFixedOrderWithFlagsRatesAndTrimmedHotSpots) {
    CTheme theme;
    theme.author = L"Ann";
    theme.optionLock = 1;
    CTrail trail = WithImage(CTrail{}, 2, 3, 3, L"Default", 5);
    trail.rate = -4;  // written as 20
    theme.trails.emplace(1, std::move(trail));
    theme.SetSound(2, {9, 8, 7});
    CClickEffect effect;
    effect.reverse = 1;
    effect.hotSpotX = 2;
    effect.hotSpotY = 3;
    effect.frameScript = L"2-1";
    effect = WithImage(std::move(effect), 2, 4, 4, L"Default", 6);
    effect.image->SetTrims(5, 6, 0, 0);  // as a shadow margin would leave them
    effect.image->Bitmap()->SetPremultiplied(true);
    theme.SetClickEffect(7, std::move(effect));
    CCursor cursor = StoredCursor(0, 1, 1, 4, 4, 2.0);
    cursor.standard = 1;
    theme.AddCursor(std::move(cursor));

    std::vector<uint8_t> out;
    ASSERT_TRUE(WriteThemeBytes(theme, out));
    EXPECT_EQ(U32(out, 104), 1u | 2u | 4u | 8u);
    EXPECT_EQ(U32(out, 108), 1u);
    EXPECT_EQ(U32(out, 132), 0u);  // absent name: 0 and 0
    EXPECT_EQ(U32(out, 136), 0u);
    EXPECT_EQ(U32(out, 140), 0u);  // author first in the block
    EXPECT_EQ(U32(out, 144), 8u);
    // Cursor, effect, sound, trail.
    size_t at = 184 + U32(out, 180);
    EXPECT_EQ(U32(out, at), 2u);
    EXPECT_EQ(U32(out, at + 24), 0u);  // standard cursor: no image of its own
    at += U32(out, at + 8);
    EXPECT_EQ(U32(out, at), 4u);
    EXPECT_EQ(U32(out, at + 16), 7u);
    EXPECT_EQ(U32(out, at + 36), 0x04u);
    EXPECT_EQ(U32(out, at + 44), 7u);  // hot spot + trims
    EXPECT_EQ(U32(out, at + 48), 9u);
    EXPECT_EQ(U32(out, at + 52), 68u + 8u);  // pixels after the 8-byte script
    EXPECT_EQ(U32(out, at + 64), 8u);
    at += U32(out, at + 8);
    EXPECT_EQ(U32(out, at), 16u);
    EXPECT_EQ(U32(out, at + 24), 3u);
    at += U32(out, at + 8);
    EXPECT_EQ(U32(out, at), 8u);
    EXPECT_EQ(U32(out, at + 4), 100u);
    EXPECT_EQ(U32(out, at + 68), 20u);
    at += U32(out, at + 8);
    EXPECT_EQ(at, out.size());
    EXPECT_EQ(U32(out, 128), 0u) << "the header takes the premultiplied flag of the last image written";
}

TEST(ThemeWriter, RoundTripThroughTheReaderIsStable) {
    CTheme theme;
    theme.name = L"R\u00e9sum\u00e9";
    theme.description = L"";
    CCursor c = StoredCursor(3, 2, 4, 5, 6, 1.5);
    c.frameScript = L"1-4,40;repeat 2;2;end repeat";
    c.hotSpotX = -1;
    theme.AddCursor(c);
    std::vector<uint8_t> first;
    ASSERT_TRUE(WriteThemeBytes(theme, first));
    CTheme back;
    ASSERT_TRUE(ReadThemeBytes(back, first, L"x.morvanta", false).ok);
    EXPECT_EQ(*back.description, L"");
    std::vector<uint8_t> second;
    ASSERT_TRUE(WriteThemeBytes(back, second));
    EXPECT_EQ(first, second);
}
