#include "theme/windows_scheme_import.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "graphics/hv_bitmap.h"
#include "graphics/hv_bitmap_state.h"
#include "tests/native/fake_tick.h"
#include "tests/support/cursor_files.h"
#include "tests/support/temp_folder.h"
#include "tests/support/zip_builder.h"
#include "theme/theme.h"
#include "theme/theme_file.h"
#include "theme/windows_cursor_import.h"

namespace {

using cursorfiles::Entry;
using cursorfiles::Rgba;

Entry Solid(int size, Rgba colour, int hotX, int hotY, int bits = 32) {
    return Entry{size, size, bits, true, cursorfiles::Image(size_t(size) * size, colour), hotX, hotY};
}

// Frames of 32 and 48 pixels whose red value is 10 × (frame + 1).
std::vector<std::string> Frames(int count) {
    std::vector<std::string> frames;
    for (int f = 0; f < count; ++f) {
        const Rgba colour{uint8_t(10 * (f + 1)), 0, 0, 255};
        frames.push_back(cursorfiles::EncodeCursor({Solid(32, colour, 5, 6), Solid(48, colour, 7, 9, 0)}));
    }
    return frames;
}

std::string Inf(const std::string& name, const std::vector<std::string>& files) {
    std::string list;
    // Bare names get the usual install destination in front; paths are listed as they are.
    for (size_t i = 0; i < files.size(); ++i) {
        const bool bare = !files[i].empty() && files[i].find('\\') == std::string::npos;
        list += (i ? "," : "") + (bare ? "%10%\\%DIR%\\" + files[i] : files[i]);
    }
    return "[Version]\r\nsignature=\"$CHICAGO$\"\r\n[Scheme.Reg]\r\n"
           "HKCU,\"Control Panel\\Cursors\\Schemes\",\"%NAME%\",0x00020000,\"" +
           list +
           "\"\r\n"
           "[Strings]\r\nDIR = \"Cursors\\x\"\r\nNAME = \"" +
           name + "\"\r\n";
}

const CCursor* Find(CTheme& theme, double scale, uint32_t role) {
    for (const CCursor& cursor : theme.cursors[scale])
        if (cursor.role == role) return &cursor;
    return nullptr;
}

// The frame exact .ani timing shows t ms after the start: steps last jiffies × 1000 / 60 ms.
uint32_t ExactFrame(const std::vector<decoders::AniStep>& steps, int64_t t) {
    int64_t total = 0;
    for (const auto& step : steps) total += step.jiffies;
    const int64_t inCycle = (t * 60) % (total * 1000);  // in 1/60000 s
    int64_t end = 0;
    for (const auto& step : steps) {
        end += int64_t(step.jiffies) * 1000;
        if (inCycle < end) return step.frame;
    }
    return steps.back().frame;
}

class WindowsSchemeImport : public ::testing::Test {
protected:
    TempFolder folder;
    CTheme theme;
    WindowsSchemeReport report;
    std::string reason;

    bool Import(const std::wstring& source) { return TryImportWindowsScheme(source, theme, report, reason); }
};

}  // namespace

TEST(AniFrameScript, WholeMillisecondPassesAreWrittenOnceAndStepsOfNoTimeAreLeftOut) {
    EXPECT_EQ(AniFrameScript({{0, 6}, {2, 0}, {1, 6}, {0, 3}}), L"1,100;2,100;1,50");
    EXPECT_EQ(AniFrameScript({{0, 0}, {1, 0}}), L"");
    // 22 jiffies are 366.67 ms: three passes, 1100 ms, each step ending at the next whole millisecond.
    EXPECT_EQ(AniFrameScript({{0, 10}, {1, 5}, {0, 7}}), L"1,167;2,83;1,117;1,167;2,83;1,117;1,166;2,84;1,116");
}

