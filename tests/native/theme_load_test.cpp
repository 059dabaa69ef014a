#include "theme/theme_load.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <thread>

#include "tests/native/theme_bytes.h"
#include "tests/support/image_files.h"
#include "tests/support/temp_folder.h"
#include "tests/support/zip_builder.h"
#include "theme/theme.h"

namespace {

namespace fs = std::filesystem;
namespace tb = themebytes;

// A version 2003 file with a name and one 2 x 2 cursor for the arrow.
std::vector<uint8_t> OneCursorFile(uint32_t version = 2003) {
    tb::File file;
    file.version = version;
    file.texts[0] = L"Sample";
    tb::Animation a;
    a.width = 2;
    a.height = 2;
    a.pixels = tb::Pixels(2, 2, 1);
    file.records.push_back(tb::Cursor(0, 1, a, 1.0, version == 2003));
    return tb::Build(file);
}

std::atomic<int> gMessages{0};
void CountMessage() {
    ++gMessages;
}

// Puts the counting hook in place of the platform's message for one test.
class MessageCounter {
public:
    MessageCounter() : previous_(SetUnsupportedFeaturesHook(CountMessage)) { gMessages = 0; }
    ~MessageCounter() { SetUnsupportedFeaturesHook(previous_); }

private:
    UnsupportedFeaturesHook previous_;
};

TEST(ThemeLoadRules, ExtensionsCountOnlyAfterAtLeastOneCharacterAndIgnoreCase) {
    EXPECT_TRUE(IsThemeFilePath(L"a.morvanta"));
    EXPECT_TRUE(IsThemeFilePath(L"C:\\Themes\\Blue.MORVANTA"));
    EXPECT_FALSE(IsThemeFilePath(L".morvanta"));  // 9 characters
    EXPECT_FALSE(IsThemeFilePath(L"a.morvanta.bak"));
    EXPECT_FALSE(IsThemeFilePath(L"a.tolvxtheme"));
    EXPECT_TRUE(IsLegacyThemePath(L"a.tolvxtheme"));
    EXPECT_TRUE(IsLegacyThemePath(L"x\\My Theme.TolvXTheme"));
    EXPECT_FALSE(IsLegacyThemePath(L".tolvxtheme"));  // 11 characters
    EXPECT_FALSE(IsLegacyThemePath(L"a.morvanta"));
}

TEST(ThemeLoad, ChoosesTheFormatByExtensionWhateverItsCase) {
    TempFolder folder;
    CTheme theme;
    const std::wstring path = folder.Write(L"Blue.MORVANTA", OneCursorFile());
    ASSERT_TRUE(theme.Load(path, false));
    EXPECT_EQ(theme.path, path);
    EXPECT_EQ(theme.sourcePath, path);
    EXPECT_EQ(theme.name, L"Sample");
    ASSERT_NE(theme.FindCursor(0, 1, 1), nullptr);

    // The same bytes under another extension are not read; the request is still remembered.
    const std::wstring other = folder.Write(L"Blue.theme", OneCursorFile());
    EXPECT_FALSE(theme.Load(other, false));
    EXPECT_EQ(theme.sourcePath, other);
    EXPECT_TRUE(theme.cursors[1.0].empty());

    ZipBuilder zip;
    zip.Add("scheme.ini", "[Arrow]\nFrames=1\nStdCursor=0\n");
    zip.Add("Arrow.png", imagefiles::EncodePng(2, 2, imagefiles::Solid(2, 2, {1, 2, 3, 255})));
    EXPECT_TRUE(theme.Load(folder.Write(L"Old.TOLVXTHEME", zip.Build()), false));
    EXPECT_EQ(theme.name, L"Old");
    EXPECT_EQ(theme.contentFlags, kThemeHasCursors);
}

TEST(ThemeLoad, APathOfNineCharactersIsRefusedEvenWithTheExtension) {
    TempFolder folder;
    folder.Write(L".morvanta", OneCursorFile());
    const fs::path previous = fs::current_path();
    fs::current_path(folder.FsPath());
    CTheme theme;
    const bool shortPath = theme.Load(L".morvanta", false);
    const bool longerPath = theme.Load(L"./.morvanta", false);
    fs::current_path(previous);
    EXPECT_FALSE(shortPath);
    EXPECT_TRUE(longerPath);
}

TEST(ThemeLoad, OnlyTheFourKnownVersionsAreRead) {
    TempFolder folder;
    CTheme theme;
    for (uint32_t version : {2000u, 2001u, 2002u, 2003u})
        EXPECT_TRUE(theme.Load(folder.Write(L"v.morvanta", OneCursorFile(version)), false)) << version;
    for (uint32_t version : {1999u, 2004u, 0u}) {
        std::vector<uint8_t> bytes = OneCursorFile();
        tb::PutU32(bytes, 12, version);
        EXPECT_FALSE(theme.Load(folder.Write(L"v.morvanta", bytes), false)) << version;
    }
    EXPECT_FALSE(theme.Load(folder.Write(L"short.morvanta", std::string("tiny")), false));
}

TEST(ThemeSave, WritesOnlyThemeFilesAndReportsAFailedWrite) {
    TempFolder folder;
    CTheme theme;
    ASSERT_TRUE(theme.Load(folder.Write(L"in.morvanta", OneCursorFile(2001)), false));

    EXPECT_FALSE(theme.Save(folder.File(L"out.tolvxtheme")));
    EXPECT_FALSE(theme.Save(L".morvanta"));
    EXPECT_FALSE(fs::exists(folder.FsPath() / "out.tolvxtheme"));

    const std::wstring out = folder.File(L"out.Morvanta");
    ASSERT_TRUE(theme.Save(out));
    CTheme again;
    ASSERT_TRUE(again.Load(out, false));
    EXPECT_EQ(again.name, L"Sample");
    EXPECT_EQ(again.cursors[1.0].size(), 1u);

    EXPECT_FALSE(theme.Save(folder.File(L"missing/x.morvanta")));
}

TEST(ThemeLoad, UnsupportedContentIsReportedOncePerThemeAndLoadingGoesOn) {
    MessageCounter counter;
    TempFolder folder;
    tb::File file;
    file.version = 2001;
    tb::Animation a;
    file.records.push_back(tb::Effect(8, 0, a, 7));  // a trail record version this reader does not know
    file.records.push_back(tb::Sound(1, {1, 2, 3}));
    const std::wstring path = folder.Write(L"odd.morvanta", tb::Build(file));

    CTheme theme;
    EXPECT_TRUE(theme.Load(path, false));
    EXPECT_TRUE(theme.Load(path, false));
    EXPECT_EQ(gMessages, 1);
    EXPECT_NE(theme.Sound(1), nullptr);

    CTheme another;
    EXPECT_TRUE(another.Load(path, false));
    EXPECT_EQ(gMessages, 2);

    CTheme plain;
    EXPECT_TRUE(plain.Load(folder.Write(L"plain.morvanta", OneCursorFile(2001)), false));
    EXPECT_EQ(gMessages, 2);
}

TEST(ThemeFileOpen, RetriesUntilTheFileCanBeOpened) {
    TempFolder folder;
    const std::wstring path = folder.File(L"late.morvanta");
    FileReadOptions options;
    options.retryPauseMs = 300;
    std::thread writer([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        folder.Write(L"late.morvanta", std::string("content"));
    });
    std::vector<uint8_t> bytes;
    int attempts = 0;
    const FileReadStatus status = ReadFileWithRetry(path, bytes, options, &attempts);
    writer.join();
    EXPECT_EQ(status, FileReadStatus::kRead);
    EXPECT_EQ(attempts, 2);
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "content");

    options.retryPauseMs = 10;
    EXPECT_EQ(ReadFileWithRetry(folder.File(L"never.morvanta"), bytes, options, &attempts), FileReadStatus::kNotOpened);
    EXPECT_EQ(attempts, kOpenAttempts);
}

TEST(ThemeFileOpen, AHeaderThatIsRefusedStopsTheRead) {
    TempFolder folder;
    const std::wstring path = folder.Write(L"big.bin", std::string(100000, 'x'));
    FileReadOptions options;
    options.headerBytes = 16;
    options.headerAccepted = [](const uint8_t*, size_t) { return false; };
    std::vector<uint8_t> bytes;
    EXPECT_EQ(ReadFileWithRetry(path, bytes, options), FileReadStatus::kRefused);
    EXPECT_LE(bytes.size(), 16u);

    options.headerAccepted = [](const uint8_t* header, size_t size) { return size == 16 && header[0] == 'x'; };
    EXPECT_EQ(ReadFileWithRetry(path, bytes, options), FileReadStatus::kRead);
    EXPECT_EQ(bytes.size(), 100000u);

    options.maxBytes = 1000;
    EXPECT_EQ(ReadFileWithRetry(path, bytes, options), FileReadStatus::kRefused);
}

}  // namespace
