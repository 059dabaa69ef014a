// Visual states drawn into real device contexts, the updater's timer on the window thread, and
// theme saves that replace the target file only when everything was written.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "graphics/halvix_win.h"
#include "graphics/hv_bitmap.h"
#include "graphics/hv_bitmap_state.h"
#include "graphics/hv_state.h"
#include "graphics/tick.h"
#include "graphics/updater.h"
#include "graphics/updater_win.h"
#include "theme/theme_file.h"

namespace {

class StateDrawing : public ::testing::Test {
protected:
    void SetUp() override {
        HalvixStart(GetModuleHandleW(nullptr), L"StateTest", HALVIX_NO_LOCK | HALVIX_NO_TIMER);
        target_ = new HVBitmap(16, 8, HVB_ALPHA);
        target_->AddRef();
        Fill(0x00FFFFFF);
    }
    void TearDown() override { target_->Release(); }

    // Fills the target with an opaque colour 0x00RRGGBB.
    void Fill(uint32_t rgb) {
        uint32_t* p = reinterpret_cast<uint32_t*>(target_->Bits());
        for (int i = 0; i < target_->Width() * target_->Height(); ++i) p[i] = 0xFF000000 | rgb;
    }
    // The target's pixel at (x, y) from the top left, as 0x00RRGGBB.
    uint32_t At(int x, int y) {
        const uint32_t* p = reinterpret_cast<const uint32_t*>(target_->Bits());
        return p[(target_->Height() - 1 - y) * target_->Width() + x] & 0x00FFFFFF;
    }
    HDC Dc() { return target_->GetDC(); }

    HVBitmap* target_ = nullptr;
};

// A strip of opaque frames, one 0x00RRGGBB colour each, width x height per frame.
HVBitmap* ColourStrip(const std::vector<uint32_t>& colours, int width, int height) {
    const int frames = static_cast<int>(colours.size());
    auto* bitmap = new HVBitmap(frames * width, height, HVB_ALPHA);
    uint32_t* p = reinterpret_cast<uint32_t*>(bitmap->Bits());
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < frames * width; ++x) p[y * frames * width + x] = 0xFF000000 | colours[x / width];
    }
    return bitmap;
}

uint32_t gFakeNow = 0;
uint32_t FakeNow() {
    return gFakeNow;
}

}  // namespace

TEST_F(StateDrawing, BitmapStateDrawsTheShownFrame) {
    gFakeNow = 50000;
    hvtick::SetSource(&FakeNow);
    {
        HVBitmapState state(L"Default", ColourStrip({0xFF0000, 0x0000FF}, 4, 4));
        state.SetAnimation(2, 100, 0);
        ASSERT_TRUE(state.Draw(Dc(), 1, 1, 0, 0, 4, 4));
        EXPECT_EQ(At(1, 1), 0xFF0000u);
        EXPECT_EQ(At(4, 4), 0xFF0000u);
        EXPECT_EQ(At(5, 1), 0xFFFFFFu);
        EXPECT_EQ(state.LastDrawnFrame(), 0);
        gFakeNow += 150;
        ASSERT_TRUE(state.Draw(Dc(), 8, 0, 0, 0, 4, 4));
        EXPECT_EQ(At(8, 0), 0x0000FFu);
        EXPECT_EQ(state.LastDrawnFrame(), 1);
        state.SetReverse(1);  // now frame 1 is shown as frame 0
        ASSERT_TRUE(state.Draw(Dc(), 8, 0, 0, 0, 4, 4));
        EXPECT_EQ(At(8, 0), 0xFF0000u);
    }
    hvtick::SetSource(nullptr);
}

TEST_F(StateDrawing, OpacityAndTheRenderFactorBlend) {
    Fill(0x000000);
    HVBitmapState state(L"Default", ColourStrip({0xFF0000}, 4, 4));
    state.SetOpacity(128);
    ASSERT_TRUE(state.Draw(Dc(), 0, 0, 0, 0, 4, 4));
    const int red = static_cast<int>(At(0, 0) >> 16);
    EXPECT_NEAR(red, 128, 2);
    // A factor of 127.9 counts as 127: 127 x 128 / 255 = 63.
    ASSERT_TRUE(state.DrawWithFactor(Dc(), 8, 0, 0, 0, 4, 4, 127.9f));
    EXPECT_NEAR(static_cast<int>(At(8, 0) >> 16), 63, 2);
}