TEST(AniFrameScript, TheWrittenThemePlaysTheExactTimingAtEveryMillisecond) {
    TempFolder folder;
    const std::vector<std::vector<decoders::AniStep>> cases = {
        {{2, 10}, {0, 5}, {2, 7}, {1, 1}},  // "seq " and "rate"
        {{0, 4}, {1, 4}, {2, 4}},           // neither: every step at the header's rate
        {{1, 2}, {0, 0}, {2, 9}},           // a step of no time
    };
    for (size_t c = 0; c < cases.size(); ++c) {
        const auto& steps = cases[c];
        cursorfiles::Animation a;
        a.frames = Frames(3);
        if (c == 1) {
            a.displayRate = 4;
        } else {
            a.rate.emplace();
            a.sequence.emplace();
            for (const auto& step : steps) a.rate->push_back(step.jiffies), a.sequence->push_back(step.frame);
        }
        const std::string ani = cursorfiles::EncodeAni(a);
        CTheme made;
        std::set<double> scales;
        std::string reason;
        ASSERT_TRUE(TryAddWindowsCursor(made, std::vector<uint8_t>(ani.begin(), ani.end()), 3, -1, scales, reason))
            << reason;
        EXPECT_EQ(scales, (std::set<double>{1.0, 1.5}));
        made.name = L"Timing";
        const std::wstring path = folder.File(L"t" + std::to_wstring(c) + L".morvanta");
        ASSERT_TRUE(themefile::SaveThemeFile(made, path, &reason)) << reason;

        FakeTick tick;
        CTheme loaded;
        ASSERT_TRUE(themefile::LoadThemeFile(loaded, path, false).ok);
        for (double scale : {1.0, 1.5}) {
            const CCursor* cursor = Find(loaded, scale, 3);
            ASSERT_NE(cursor, nullptr);
            EXPECT_EQ(cursor->frames, 3);
            HVBitmapState& state = *cursor->image;
            state.Restart();
            const uint32_t start = tick.Now();
            for (int64_t t = 0; t < 4000; ++t) {
                tick.Set(start + uint32_t(t));
                ASSERT_EQ(uint32_t(state.CurrentFrame()), ExactFrame(steps, t)) << "case " << c << " at " << t << " ms";
            }
        }
    }
}

TEST_F(WindowsSchemeImport, AnInfSchemeFillsRolesAndPartnersAtEveryScaleWithItsHotSpots) {
    folder.Write(L"Pointer.CUR",
                 cursorfiles::EncodeCursor({Solid(32, {1, 2, 3, 255}, 3, 4), Solid(64, {4, 5, 6, 200}, 6, 8, 0),
                                            Solid(32, {7, 7, 7, 255}, 9, 9, 8)}));
    cursorfiles::Animation busy;
    busy.frames = Frames(2);
    busy.rate = std::vector<uint32_t>{6, 12};
    folder.Write(L"busy.ani", cursorfiles::EncodeAni(busy));
    folder.Write(L"ns.cur", cursorfiles::EncodeCursor({Solid(32, {9, 9, 9, 255}, 15, 2)}));
    folder.Write(L"pin.cur", cursorfiles::EncodeCursor({Solid(32, {9, 9, 9, 255}, 0, 0)}));
    const std::wstring inf =
        folder.Write(L"install.inf", Inf("Blue: \"\"Glass\"\"", {"pointer.cur", "", "", "busy.ani", "gone.cur", "", "",
                                                                 "", "ns.cur", "", "", "", "", "", "", "pin.cur"}));
    ASSERT_TRUE(Import(inf)) << reason;
    EXPECT_EQ(report.roles, (std::vector<int>{0, 3, 8, 9}));
    EXPECT_EQ(report.scales, (std::vector<double>{1.0, 1.5, 2.0}));
    EXPECT_EQ(report.skipped, (std::vector<std::wstring>{L"gone.cur (missing)", L"pin.cur (Pin has no role)"}));
    EXPECT_EQ(FormatSchemeReport(report),
              "roles: 0 3 8 9; scales: 1 1.5 2; skipped: gone.cur (missing), pin.cur (Pin has no role)");
    EXPECT_EQ(theme.name, L"Blue: \"Glass\"");
    EXPECT_EQ(theme.contentFlags, kThemeHasCursors);

    // The deepest 32-pixel image wins; each scale keeps its own hot spot.
    const CCursor* arrow = Find(theme, 1.0, 0);
    ASSERT_NE(arrow, nullptr);
    EXPECT_EQ(arrow->hotSpotX, 3);
    EXPECT_EQ(arrow->hotSpotY, 4);
    EXPECT_EQ(arrow->event, 1u);
    EXPECT_EQ(arrow->variant, 1u);
    EXPECT_EQ(arrow->loop, 1);
    EXPECT_EQ(arrow->frameScript, L"");
    const uint8_t* pixel = arrow->image->Bitmap()->Bits();
    EXPECT_EQ((std::vector<int>(pixel, pixel + 4)), (std::vector<int>{3, 2, 1, 255}));
    const CCursor* large = Find(theme, 2.0, 0);
    ASSERT_NE(large, nullptr);
    EXPECT_EQ(large->hotSpotX, 6);
    EXPECT_EQ(large->image->Bitmap()->Width(), 64);
    EXPECT_EQ(large->image->Bitmap()->Bits()[3], 200);
    EXPECT_EQ(Find(theme, 2.0, 3), nullptr);  // the animation has 32 and 48 pixels only

    const CCursor* wait = Find(theme, 1.5, 3);
    ASSERT_NE(wait, nullptr);
    EXPECT_EQ(wait->frames, 2);
    EXPECT_EQ(wait->image->Bitmap()->Width(), 96);
    EXPECT_EQ(wait->hotSpotX, 7);
    EXPECT_EQ(wait->frameScript, L"1,100;2,200");
    EXPECT_EQ(wait->image->Bitmap()->Bits()[2], 10);           // frame 1's red
    EXPECT_EQ(wait->image->Bitmap()->Bits()[48 * 4 + 2], 20);  // frame 2's red
    for (uint32_t role : {8u, 9u}) {
        const CCursor* size = Find(theme, 1.0, role);
        ASSERT_NE(size, nullptr) << role;
        EXPECT_EQ(size->hotSpotX, 15);
    }
}

