#include "theme/theme_reader.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "graphics/hv_bitmap.h"
#include "graphics/hv_bitmap_state.h"
#include "tests/native/theme_bytes.h"
#include "theme/theme_writer.h"

namespace tb = themebytes;

namespace {

tb::Animation Strip(uint32_t frames, uint32_t frameWidth, uint32_t height, uint8_t seed = 1) {
    tb::Animation a;
    a.frames = frames;
    a.width = frames * frameWidth;
    a.height = height;
    a.pixels = tb::Pixels(a.width, a.height, seed);
    return a;
}

ThemeReadResult Read(CTheme& theme, const std::vector<uint8_t>& bytes, bool preview = false,
                     const std::wstring& path = L"C:\\Themes\\Blue Glass.morvanta") {
    return ReadThemeBytes(theme, bytes, path, preview);
}

std::vector<uint8_t> Write(const CTheme& theme) {
    std::vector<uint8_t> out;
    EXPECT_TRUE(WriteThemeBytes(theme, out));
    return out;
}

}  // namespace

TEST(ThemeReader, ReadsTextsCursorFieldsAndTheImageState) {
    tb::File f;
    f.texts[0] = L"Glass";
    f.texts[1] = L"Ann";
    f.texts[4] = L"ann@example.org";  // slot 5: e-mail
    f.optionLock = 7;
    f.premultiplied = 1;
    tb::Animation a = Strip(4, 8, 6);
    a.interval = 80;
    a.flags = 0x01 | 0x02 | 0x04;  // style, loop, reverse
    a.hotX = 3;
    a.hotY = -2;
    a.script = L"1-4,20";
    f.records.push_back(tb::Cursor(5, 2, a, 1.25));
    CTheme theme;
    ThemeReadResult r = Read(theme, tb::Build(f));
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_EQ(*theme.name, L"Glass");
    EXPECT_EQ(*theme.author, L"Ann");
    EXPECT_EQ(*theme.email, L"ann@example.org");
    EXPECT_FALSE(theme.website);
    EXPECT_EQ(theme.optionLock, 1);
    EXPECT_EQ(theme.contentFlags, kThemeHasCursors);
    EXPECT_EQ(theme.path, L"C:\\Themes\\Blue Glass.morvanta");

    ASSERT_EQ(theme.cursors.count(1.25), 1u);
    const CCursor& c = theme.cursors[1.25][0];
    EXPECT_EQ(c.role, 5u);
    EXPECT_EQ(c.event, 2u);
    EXPECT_EQ(c.variant, 1u);
    EXPECT_EQ(c.standard, 0);
    EXPECT_EQ(c.stored, 1);
    EXPECT_EQ(c.frames, 4);
    EXPECT_EQ(c.interval, 80);
    EXPECT_EQ(c.style + c.loop + c.reverse, 3);
    EXPECT_EQ(c.frameScript, L"1-4,20");

    const HVBitmapState& s = *c.image;
    EXPECT_EQ(s.Name(), L"5-2");
    EXPECT_EQ(s.FrameCount(), 4);
    EXPECT_EQ(s.Width(), 8);
    EXPECT_EQ(s.Height(), 6);
    EXPECT_EQ(s.OffsetX(), -3);
    EXPECT_EQ(s.OffsetY(), 2);
    EXPECT_EQ(s.HitMode(), HVH_NEVER);
    EXPECT_EQ(s.ModeFlags(), HVS_INTERRUPTIBLE | HVS_STYLE | HVS_REVERSE | HVS_LOOP);
    EXPECT_TRUE(s.HasScript());
    ASSERT_TRUE(s.Bitmap());
    EXPECT_TRUE(s.Bitmap()->HasAlpha());
    EXPECT_TRUE(s.Bitmap()->IsPremultiplied());
    EXPECT_EQ(0, std::memcmp(s.Bitmap()->Bits(), a.pixels.data(), a.pixels.size()));
}

TEST(ThemeReader, MissingOrEmptyNameFallsBackToTheFileNameAndIsWrittenBack) {
    tb::File f;
    f.texts[0] = L"";
    f.records.push_back(tb::Cursor(0, 1, Strip(1, 4, 4)));
    CTheme theme;
    ASSERT_TRUE(Read(theme, tb::Build(f)).ok);
    EXPECT_EQ(*theme.name, L"Blue Glass");
    CTheme again;
    ASSERT_TRUE(Read(again, Write(theme), false, L"other.morvanta").ok);
    EXPECT_EQ(*again.name, L"Blue Glass");
}

