// The earlier-format import with the system's parts: the private-profile reader, the system's BMP
// loader, the user's temporary folder, and Windows path rules for hostile archive entries.
#include "theme/legacy_import.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>

#include "graphics/hv_bitmap.h"
#include "graphics/hv_bitmap_state.h"
#include "tests/support/image_files.h"
#include "tests/support/temp_folder.h"
#include "tests/support/zip_builder.h"
#include "theme/theme.h"

namespace {

namespace fs = std::filesystem;
using imagefiles::Image;
using imagefiles::Rgba;

const Rgba kMagenta = {255, 0, 255, 255};
const Rgba kBlue = {0, 0, 255, 255};

// Imports see a temporary folder of the test's own (TMP), which must be empty after each import.
class LegacyImportWinTest : public ::testing::Test {
protected:
    void SetUp() override {
        wchar_t old[MAX_PATH + 1] = {};
        hadTmp_ = GetEnvironmentVariableW(L"TMP", old, MAX_PATH + 1) > 0;
        oldTmp_ = old;
        importRoot_ = temp_.FsPath() / "a" / "b";
        fs::create_directories(importRoot_);
        SetEnvironmentVariableW(L"TMP", (importRoot_.wstring() + L"\\").c_str());
    }
    void TearDown() override {
        SetEnvironmentVariableW(L"TMP", hadTmp_ ? oldTmp_.c_str() : nullptr);
        EXPECT_EQ(temp_.Contents(), (std::vector<std::string>{"a", "a/b"})) << "left behind by an import";
    }

    std::wstring Archive(const ZipBuilder& zip, const std::wstring& name = L"Theme.tolvxtheme") {
        return files_.Write(name, zip.Build());
    }

    std::vector<CCursor>& Cursors() { return theme_.cursors[1.0]; }