TEST_F(WindowsSchemeImport, AFolderWithoutInfUsesFilesNamedAfterTheCursorsInAnyCase) {
    const std::filesystem::path scheme = folder.FsPath() / "Neon Rain";
    std::filesystem::create_directories(scheme);
    const auto write = [&](const char* name, const std::string& bytes) {
        std::ofstream(scheme / name, std::ios::binary) << bytes;
    };
    const std::string still = cursorfiles::EncodeCursor({Solid(32, {1, 1, 1, 255}, 0, 0)});
    cursorfiles::Animation hand;
    hand.frames = Frames(2);
    write("ARROW.CUR", still);
    write("Hand.cur", still);
    write("hand.ani", cursorfiles::EncodeAni(hand));
    write("sizewe.cur", still);
    write("extra.cur", still);
    write("readme.txt", "not a cursor");
    ASSERT_TRUE(Import(TempFolder::Wide(scheme))) << reason;
    EXPECT_EQ(theme.name, L"Neon Rain");
    EXPECT_EQ(report.roles, (std::vector<int>{0, 10, 11, 18}));
    EXPECT_EQ(report.skipped,
              (std::vector<std::wstring>{L"extra.cur (not named after a cursor)", L"Hand.cur (hand.ani is used)"}));
    ASSERT_NE(Find(theme, 1.0, 18), nullptr);
    EXPECT_EQ(Find(theme, 1.0, 18)->frames, 2);
}

TEST_F(WindowsSchemeImport, ArchivesAreSearchedAndNamedByTheirSchemeOrTheirOwnName) {
    TempFolder temp;
    const char* previous = std::getenv("TMPDIR");
    const std::string previousValue = previous ? previous : "";
    setenv("TMPDIR", temp.FsPath().c_str(), 1);
    const std::string still = cursorfiles::EncodeCursor({Solid(32, {1, 1, 1, 255}, 0, 0)});
    ZipBuilder nested;
    nested.Add("Pack/Scheme/install.inf", Inf("Zipped", {"a.cur"})).Add("Pack/Scheme/A.cur", still);
    const std::wstring nestedZip = folder.Write(L"nested.zip", nested.Build());
    ZipBuilder flat;
    flat.Add("Wait.cur", still);
    const std::wstring flatZip = folder.Write(L"Flat Pack.ZIP", flat.Build());

    EXPECT_TRUE(Import(nestedZip)) << reason;
    EXPECT_EQ(theme.name, L"Zipped");
    EXPECT_EQ(report.roles, std::vector<int>{0});
    EXPECT_TRUE(Import(flatZip)) << reason;
    EXPECT_EQ(theme.name, L"Flat Pack");
    EXPECT_EQ(report.roles, std::vector<int>{3});
    EXPECT_TRUE(temp.Contents().empty()) << "the extraction folders are removed";
    if (previous)
        setenv("TMPDIR", previousValue.c_str(), 1);
    else
        unsetenv("TMPDIR");
}

TEST_F(WindowsSchemeImport, HostileOrEmptySchemesAreRefusedWithAReasonAndLeaveNoCursors) {
    const std::string still = cursorfiles::EncodeCursor({Solid(32, {1, 1, 1, 255}, 0, 0)});
    folder.Write(L"x.cur", still);
    const std::wstring escaping = folder.Write(L"escape.inf", Inf("Evil", {"..\\..\\x.cur"}));
    EXPECT_FALSE(Import(escaping));
    EXPECT_EQ(reason, "escape.inf: names a file outside its folder: ..\\..\\x.cur");

    std::string many = still;
    many[4] = '\xFF', many[5] = '\xFF';
    folder.Write(L"bad.cur", many);
    EXPECT_FALSE(Import(folder.Write(L"bad.inf", Inf("Bad", {"x.cur", "bad.cur"}))));
    EXPECT_EQ(reason, "bad.cur: the directory claims 65535 entries, more than 256");
    EXPECT_TRUE(theme.cursors.empty());

    EXPECT_FALSE(Import(folder.Write(L"none.inf", Inf("None", {"gone.cur"}))));
    EXPECT_EQ(reason, "the scheme has no usable cursor");
    EXPECT_FALSE(Import(folder.Write(L"plain.inf", std::string("[Strings]\r\nA=1\r\n"))));
    EXPECT_NE(reason.find("no cursor scheme"), std::string::npos) << reason;
    EXPECT_FALSE(Import(folder.Write(L"notes.txt", std::string("x"))));
    EXPECT_EQ(reason, "not an .inf file, a folder or a .zip archive");
    EXPECT_FALSE(Import(folder.File(L"missing")));
}