TEST(ThemeReader, ScalesReadIntoTheirVectorsAndWriteBackInAscendingOrder) {
    tb::File f;
    f.records.push_back(tb::Cursor(0, 1, Strip(1, 6, 6, 9), 1.5));
    f.records.push_back(tb::Cursor(0, 1, Strip(1, 4, 4, 3), 1.0));
    CTheme theme;
    ThemeReadResult r = Read(theme, tb::Build(f));
    ASSERT_TRUE(r.ok);
    ASSERT_EQ(theme.cursors.size(), 2u);
    EXPECT_EQ(r.cursorOrder[0].first, 1.5);
    CTheme back;
    ThemeReadResult again = Read(back, Write(theme));
    ASSERT_TRUE(again.ok);
    ASSERT_EQ(again.cursorOrder.size(), 2u);
    EXPECT_EQ(again.cursorOrder[0].first, 1.0);
    EXPECT_EQ(again.cursorOrder[1].first, 1.5);
    EXPECT_EQ(back.cursors[1.5][0].image->Width(), 6);
}

TEST(ThemeReader, OldVersionsHaveNoScaleAndTheOldestAlwaysLoop) {
    for (uint32_t version : {2000u, 2001u, 2002u}) {
        tb::File f;
        f.version = version;
        tb::Animation a = Strip(2, 4, 4);
        a.flags = 0;  // loop bit clear
        f.records.push_back(tb::Cursor(0, 1, a, 0, false));
        f.optionLock = 1;
        CTheme theme;
        ASSERT_TRUE(Read(theme, tb::Build(f)).ok) << version;
        const CCursor& c = theme.cursors[1.0].at(0);
        EXPECT_EQ(c.loop, version == 2002u ? 0 : 1) << version;
        EXPECT_EQ((c.image->ModeFlags() & HVS_LOOP) != 0, version != 2002u) << version;
        EXPECT_EQ(theme.optionLock, 0) << "the option lock exists in version 2003 only";
    }
}

TEST(ThemeReader, EffectsTrailsAndSoundsByKeyWithTheirFlags) {
    tb::File f;
    tb::Animation e = Strip(3, 4, 4, 5);
    e.flags = 0x02;  // a loop bit on an effect is kept in the entry, never given to the image
    f.records.push_back(tb::Effect(4, 9, Strip(1, 2, 2), 2));  // key 9: passed over, bit 2 still set
    f.records.push_back(tb::Effect(4, 3, Strip(1, 2, 2, 7), 2));
    f.records.push_back(tb::Effect(4, 3, e, 2));                  // the later record with key 3 wins
    f.records.push_back(tb::Effect(8, 1, Strip(2, 3, 3), 3, 0));  // rate 0 reads as 20
    f.records.push_back(tb::Effect(8, 2, Strip(1, 3, 3), 3, 35));
    f.records.push_back(tb::Sound(4, {'R', 'I', 'F', 'F'}));
    f.records.push_back(tb::Sound(5, {}));  // no data: no sound, but a sound record was met
    f.records.push_back(tb::Raw(32, 24, std::vector<uint8_t>(8, 0xEE)));  // unknown type: passed over
    CTheme theme;
    ThemeReadResult r = Read(theme, tb::Build(f));
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_EQ(theme.contentFlags, kThemeHasClickEffects | kThemeHasTrails | kThemeHasSounds);
    ASSERT_EQ(theme.clickEffects.size(), 1u);
    const CClickEffect& effect = theme.clickEffects.at(3);
    EXPECT_EQ(effect.frames, 3);
    EXPECT_EQ(effect.loop, 1);
    EXPECT_EQ(effect.image->Name(), L"Default");
    EXPECT_EQ(effect.image->ModeFlags() & HVS_LOOP, 0u);
    EXPECT_EQ(theme.trails.at(1).rate, 20);
    EXPECT_EQ(theme.trails.at(2).rate, 35);
    ASSERT_EQ(theme.sounds.size(), 1u);
    EXPECT_EQ(theme.sounds.at(4), (std::vector<uint8_t>{'R', 'I', 'F', 'F'}));
}

