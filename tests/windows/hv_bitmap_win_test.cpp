// HVBitmap on Windows: sections, own and pooled device contexts, drawing with the platform blend
// and the software blend, adopting handles, BMP files, PNG resources and the PNG warning box.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <random>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "graphics/dc_pool_win.h"
#include "graphics/halvix_win.h"
#include "graphics/hv_bitmap.h"
#include "resources/artwork_ids.h"

namespace {

uint8_t* PixelAt(HVBitmap& b, int x, int y) {
    return b.Bits() + (static_cast<size_t>(b.Height() - 1 - y) * b.Width() + x) * 4;
}

HBITMAP SelectedBitmap(HDC dc) {
    return static_cast<HBITMAP>(GetCurrentObject(dc, OBJ_BITMAP));
}

std::wstring TempPath(const wchar_t* name) {
    wchar_t folder[MAX_PATH];
    GetTempPathW(MAX_PATH, folder);
    return std::wstring(folder) + name;
}

void WriteFile(const std::wstring& path, const std::vector<uint8_t>& bytes) {
    FILE* f = _wfopen(path.c_str(), L"wb");
    ASSERT_NE(f, nullptr);
    fwrite(bytes.data(), 1, bytes.size(), f);
    fclose(f);
}

// A bottom-up BMP file of width × height at 24 or 32 bits, pixel (x, y) = (x, y, x + y, 200).
std::vector<uint8_t> BmpFile(int width, int height, int bits) {
    const int stride = ((width * bits / 8) + 3) & ~3;
    BITMAPFILEHEADER file = {};
    BITMAPINFOHEADER info = {};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof(file) + sizeof(info);
    file.bfSize = file.bfOffBits + stride * height;
    info.biSize = sizeof(info);
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = static_cast<WORD>(bits);
    std::vector<uint8_t> bytes(file.bfSize, 0);
    memcpy(bytes.data(), &file, sizeof(file));
    memcpy(bytes.data() + sizeof(file), &info, sizeof(info));
    for (int row = 0; row < height; ++row) {
        const int y = height - 1 - row;
        uint8_t* p = bytes.data() + file.bfOffBits + row * stride;
        for (int x = 0; x < width; ++x, p += bits / 8) {
            p[0] = static_cast<uint8_t>(x);
            p[1] = static_cast<uint8_t>(y);
            p[2] = static_cast<uint8_t>(x + y);
            if (bits == 32) p[3] = 200;
        }
    }
    return bytes;
}

class HVBitmapWin : public testing::Test {
protected:
    void SetUp() override {
        if (gHalvix.ownLock) CloseHandle(gHalvix.ownLock);
        gHalvix = HalvixLibrary();
        HalvixStart(GetModuleHandleW(nullptr), L"HalvixTest", HALVIX_NO_LOCK);
    }
    void TearDown() override { gHalvix = HalvixLibrary(); }
};

}  // namespace

TEST_F(HVBitmapWin, PixelsLiveInABottomUp32BitSection) {
    HVBitmap b(5, 3, HVB_ALPHA);
    ASSERT_TRUE(b.IsValid());
    ASSERT_NE(b.Section(), nullptr);
    DIBSECTION dib = {};
    ASSERT_EQ(GetObjectW(b.Section(), sizeof(dib), &dib), static_cast<int>(sizeof(dib)));
    EXPECT_EQ(dib.dsBmih.biBitCount, 32);
    EXPECT_EQ(dib.dsBmih.biHeight, 3);
    EXPECT_EQ(dib.dsBmih.biXPelsPerMeter, 72);
    EXPECT_EQ(dib.dsBm.bmBits, b.Bits());
    // Drawing through the context changes the same bytes: the top-left pixel is the last row.
    HDC dc = b.GetDC();
    ASSERT_NE(dc, nullptr);
    SetPixel(dc, 0, 0, RGB(10, 20, 30));
    const uint8_t* p = PixelAt(b, 0, 0);
    EXPECT_EQ(p[0], 30);
    EXPECT_EQ(p[1], 20);
    EXPECT_EQ(p[2], 10);
    EXPECT_EQ(b.GetDC(), dc);
    EXPECT_EQ(SelectedBitmap(dc), b.Section());
}

TEST_F(HVBitmapWin, ReplacingTheSectionKeepsTheOwnContextCurrent) {
    HVBitmap b(4, 4, HVB_ALPHA);
    HDC dc = b.GetDC();
    b.Resize(8, 2);
    EXPECT_EQ(b.GetDC(), dc);
    EXPECT_EQ(SelectedBitmap(dc), b.Section());
    BITMAP info = {};
    GetObjectW(SelectedBitmap(dc), sizeof(info), &info);
    EXPECT_EQ(info.bmWidth, 8);
}

