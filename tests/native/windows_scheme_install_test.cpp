#include "theme/windows_scheme_install.h"

#include <gtest/gtest.h>

#include <fstream>

#include "tests/support/cursor_files.h"
#include "tests/support/temp_folder.h"
#include "theme/theme.h"
#include "theme/theme_file.h"

TEST(SchemeThemeFileName, CharactersWindowsCannotStoreAndReservedNamesAreMadeSafe) {
    EXPECT_EQ(SchemeThemeFileName(L"Blue Glass"), L"Blue Glass.morvanta");
    EXPECT_EQ(SchemeThemeFileName(L"a\\b/c:d*e?f\"g<h>i|j\tk"), L"a_b_c_d_e_f_g_h_i_j_k.morvanta");
    EXPECT_EQ(SchemeThemeFileName(L"Dots... "), L"Dots.morvanta");
    EXPECT_EQ(SchemeThemeFileName(L" .. "), L"Cursor scheme.morvanta");
    EXPECT_EQ(SchemeThemeFileName(L"con"), L"con_.morvanta");
    EXPECT_EQ(SchemeThemeFileName(L"LPT3.old"), L"LPT3.old_.morvanta");
    EXPECT_EQ(SchemeThemeFileName(L"COM0"), L"COM0.morvanta");
    EXPECT_EQ(SchemeThemeFileName(L"Console"), L"Console.morvanta");
}

TEST(InstallWindowsScheme, WritesTheSchemeUnderItsSafeNameReplacingAnOlderFile) {
    TempFolder source;
    TempFolder themes;
    using cursorfiles::Entry;
    source.Write(L"a.cur",
                 cursorfiles::EncodeCursor({Entry{32, 32, 24, true, cursorfiles::Image(1024, {1, 2, 3, 255}), 1, 1}}));
    const std::wstring inf = source.Write(
        L"install.inf", std::string("[r]\nHKCU,\"Control Panel\\Cursors\\Schemes\",\"Mine: new?\",,\"a.cur\"\n"));
    const std::wstring older = themes.Write(L"Mine_ new_.morvanta", std::string("old"));
    std::wstring destination;
    std::string reason;
    ASSERT_TRUE(InstallWindowsScheme(inf, themes.Path(), destination, reason)) << reason;
    EXPECT_EQ(destination, older);
    CTheme loaded;
    ASSERT_TRUE(themefile::LoadThemeFile(loaded, destination, false).ok);
    EXPECT_EQ(loaded.name, L"Mine: new?");
    EXPECT_EQ(loaded.cursors[1.0].size(), 1u);

    // A refused scheme names no destination and writes nothing; its reason is 8-bit text.
    source.Write(L"install.inf",
                 std::string("[r]\nHKCU,\"Control Panel\\Cursors\\Schemes\",\"S\",,\"..\\\xE9.cur\"\n"));
    destination.clear();
    EXPECT_FALSE(InstallWindowsScheme(inf, themes.Path(), destination, reason));
    EXPECT_TRUE(destination.empty());
    EXPECT_EQ(reason, "install.inf: names a file outside its folder: ..\\\xE9.cur");
    EXPECT_EQ(themes.Contents().size(), 1u);
}