TEST(ThemeReader, OldTrailRecordVersions) {
    tb::File f;
    f.version = 2002;
    f.records.push_back(tb::Effect(8, 0, Strip(1, 2, 2), 2));      // version 2: no rate
    f.records.push_back(tb::Effect(8, 1, Strip(1, 2, 2), 3, 12));  // version 3: rate
    f.records.push_back(tb::Effect(8, 2, Strip(1, 2, 2), 4, 12));  // unknown: passed over, reported
    CTheme theme;
    ThemeReadResult r = Read(theme, tb::Build(f));
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_EQ(theme.trails.at(0).rate, 20);
    EXPECT_EQ(theme.trails.at(1).rate, 12);
    EXPECT_EQ(theme.trails.count(2), 0u);
    EXPECT_TRUE(r.unsupportedContent);
}

TEST(ThemeReader, StandardCursorWithoutImageKeepsItsScript) {
    tb::File f;
    tb::Animation a;
    a.script = L"1-2";
    f.records.push_back(tb::Cursor(3, 1, a, 1.0, true, 0));
    CTheme theme;
    ASSERT_TRUE(Read(theme, tb::Build(f)).ok);
    const CCursor& c = theme.cursors[1.0][0];
    EXPECT_EQ(c.standard, 1);
    EXPECT_FALSE(c.image);
    EXPECT_EQ(c.frameScript, L"1-2");
}

TEST(ThemeReader, DuplicateCursorsAreKeptInFileOrderAndLookupFindsTheFirst) {
    tb::File f;
    f.records.push_back(tb::Cursor(0, 1, Strip(1, 4, 4, 1)));
    f.records.push_back(tb::Cursor(0, 1, Strip(1, 5, 5, 2)));
    CTheme theme;
    ASSERT_TRUE(Read(theme, tb::Build(f)).ok);
    ASSERT_EQ(theme.cursors[1.0].size(), 2u);
    EXPECT_EQ(theme.FindCursor(0, 1, 1)->image->Width(), 4);
}

TEST(ThemeReader, CompressedAndStoredFilesReadIntoIdenticalThemes) {
    tb::File f;
    f.texts[0] = L"Same";
    f.texts[5] = L"A longer description\r\nwith two lines";
    tb::Animation a = Strip(4, 16, 16, 11);
    a.script = L"repeat 2;1-4,30;end repeat";
    f.records.push_back(tb::Cursor(0, 1, a));
    f.records.push_back(tb::Effect(4, 0, Strip(2, 8, 8, 3), 2));
    f.records.push_back(tb::Sound(1, std::vector<uint8_t>(300, 0x42)));
    CTheme stored, packed;
    ASSERT_TRUE(Read(stored, tb::Build(f)).ok);
    f.compress = true;
    std::vector<uint8_t> compressed = tb::Build(f);
    ASSERT_NE(compressed[120] | compressed[121], 0);  // a compressed size is stated
    ThemeReadResult r = Read(packed, compressed);
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_EQ(Write(stored), Write(packed));
}

TEST(ThemeReader, PreviewTakesTextsAndTheFirstNormalArrowOnly) {
    tb::File f;
    f.texts[1] = L"Ann";
    f.records.push_back(tb::Cursor(2, 1, Strip(1, 4, 4)));
    f.records.push_back(tb::Cursor(0, 2, Strip(1, 4, 4)));
    f.records.push_back(tb::Cursor(0, 1, Strip(1, 6, 6), 2.0));
    f.records.push_back(tb::Cursor(0, 1, Strip(1, 7, 7), 1.0));
    f.records.push_back(tb::Effect(4, 0, Strip(1, 2, 2), 2));
    f.records.push_back(tb::Sound(0, {1, 2, 3}));
    CTheme theme;
    ThemeReadResult r = Read(theme, tb::Build(f), true);
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(*theme.author, L"Ann");
    ASSERT_EQ(r.cursorOrder.size(), 1u);
    EXPECT_EQ(theme.cursors.at(2.0).at(0).image->Width(), 6);
    EXPECT_TRUE(theme.clickEffects.empty());
    EXPECT_TRUE(theme.sounds.empty());
    EXPECT_EQ(theme.contentFlags, kThemeHasCursors | kThemeHasClickEffects | kThemeHasSounds);
}