TEST_F(HVBitmapWin, TheSeventhSharedBitmapDisplacesTheNextSlot) {
    std::vector<std::unique_ptr<HVBitmap>> bitmaps;
    for (int i = 0; i < 7; ++i) bitmaps.push_back(std::make_unique<HVBitmap>(2, 2, HVB_ALPHA | HVB_SHAREDDC));
    for (auto& b : bitmaps) ReturnSharedDCs(b.get());
    gSharedDcs.index = 0;

    std::vector<HDC> dcs;
    for (int i = 0; i < 6; ++i) dcs.push_back(bitmaps[i]->GetDC());
    for (int i = 0; i < 6; ++i) {
        ASSERT_NE(dcs[i], nullptr);
        EXPECT_EQ(SelectedBitmap(dcs[i]), bitmaps[i]->Section());
        for (int j = 0; j < i; ++j) EXPECT_NE(dcs[i], dcs[j]);
    }
    // Asking again returns the same context and does not move the others.
    EXPECT_EQ(bitmaps[2]->GetDC(), dcs[2]);
    EXPECT_EQ(SelectedBitmap(dcs[0]), bitmaps[0]->Section());

    // The index stands at bitmap 2's slot; the seventh takes the next one, which is bitmap 3's.
    HDC seventh = bitmaps[6]->GetDC();
    EXPECT_EQ(seventh, dcs[3]);
    EXPECT_EQ(SelectedBitmap(seventh), bitmaps[6]->Section());
    // The displaced bitmap gets a context again when it asks, at the following slot.
    HDC again = bitmaps[3]->GetDC();
    EXPECT_EQ(again, dcs[4]);
    EXPECT_EQ(SelectedBitmap(again), bitmaps[3]->Section());
    EXPECT_NE(SelectedBitmap(dcs[4]), bitmaps[4]->Section());

    // A bitmap that goes away gives its slot back; nothing in the pool points at it.
    HVBitmap* gone = bitmaps[6].get();
    bitmaps[6].reset();
    for (int i = 0; i < kSharedDcCount; ++i) EXPECT_NE(gSharedDcs.holder[i], gone);
    bitmaps[0]->ReleaseSharedDC();
    for (int i = 0; i < kSharedDcCount; ++i) EXPECT_NE(gSharedDcs.holder[i], bitmaps[0].get());
    // A bitmap without pixels yields no context.
    HVBitmap empty(0, 0, HVB_SHAREDDC);
    EXPECT_EQ(empty.GetDC(), nullptr);
}

TEST_F(HVBitmapWin, DrawCopiesBlendsAndPremultiplies) {
    HVBitmap target(4, 1, HVB_ALPHA);
    HVBitmap source(2, 1, HVB_ALPHA);
    uint8_t* s = PixelAt(source, 0, 0);
    s[0] = 200, s[1] = 100, s[2] = 50, s[3] = 128;  // not premultiplied yet
    uint8_t* t = PixelAt(target, 0, 0);
    for (int i = 0; i < 16; ++i) t[i] = 60;

    EXPECT_FALSE(source.Draw(target.GetDC(), 0, 0, 0, 1, 0, 0, 255));
    // Opacity -1: a plain copy, no premultiplication.
    ASSERT_TRUE(source.Draw(target.GetDC(), 2, 0, 2, 1, 0, 0, -1));
    EXPECT_EQ(PixelAt(target, 2, 0)[0], 200);
    EXPECT_FALSE(source.IsPremultiplied());
    // Blending premultiplies the source for good: 200 × 128 ÷ 255 = 100, then over 60.
    ASSERT_TRUE(source.Draw(target.GetDC(), 0, 0, 1, 1, 0, 0, 255));
    EXPECT_TRUE(source.IsPremultiplied());
    EXPECT_EQ(PixelAt(source, 0, 0)[0], 100);
    EXPECT_NEAR(PixelAt(target, 0, 0)[0], 100 + 60 * 127 / 255, 1);

    // An opaque bitmap is copied whatever the opacity.
    HVBitmap opaque(1, 1, HVB_ALPHA);
    opaque.SetOpaque(true);
    PixelAt(opaque, 0, 0)[0] = 7;
    ASSERT_TRUE(opaque.Draw(target.GetDC(), 3, 0, 1, 1, 0, 0, 10));
    EXPECT_EQ(PixelAt(target, 3, 0)[0], 7);
}

