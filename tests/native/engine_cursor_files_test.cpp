// The engine's cursor files: which cursors of a theme replace system cursors, what is drawn for
// each, the fingerprints that let a reload keep a file, and the cache folder.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "engine/cursor_build.h"
#include "engine/cursor_cache.h"
#include "engine/cursor_fingerprint.h"
#include "graphics/decoders/ani_decoder.h"
#include "graphics/hv_bitmap.h"
#include "tests/support/temp_folder.h"
#include "theme/theme_image.h"

namespace {

CCursor Cursor(uint32_t role, uint32_t event, int frames, uint8_t blue) {
    CCursor cursor;
    cursor.role = role;
    cursor.event = event;
    cursor.frames = frames;
    cursor.interval = 100;
    cursor.loop = 1;
    cursor.hotSpotX = 3;
    cursor.hotSpotY = 4;
    cursor.stored = 1;
    auto* bitmap = new HVBitmap(8 * frames, 8, HVB_ALPHA);
    for (int i = 0; i < 8 * frames * 8; ++i) {
        bitmap->Bits()[i * 4] = blue;
        bitmap->Bits()[i * 4 + 3] = 255;
    }
    cursor.image = MakeAnimationState(CursorStateName(role, event), bitmap, cursor, true);
    return cursor;
}

std::vector<std::pair<int, bool>> Slots(const std::vector<CursorSource>& sources) {
    std::vector<std::pair<int, bool>> slots;
    for (const CursorSource& source : sources) slots.push_back({source.index, source.held});
    return slots;
}

CursorAppearance NoShadow() {
    CursorAppearance look;
    look.shadow = false;
    return look;
}

TEST(EngineCursorBuild, TakesTheMappedRolesNormalAndHeldAndLeavesTheRestToTheSystem) {
    CTheme theme;
    theme.AddCursor(Cursor(0, 1, 1, 10));   // the arrow
    theme.AddCursor(Cursor(0, 2, 1, 20));   // the arrow while a button is held
    theme.AddCursor(Cursor(9, 1, 1, 30));   // the second size role: shows no system cursor
    theme.AddCursor(Cursor(19, 1, 1, 40));  // the button role: no system cursor
    theme.AddCursor(Cursor(3, 1, 4, 50));   // wait, animated
    theme.AddCursor(Cursor(17, 2, 1, 60));  // up arrow, held only
    CCursor standard = Cursor(5, 1, 1, 70);
    standard.standard = 1;  // keeps the system's text cursor
    theme.AddCursor(standard);
    const std::vector<CursorSource> sources = ChooseCursorSources(theme);
    // In the system cursors' order: Arrow (0), Wait (2), UpArrow (4).
    EXPECT_EQ(Slots(sources), (std::vector<std::pair<int, bool>>{{0, false}, {0, true}, {2, false}, {4, true}}));

    std::vector<std::string> problems;
    std::vector<std::wstring> finished;
    const std::vector<BuiltCursor> built =
        BuildCursors(sources, NoShadow(), problems, [&](const BuiltCursor& cursor, std::string& reason) {
            if (cursor.held && cursor.index == 4) {
                reason = "refused";
                return false;
            }
            return true;
        });
    ASSERT_EQ(built.size(), 3u);
    EXPECT_EQ(problems, (std::vector<std::string>{"UpArrow (held): refused"}));
    EXPECT_EQ(built[0].fileName, L"Arrow.cur");
    EXPECT_EQ(built[1].fileName, L"Arrow held.cur");
    EXPECT_EQ(built[2].fileName, L"Wait.ani");
    EXPECT_TRUE(built[2].animated);
    EXPECT_EQ(built[2].frames, 4);
    // The bytes are a cursor file of the drawing: the wait cursor's four frames and its hot spot.
    decoders::AniCursor decoded;
    std::string reason;
    ASSERT_TRUE(decoders::TryDecodeAni(built[2].bytes.data(), built[2].bytes.size(), decoded, reason)) << reason;
    ASSERT_EQ(decoded.steps.size(), 4u);
    ASSERT_FALSE(decoded.frames.empty());
    ASSERT_FALSE(decoded.frames[0].images.empty());
    EXPECT_EQ(decoded.frames[0].images[0].hotSpotX, 3);
    EXPECT_EQ(decoded.frames[0].images[0].hotSpotY, 4);
    EXPECT_EQ(decoded.frames[0].images[0].Width(), 8);
}

TEST(EngineCursorBuild, RefusesUnmadeWhatNoCursorFileCanHold) {
    // A strip claiming more frames than it has pixels: drawing its frames one by one would take
    // very long for nothing (found by the fuzz target).
    CCursor sliver = Cursor(0, 1, 1, 10);
    sliver.image->SetAnimation(2147483647, 50, 0);
    ASSERT_EQ(sliver.image->Width(), 0);
    // 80 pixels at 400 %: beyond the 256 a cursor file holds.
    CCursor large = Cursor(0, 1, 10, 10);
    large.image->SetAnimation(1, 50, 0);
    CursorAppearance look = NoShadow();
    look.size = 400;
    BuiltCursor built;
    std::string reason;
    EXPECT_FALSE(BuildCursor({0, false, &sliver}, NoShadow(), built, reason));
    EXPECT_EQ(reason, "its frames are narrower than a pixel");
    EXPECT_FALSE(BuildCursor({0, false, &large}, look, built, reason));
    EXPECT_EQ(reason, "drawn 320 x 32 pixels, too large for a cursor");
    look.size = 300;  // 240 x 24
    EXPECT_TRUE(BuildCursor({0, false, &large}, look, built, reason)) << reason;
}

TEST(EngineCursorBuild, FingerprintsChangeWithThePixelsTheAnimationAndTheAppearance) {
    const CCursor a = Cursor(0, 1, 2, 10);
    const CursorAppearance look = NoShadow();
    const uint64_t key = CursorFingerprint(a, look, 1);
    EXPECT_EQ(CursorFingerprint(Cursor(0, 1, 2, 10), look, 1), key);  // the same drawing again
    EXPECT_NE(CursorFingerprint(Cursor(0, 1, 2, 11), look, 1), key);  // one colour byte
    EXPECT_NE(CursorFingerprint(a, look, 2), key);                    // another engine build
    CCursor timed = Cursor(0, 1, 2, 10);
    timed.interval = 101;
    EXPECT_NE(CursorFingerprint(timed, look, 1), key);
    timed = Cursor(0, 1, 2, 10);
    timed.frameScript = L"1,50";
    EXPECT_NE(CursorFingerprint(timed, look, 1), key);
    CursorAppearance shifted = look;
    shifted.shadowX = 6;
    EXPECT_NE(CursorFingerprint(a, shifted, 1), key);
    shifted = look;
    shifted.opacity = 254;
    EXPECT_NE(CursorFingerprint(a, shifted, 1), key);
}

TEST(EngineCursorCache, WritesWholeFilesKeepsItsIndexAndRemovesOnlyStaleCursorFiles) {
    TempFolder temp;
    EXPECT_EQ(CursorCacheFolder(L"C:\\Local\\Morvanta\\CurrentTheme.Morvanta"), L"C:\\Local\\Morvanta\\Cursors");
    const CursorCache cache(temp.File(L"Cursors"));
    std::string reason;
    ASSERT_TRUE(cache.Prepare(reason)) << reason;
    ASSERT_TRUE(cache.Write(L"Arrow.cur", std::vector<uint8_t>{1, 2, 3}, reason)) << reason;
    ASSERT_TRUE(cache.Write(L"Arrow.cur", std::vector<uint8_t>{4, 5}, reason)) << reason;  // replaced
    ASSERT_TRUE(cache.Write(L"Wait.ani", std::vector<uint8_t>{6}, reason));
    ASSERT_TRUE(cache.Write(L"notes.txt", std::vector<uint8_t>{7}, reason));
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(fileio::ReadWholeFile(cache.PathOf(L"Arrow.cur"), bytes, 100));
    EXPECT_EQ(bytes, (std::vector<uint8_t>{4, 5}));

    ASSERT_TRUE(cache.WriteIndex({{L"Arrow.cur", 0x0123456789ABCDEFull}, {L"Wait.ani", 7}}, reason)) << reason;
    EXPECT_EQ(cache.ReadIndex(),
              (std::map<std::wstring, uint64_t>{{L"Arrow.cur", 0x0123456789ABCDEFull}, {L"Wait.ani", 7}}));
    // Lines naming a file that is gone, a path outside or no cursor file are not believed.
    temp.Write(L"Cursors/index.txt", std::string("0000000000000001 Arrow.cur\n0000000000000002 Help.cur\n"
                                                 "0000000000000003 ..\\Arrow.cur\n0000000000000004 notes.txt\nzz\n"));
    EXPECT_EQ(cache.ReadIndex(), (std::map<std::wstring, uint64_t>{{L"Arrow.cur", 1}}));

    EXPECT_EQ(cache.RemoveAllBut({L"ARROW.CUR"}), 1);  // Wait.ani goes; case does not matter
    std::vector<std::string> left;
    for (const auto& entry : std::filesystem::directory_iterator(temp.FsPath() / "Cursors"))
        left.push_back(entry.path().filename().string());
    std::sort(left.begin(), left.end());
    EXPECT_EQ(left, (std::vector<std::string>{"Arrow.cur", "index.txt", "notes.txt"}));
}

}  // namespace