TEST(ThemeReader, AReadResetsTheThemeButKeepsTextsWhenItFails) {
    tb::File f;
    f.texts[0] = L"First";
    f.records.push_back(tb::Cursor(0, 1, Strip(1, 4, 4)));
    CTheme theme;
    ASSERT_TRUE(Read(theme, tb::Build(f)).ok);
    theme.unsupportedMessageShown = 1;
    std::vector<uint8_t> broken = tb::Build(f);
    broken.resize(broken.size() - 1);
    EXPECT_FALSE(Read(theme, broken).ok);
    EXPECT_TRUE(theme.cursors.empty());
    EXPECT_EQ(theme.contentFlags, 0);
    EXPECT_EQ(*theme.name, L"First");
    EXPECT_EQ(theme.unsupportedMessageShown, 1);
}

// Damaged and hostile files: each fails with a reason, reads nothing outside the data, and
// never loops or allocates what the file merely claims.
TEST(ThemeReaderSafety, RefusesBadHeadersAndBlocks) {
    tb::File f;
    f.texts[0] = L"X";
    f.records.push_back(tb::Cursor(0, 1, Strip(1, 4, 4)));
    const std::vector<uint8_t> good = tb::Build(f);
    CTheme theme;

    EXPECT_FALSE(Read(theme, std::vector<uint8_t>(good.begin(), good.begin() + 183)).ok);
    std::vector<uint8_t> bytes = good;
    tb::PutU32(bytes, 12, 1999);
    EXPECT_FALSE(Read(theme, bytes).ok);
    tb::PutU32(bytes, 12, 2004);
    EXPECT_FALSE(Read(theme, bytes).ok);

    bytes = good;
    tb::PutU32(bytes, 8, static_cast<uint32_t>(good.size()));  // the block is claimed longer than the file
    EXPECT_FALSE(Read(theme, bytes).ok);

    f.compress = true;
    const std::vector<uint8_t> packed = tb::Build(f);
    bytes = packed;
    tb::PutU32(bytes, 8, 0xFFFFFFF0u);  // absurd size: refused before allocating
    ThemeReadResult r = Read(theme, bytes);
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.error.find("too large"), std::string::npos) << r.error;
    bytes = packed;
    tb::PutU32(bytes, 8, 1 << 24);  // more than the compressed bytes can inflate to
    EXPECT_FALSE(Read(theme, bytes).ok);
    bytes = packed;
    bytes[184 + 10] ^= 0x5A;  // a damaged stream
    EXPECT_FALSE(Read(theme, bytes).ok);
    bytes = packed;
    tb::PutU32(bytes, 120, static_cast<uint32_t>(packed.size()));  // compressed size past the end
    EXPECT_FALSE(Read(theme, bytes).ok);
    bytes = packed;
    tb::PutU32(bytes, 8, static_cast<uint32_t>(good.size() - 184 + 5));  // inflates to fewer bytes
    EXPECT_FALSE(Read(theme, bytes).ok);

    bytes = good;
    tb::PutU32(bytes, 136, 1000);  // name slot past the block
    EXPECT_FALSE(Read(theme, bytes).ok);
}

TEST(ThemeReaderSafety, RefusesRecordsThatDoNotFitOrWouldNotAdvance) {
    CTheme theme;
    for (uint32_t total : {0u, 8u, 15u}) {
        tb::File f;
        f.records.push_back(tb::Raw(32, total, std::vector<uint8_t>(16, 0)));
        EXPECT_FALSE(Read(theme, tb::Build(f)).ok) << total;
    }
    tb::File past;
    past.records.push_back(tb::Raw(32, 100, std::vector<uint8_t>(16, 0)));
    EXPECT_FALSE(Read(theme, tb::Build(past)).ok);
    tb::File cut;
    cut.records.push_back(std::vector<uint8_t>(10, 0));  // not even a record header
    EXPECT_FALSE(Read(theme, tb::Build(cut)).ok);
    tb::File shortCursor;
    shortCursor.records.push_back(tb::Raw(2, 40, std::vector<uint8_t>(24, 0)));
    EXPECT_FALSE(Read(theme, tb::Build(shortCursor)).ok);
}