TEST_F(HVBitmapWin, SoftwareBlendMatchesThePlatformBlendOverALargeSample) {
    // 256 × 64 premultiplied source pixels (colours up to their alpha) over random targets, at
    // several opacities, drawn once with the platform's AlphaBlend and once in software.
    std::mt19937 random(12345);
    const int width = 256, height = 64;
    HVBitmap source(width, height, HVB_ALPHA | HVB_PREMULTIPLIED);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            uint8_t* p = PixelAt(source, x, y);
            const int a = (x + y * width) % 256;
            p[3] = static_cast<uint8_t>(a);
            for (int c = 0; c < 3; ++c) p[c] = static_cast<uint8_t>(a ? random() % (a + 1) : 0);
        }
    int worst = 0;
    long long differing = 0, compared = 0;
    for (int opacity : {255, 254, 200, 128, 64, 1}) {
        HVBitmap viaSystem(width, height, HVB_ALPHA), viaSoftware(width, height, HVB_ALPHA);
        for (int i = 0; i < width * height * 4; ++i)
            viaSystem.Bits()[i] = viaSoftware.Bits()[i] = static_cast<uint8_t>(random());
        ASSERT_NE(gHalvix.alphaBlend, nullptr);
        ASSERT_TRUE(source.Draw(viaSystem.GetDC(), 0, 0, width, height, 0, 0, opacity));
        const AlphaBlendFunction saved = gHalvix.alphaBlend;
        gHalvix.alphaBlend = nullptr;
        const bool drawn = source.Draw(viaSoftware.GetDC(), 0, 0, width, height, 0, 0, opacity);
        gHalvix.alphaBlend = saved;
        ASSERT_TRUE(drawn);
        for (int i = 0; i < width * height * 4; ++i) {
            const int d = std::abs(viaSystem.Bits()[i] - viaSoftware.Bits()[i]);
            worst = std::max(worst, d);
            differing += d != 0;
            ++compared;
        }
    }
    std::printf("software blend vs AlphaBlend: %lld of %lld bytes differ, by at most %d\n", differing, compared, worst);
    // The platform rounds where the software formula truncates, in both of its terms: at most two
    // steps apart, and most bytes not at all or by one.
    EXPECT_LE(worst, 2);
    EXPECT_LT(differing, compared * 2 / 3);
}

TEST_F(HVBitmapWin, SoftwareBlendRefusesASourceBlockOutsideTheBitmap) {
    HVBitmap source(4, 4, HVB_ALPHA | HVB_PREMULTIPLIED), target(8, 8, HVB_ALPHA);
    const AlphaBlendFunction saved = gHalvix.alphaBlend;
    gHalvix.alphaBlend = nullptr;
    EXPECT_FALSE(source.Draw(target.GetDC(), 0, 0, 4, 4, 1, 0, 255));
    EXPECT_FALSE(source.Draw(target.GetDC(), 0, 0, 5, 1, 0, 0, 255));
    EXPECT_TRUE(source.Draw(target.GetDC(), 6, 6, 4, 4, 0, 0, 255));  // target clipping is fine
    gHalvix.alphaBlend = saved;
}

TEST_F(HVBitmapWin, AdoptingConvertsOtherDepthsAndRecordsTheOriginalOne) {
    HDC screen = GetDC(nullptr);
    HBITMAP ddb = CreateCompatibleBitmap(screen, 3, 2);
    ReleaseDC(nullptr, screen);
    ASSERT_NE(ddb, nullptr);
    {
        HDC dc = CreateCompatibleDC(nullptr);
        HGDIOBJ old = SelectObject(dc, ddb);
        SetPixel(dc, 2, 0, RGB(1, 2, 3));
        SelectObject(dc, old);
        DeleteDC(dc);
    }
    BITMAP info = {};
    GetObjectW(ddb, sizeof(info), &info);
    HVBitmap adopted(ddb, HVB_ALPHA);
    ASSERT_TRUE(adopted.IsValid());
    EXPECT_EQ(adopted.BitsPerPixel(), info.bmBitsPixel);
    EXPECT_EQ(adopted.Width(), 3);
    EXPECT_EQ(adopted.Height(), 2);
    EXPECT_EQ(PixelAt(adopted, 2, 0)[2], 1);
    EXPECT_EQ(PixelAt(adopted, 2, 0)[0], 3);

    // A top-down 32-bit section is turned bottom-up, pixels in place.
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = 2;
    bi.bmiHeader.biHeight = -2;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP topDown = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    static_cast<uint8_t*>(bits)[0] = 77;  // top-left blue
    HVBitmap turned(topDown, 0);
    ASSERT_TRUE(turned.IsValid());
    EXPECT_EQ(turned.BitsPerPixel(), 32);
    EXPECT_EQ(PixelAt(turned, 0, 0)[0], 77);
    EXPECT_NE(turned.Section(), topDown);

    HVBitmap none(static_cast<HBITMAP>(nullptr), 0);
    EXPECT_FALSE(none.IsValid());
}