TEST_F(StateDrawing, RectangleFillsAndBordersTheEdgesInsideTheArea) {
    // 0x00BBGGRR: green fill, red border.
    HVRectangularState rect(L"Box", 0x000000FF, 255, 0x0000FF00, 255);
    rect.SetSize(10, 6);
    ASSERT_TRUE(rect.Draw(Dc(), 0, 0, 0, 0, 10, 6));
    EXPECT_EQ(At(0, 0), 0xFF0000u);
    EXPECT_EQ(At(9, 5), 0xFF0000u);
    EXPECT_EQ(At(0, 3), 0xFF0000u);
    EXPECT_EQ(At(9, 3), 0xFF0000u);
    EXPECT_EQ(At(4, 3), 0x00FF00u);
    EXPECT_EQ(At(10, 3), 0xFFFFFFu);

    // The middle part of the box: its top and bottom edges only.
    Fill(0xFFFFFF);
    ASSERT_TRUE(rect.Draw(Dc(), 0, 0, 2, 0, 5, 6));
    EXPECT_EQ(At(0, 0), 0xFF0000u);
    EXPECT_EQ(At(4, 5), 0xFF0000u);
    EXPECT_EQ(At(0, 3), 0x00FF00u);
    EXPECT_EQ(At(4, 3), 0x00FF00u);
}

TEST_F(StateDrawing, InvisibleRectangleAndBlankStateDrawNothing) {
    HVRectangularState rect(L"None", 0x000000FF, 0, 0x0000FF00, 0);
    rect.SetSize(4, 4);
    EXPECT_EQ(rect.FillBitmap(), nullptr);
    rect.Draw(Dc(), 0, 0, 0, 0, 4, 4);
    HVBlankState blank(L"Blank");
    blank.Draw(Dc(), 0, 0, 0, 0, 4, 4);
    EXPECT_EQ(At(1, 1), 0xFFFFFFu);
}

TEST(UpdaterTimer, SweepsOnTheThreadThatStartedIt) {
    struct Probe : Updateable {
        int runs = 0;
        void update(uint32_t) override { ++runs; }
    } probe;
    ASSERT_TRUE(hvupdater::StartSweepTimer());
    GlobalUpdater().Register(&probe, 0);
    const DWORD start = GetTickCount();
    MSG msg;
    while (probe.runs < 3 && GetTickCount() - start < 2000) {
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
        Sleep(1);
    }
    GlobalUpdater().Unregister(&probe);
    hvupdater::StopSweepTimer();
    EXPECT_GE(probe.runs, 3);
}

namespace {

std::wstring TempFolder() {
    wchar_t base[MAX_PATH];
    GetTempPathW(MAX_PATH, base);
    std::wstring folder = std::wstring(base) + L"morvanta-save-" + std::to_wstring(GetCurrentProcessId());
    CreateDirectoryW(folder.c_str(), nullptr);
    return folder;
}

std::string Contents(const std::wstring& path) {
    std::vector<uint8_t> bytes;
    if (!themefile::ReadFileBytes(path, bytes, nullptr)) return "<unreadable>";
    return std::string(bytes.begin(), bytes.end());
}

int FilesIn(const std::wstring& folder) {
    WIN32_FIND_DATAW found;
    HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &found);
    int count = 0;
    if (find == INVALID_HANDLE_VALUE) return 0;
    do {
        if (found.cFileName[0] != L'.') ++count;
    } while (FindNextFileW(find, &found));
    FindClose(find);
    return count;
}

}  // namespace

TEST(ThemeSave, ReplacesTheTargetOnlyWhenEverythingWasWritten) {
    const std::wstring folder = TempFolder();
    const std::wstring target = folder + L"\\Current.morvanta";
    std::string reason;
    ASSERT_TRUE(themefile::WriteFileReplacing(target, {'o', 'l', 'd'}, &reason)) << reason;
    ASSERT_TRUE(themefile::WriteFileReplacing(target, {'n', 'e', 'w', '!'}, &reason)) << reason;
    EXPECT_EQ(Contents(target), "new!");
    EXPECT_EQ(FilesIn(folder), 1) << "no temporary file is left behind";

    // Another process holding the target without sharing: the save gives up and the old file stays.
    HANDLE held = CreateFileW(target.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(themefile::WriteFileReplacing(target, {'x'}, &reason));
    EXPECT_FALSE(reason.empty());
    CloseHandle(held);
    EXPECT_EQ(Contents(target), "new!");
    EXPECT_EQ(FilesIn(folder), 1);

    // A folder where the file should be cannot be replaced.
    const std::wstring blocked = folder + L"\\Blocked.morvanta";
    CreateDirectoryW(blocked.c_str(), nullptr);
    EXPECT_FALSE(themefile::WriteFileReplacing(blocked, {'x'}, &reason));
    EXPECT_EQ(GetFileAttributesW(blocked.c_str()) & FILE_ATTRIBUTE_DIRECTORY, DWORD(FILE_ATTRIBUTE_DIRECTORY));
    EXPECT_EQ(FilesIn(folder), 2);
    RemoveDirectoryW(blocked.c_str());
    DeleteFileW(target.c_str());
    RemoveDirectoryW(folder.c_str());
}