TEST(ThemeReaderSafety, RefusesFieldsPointingOutsideTheirRecord) {
    CTheme theme;
    auto withCursor = [](auto change) {
        tb::Animation a = Strip(1, 4, 4);
        a.script = L"1";
        std::vector<uint8_t> record = tb::Cursor(0, 1, a);
        change(record);
        tb::File f;
        f.records.push_back(record);
        f.records.push_back(tb::Sound(0, {1, 2}));  // something after it, still inside the block
        return tb::Build(f);
    };
    EXPECT_TRUE(Read(theme, withCursor([](std::vector<uint8_t>&) {})).ok);
    EXPECT_FALSE(Read(theme, withCursor([](std::vector<uint8_t>& r) { tb::PutU32(r, 60, 0xFFFFFFF0u); })).ok);
    EXPECT_FALSE(Read(theme, withCursor([](std::vector<uint8_t>& r) { tb::PutU32(r, 64, 68); })).ok);  // != w*h*4
    EXPECT_FALSE(Read(theme, withCursor([](std::vector<uint8_t>& r) { tb::PutU32(r, 68, 4000); })).ok);
    EXPECT_FALSE(Read(theme, withCursor([](std::vector<uint8_t>& r) { tb::PutU32(r, 72, 0x7FFFFFFF); })).ok);
    EXPECT_FALSE(Read(theme, withCursor([](std::vector<uint8_t>& r) {
                          tb::PutU32(r, 32, 0x10000);  // 65536 x 65536 x 4 wraps to 0 in 32 bits
                          tb::PutU32(r, 36, 0x10000);
                      }))
                     .ok);
    for (double scale : {0.0, -1.0, std::nan(""), std::numeric_limits<double>::infinity()}) {
        EXPECT_FALSE(Read(theme, withCursor([&](std::vector<uint8_t>& r) { std::memcpy(&r[80], &scale, 8); })).ok);
    }
}

TEST(ThemeReaderSafety, ScriptWithoutTerminatorIsReadUpToItsSize) {
    tb::File f;
    tb::Animation a = Strip(2, 4, 4);
    a.script = L"1-2";
    std::vector<uint8_t> record = tb::Cursor(0, 1, a);
    // Replace the script's NUL with a digit: the text ends with the stated size.
    record[88 + 6] = '5';
    f.records.push_back(record);
    CTheme theme;
    ASSERT_TRUE(Read(theme, tb::Build(f)).ok);
    EXPECT_EQ(theme.cursors[1.0][0].frameScript, L"1-25");
}

TEST(ThemeReader, StreamingAndWholeBlockReadsAgreeOnUnusualLayouts) {
    // Pixels before the script, and the description stored after the records: the streaming read
    // hands these to the whole-block read.
    tb::Animation a = Strip(2, 4, 4, 21);
    std::vector<uint8_t> record = tb::Cursor(0, 1, a);
    std::vector<uint8_t> script = tb::Utf16z(L"2-1,30");
    record.insert(record.end(), script.begin(), script.end());
    tb::PutU32(record, 8, static_cast<uint32_t>(record.size()));
    tb::PutU32(record, 68, static_cast<uint32_t>(record.size() - script.size()));
    tb::PutU32(record, 72, static_cast<uint32_t>(script.size()));
    tb::File f;
    f.texts[0] = L"Odd";
    f.records.push_back(record);
    f.records.push_back(tb::Cursor(2, 1, Strip(1, 3, 3, 4)));
    f.compress = true;
    for (bool late : {false, true}) {
        std::vector<uint8_t> bytes = tb::Build(f);
        if (late) {
            // Point slot 6 at the last 4 bytes of the block (the last pixels, read as text).
            tb::PutU32(bytes, 172, static_cast<uint32_t>(8 + record.size() + (88 + 36) - 4));
            tb::PutU32(bytes, 176, 4);
        }
        CTheme streamed, whole;
        ThemeReadResult s =
            themereader::ReadThemeBytesWith(streamed, bytes.data(), bytes.size(), L"x.morvanta", false, true);
        ThemeReadResult w =
            themereader::ReadThemeBytesWith(whole, bytes.data(), bytes.size(), L"x.morvanta", false, false);
        ASSERT_TRUE(s.ok) << s.error;
        ASSERT_TRUE(w.ok) << w.error;
        EXPECT_EQ(streamed.cursors[1.0][0].frameScript, L"2-1,30");
        EXPECT_EQ(streamed.description.has_value(), late);
        EXPECT_EQ(Write(streamed), Write(whole));
    }
}