TEST_F(HVBitmapWin, BmpFilesLoadThroughThePlatformLoader) {
    const std::wstring path32 = TempPath(L"halvix_test_32.BMP"), path24 = TempPath(L"halvix_test_24.bmp");
    WriteFile(path32, BmpFile(3, 2, 32));
    WriteFile(path24, BmpFile(3, 2, 24));

    HVBitmap noAlpha(path32, HVB_COLORKEY);
    ASSERT_TRUE(noAlpha.IsValid());
    EXPECT_EQ(noAlpha.BitsPerPixel(), 24);  // a 32-bit file read without alpha reports 24
    EXPECT_TRUE(noAlpha.IsColorKeyed());
    EXPECT_EQ(PixelAt(noAlpha, 2, 1)[2], 3);
    HVBitmap withAlpha(path32, HVB_ALPHA);
    EXPECT_EQ(withAlpha.BitsPerPixel(), 32);

    HVBitmap converted(path24, 0);
    ASSERT_TRUE(converted.IsValid());
    EXPECT_EQ(converted.BitsPerPixel(), 24);
    EXPECT_EQ(converted.Width(), 3);
    EXPECT_EQ(PixelAt(converted, 1, 1)[0], 1);
    EXPECT_EQ(PixelAt(converted, 1, 1)[1], 1);
    EXPECT_EQ(PixelAt(converted, 1, 1)[2], 2);
    DIBSECTION dib = {};
    GetObjectW(converted.Section(), sizeof(dib), &dib);
    EXPECT_EQ(dib.dsBmih.biBitCount, 32);

    HVBitmap missing(TempPath(L"halvix_no_such_file.bmp"), 0);
    EXPECT_FALSE(missing.IsValid());
    DeleteFileW(path32.c_str());
    DeleteFileW(path24.c_str());
}

TEST_F(HVBitmapWin, PngResourcesDecodeAndMissingOnesThrow) {
    HBITMAP sidebar = HVBitmap::LoadPngResource(IDP_SIDEBAR);
    ASSERT_NE(sidebar, nullptr);
    HVBitmap wrapped(sidebar, HVB_ALPHA | HVB_SHAREDDC);
    EXPECT_EQ(wrapped.Width(), 250);
    EXPECT_EQ(wrapped.Height(), 600);
    EXPECT_EQ(wrapped.Section(), sidebar);  // already a 32-bit section: adopted as it is
    try {
        HVBitmap::LoadPngResource(99);
        FAIL() << "no exception";
    } catch (const std::runtime_error& e) {
        EXPECT_STREQ(e.what(), "Resource with ID 99 not found.");
    }
}

namespace {

struct BoxSeen {
    std::wstring text;
    bool found = false;
};

// Waits up to timeoutMs for a message box captioned "Error" of this process, reads its text and
// presses OK.
BoxSeen CloseErrorBox(DWORD timeoutMs) {
    BoxSeen seen;
    for (DWORD waited = 0; waited < timeoutMs; waited += 20) {
        HWND box = FindWindowW(L"#32770", L"Error");
        DWORD pid = 0;
        if (box) GetWindowThreadProcessId(box, &pid);
        if (box && pid == GetCurrentProcessId()) {
            wchar_t text[512] = {};
            GetDlgItemTextW(box, 0xFFFF, text, 512);
            seen.text = text;
            seen.found = true;
            PostMessageW(box, WM_COMMAND, IDOK, 0);
            return seen;
        }
        Sleep(20);
    }
    return seen;
}

}  // namespace

TEST_F(HVBitmapWin, BrokenPngWarnsOnTheUiThreadOnly) {
    const std::wstring path = TempPath(L"halvix_broken.png");
    WriteFile(path, {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0});

    // The worker thread: failure without a box.
    bool workerValid = true;
    std::thread worker([&] { workerValid = HVBitmap(path, 0).IsValid(); });
    const BoxSeen none = CloseErrorBox(500);
    worker.join();
    EXPECT_FALSE(workerValid);
    EXPECT_FALSE(none.found);

    // The UI thread (the one that started the library): the warning box names the file.
    BoxSeen seen;
    std::thread closer([&] { seen = CloseErrorBox(10000); });
    HVBitmap failed(path, 0);
    closer.join();
    EXPECT_FALSE(failed.IsValid());
    ASSERT_TRUE(seen.found);
    EXPECT_EQ(seen.text, L"Error reading '" + path + L"' (12)");
    DeleteFileW(path.c_str());
}