    TempFolder files_;
    TempFolder temp_;
    fs::path importRoot_;
    bool hadTmp_ = false;
    std::wstring oldTmp_;
    CTheme theme_;
};

TEST_F(LegacyImportWinTest, TheImportFolderIsANewQzFolderInTheUsersTemporaryFolder) {
    std::wstring folder;
    ASSERT_TRUE(CreateImportFolder(folder));
    const fs::path path(folder);
    EXPECT_TRUE(fs::equivalent(path.parent_path(), importRoot_));
    EXPECT_EQ(path.filename().wstring().substr(0, 2), L"QZ");
    EXPECT_TRUE(fs::is_directory(path));
    DeleteFolderTree(folder, true);
    EXPECT_FALSE(fs::exists(path));
}

TEST_F(LegacyImportWinTest, BmpImagesAreColourKeyedOrSplitIntoColourAndMask) {
    // Arrow: two 4 x 4 frames, the left column magenta; "PerPixel" 0 keeps the colour key.
    Image arrow = imagefiles::Solid(8, 4, kBlue);
    for (int y = 0; y < 4; ++y) arrow[size_t(y) * 8] = kMagenta;
    // Help: a 4 x 2 image above its mask; the mask's blue byte is the alpha (64 on the left half).
    Image help = imagefiles::Solid(4, 4, kBlue);
    for (int y = 2; y < 4; ++y)
        for (int x = 0; x < 4; ++x) help[size_t(y) * 4 + x] = x < 2 ? Rgba{0, 0, 64, 255} : Rgba{0, 0, 255, 255};
    ZipBuilder zip;
    zip.Add("scheme.ini",
            "[Arrow]\r\nFrames=2\r\nStdCursor=0\r\nPerPixel=0\r\n[Help]\r\nFrames=1\r\nStdCursor=0\r\n"
            "[Hand]\r\nFrames=1\r\nStdCursor=0\r\n");
    zip.Add("Arrow.bmp", imagefiles::EncodeBmp(8, 4, arrow));
    zip.Add("Help.bmp", imagefiles::EncodeBmp(4, 4, help));
    zip.Add("Hand.bmp", imagefiles::EncodeBmp(4, 4, imagefiles::Solid(4, 4, kMagenta)));
    zip.Add("Hand.png", imagefiles::EncodePng(2, 2, imagefiles::Solid(2, 2, {1, 2, 3, 200})));
    ASSERT_TRUE(ImportLegacyTheme(theme_, Archive(zip), false));
    ASSERT_EQ(Cursors().size(), 3u);

    HVBitmap* a = Cursors()[0].image->Bitmap();
    EXPECT_TRUE(a->IsColorKeyed());
    EXPECT_EQ(a->Width(), 8);
    EXPECT_EQ(Cursors()[0].image->Width(), 4);
    EXPECT_FALSE(a->IsOpaqueAt(0, 0));  // magenta
    EXPECT_TRUE(a->IsOpaqueAt(1, 0));

    HVBitmap* h = Cursors()[1].image->Bitmap();
    EXPECT_EQ(h->Height(), 2);
    EXPECT_TRUE(h->HasAlpha());
    EXPECT_TRUE(h->IsPremultiplied());
    const uint8_t* topLeft = h->Bits() + size_t(h->Height() - 1) * h->Width() * 4;  // bottom-up rows
    EXPECT_EQ(topLeft[3], 64);
    EXPECT_EQ(topLeft[0], 64);  // blue 255 × 64 ÷ 255
    EXPECT_EQ(topLeft[3 + 4 * 3], 255);

    HVBitmap* hand = Cursors()[2].image->Bitmap();  // the PNG wins over the BMP
    EXPECT_EQ(hand->Width(), 2);
    EXPECT_TRUE(hand->HasAlpha());
    EXPECT_FALSE(hand->IsColorKeyed());
}

TEST_F(LegacyImportWinTest, TheSystemsProfileReaderReadsKeysScriptsAndTheDescription) {
    ZipBuilder zip;
    // UTF-16 with a byte-order mark, as some earlier themes were saved.
    const std::wstring text =
        L"\xFEFF[Arrow]\r\nFrames = 2\r\nInterval=70\r\nHot spot x=2\r\nStdCursor=0\r\nFrameScript=1\r\n"
        L"[Arrow_Script]\r\n2,40;1\r\n[Description]\r\nCaf\u00e9 line\r\n";
    std::string bytes;
    for (wchar_t c : text) bytes += {char(c & 0xFF), char(c >> 8)};
    zip.Add("scheme.ini", bytes);
    zip.Add("Arrow.png", imagefiles::EncodePng(4, 2, imagefiles::Solid(4, 2, kBlue)));
    ASSERT_TRUE(ImportLegacyTheme(theme_, Archive(zip, L"My Theme.tolvxtheme"), false));
    ASSERT_EQ(Cursors().size(), 1u);
    EXPECT_EQ(Cursors()[0].frames, 2);
    EXPECT_EQ(Cursors()[0].interval, 70);
    EXPECT_EQ(Cursors()[0].hotSpotX, 2);
    EXPECT_EQ(Cursors()[0].frameScript, L"2,40;1");
    EXPECT_EQ(theme_.description, L"Caf\u00e9 line\r\n");
    EXPECT_EQ(theme_.name, L"My Theme");
}

TEST_F(LegacyImportWinTest, HostileEntriesLandNowhereOutsideAndADamagedArchiveIsRefused) {
    const fs::path outside = files_.FsPath() / "outside.txt";
    ZipBuilder zip;
    zip.Add("..\\..\\evil.txt", "x");
    zip.Add("../../evil2.txt", "x");
    zip.Add(outside.string(), "x");
    zip.Add("\\evil3.txt", "x");
    zip.Add("C:evil4.txt", "x");
    zip.Add("Arrow.png", imagefiles::EncodePng(2, 2, imagefiles::Solid(2, 2, kBlue)));
    zip.Add("scheme.ini", "[Arrow]\r\nFrames=1\r\nStdCursor=0\r\n");
    ASSERT_TRUE(ImportLegacyTheme(theme_, Archive(zip), false));
    EXPECT_EQ(Cursors().size(), 1u);
    EXPECT_FALSE(fs::exists(outside));
    EXPECT_FALSE(fs::exists(L"C:\\evil3.txt"));
    EXPECT_FALSE(fs::exists(L"C:\\evil4.txt"));

    // A damaged archive, or one cut off by the extraction's limit, yields no cursor: refused.
    std::vector<uint8_t> cut = zip.Build();
    cut.resize(cut.size() - 30);
    CTheme damaged;
    std::string reason;
    EXPECT_FALSE(ImportLegacyTheme(damaged, files_.Write(L"Cut.tolvxtheme", cut), false, ExtractLimits{}, &reason));
    EXPECT_FALSE(reason.empty());
    EXPECT_EQ(damaged.contentFlags, 0);

    ExtractLimits small;
    small.maxTotalBytes = 32 * 1024;
    ZipBuilder bomb;
    bomb.Add("bomb.bin", std::string(1 << 20, '\0'));
    bomb.Add("scheme.ini", "[Arrow]\r\nFrames=1\r\nStdCursor=0\r\n");
    CTheme stopped;
    EXPECT_FALSE(ImportLegacyTheme(stopped, Archive(bomb, L"Bomb.tolvxtheme"), false, small));
    EXPECT_TRUE(stopped.cursors[1.0].empty());
}

}  // namespace
