#include "theme/theme_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "base/text_encoding.h"

namespace fs = std::filesystem;

namespace {

class ThemeFiles : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = fs::temp_directory_path() /
                  ("morvanta-file-test-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
                   ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder_);
        fs::create_directories(folder_);
    }
    void TearDown() override { fs::remove_all(folder_); }
    std::wstring Path(const char* name) { return text::Utf8ToUtf16((folder_ / name).string()); }
    size_t Entries() {
        return static_cast<size_t>(std::distance(fs::directory_iterator(folder_), fs::directory_iterator()));
    }

    fs::path folder_;
};

}  // namespace

TEST_F(ThemeFiles, SaveReplacesTheFileAndLeavesNoTemporaryBehind) {
    CTheme theme;
    theme.name = L"First";
    std::string reason;
    ASSERT_TRUE(themefile::SaveThemeFile(theme, Path("t.morvanta"), &reason)) << reason;
    theme.name = L"Second";
    ASSERT_TRUE(themefile::SaveThemeFile(theme, Path("t.morvanta"), &reason)) << reason;
    EXPECT_EQ(Entries(), 1u);
    CTheme back;
    ThemeReadResult read = themefile::LoadThemeFile(back, Path("t.morvanta"), false);
    ASSERT_TRUE(read.ok) << read.error;
    EXPECT_EQ(*back.name, L"Second");
}

TEST_F(ThemeFiles, AFailedSaveKeepsWhatWasThere) {
    fs::create_directories(folder_ / "taken.morvanta" / "inside");
    std::string reason;
    EXPECT_FALSE(themefile::WriteFileReplacing(Path("taken.morvanta"), {1, 2, 3}, &reason));
    EXPECT_FALSE(reason.empty());
    EXPECT_TRUE(fs::is_directory(folder_ / "taken.morvanta" / "inside"));
    EXPECT_EQ(Entries(), 1u);
    EXPECT_FALSE(themefile::WriteFileReplacing(Path("no-such-folder/t.morvanta"), {1}, &reason));
}

TEST_F(ThemeFiles, LoadingAMissingFileFailsWithAReason) {
    CTheme theme;
    theme.AddCursor(CCursor{});
    ThemeReadResult read = themefile::LoadThemeFile(theme, Path("missing.morvanta"), false);
    EXPECT_FALSE(read.ok);
    EXPECT_NE(read.error.find("missing.morvanta"), std::string::npos);
    EXPECT_TRUE(theme.cursors.empty());
}
