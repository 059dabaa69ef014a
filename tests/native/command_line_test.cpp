#include "app/command_line.h"

#include <gtest/gtest.h>

using cmdline::InstallerVerb;

TEST(CommandLine, InstallerVerbsAreCaseSensitiveSubstringsAnywhere) {
    EXPECT_EQ(cmdline::FindInstallerVerb(L"C:\\p\\MorvantaConfig.exe /install"), InstallerVerb::Install);
    EXPECT_EQ(cmdline::FindInstallerVerb(L"C:\\p\\MorvantaConfig.exe /uninstall"), InstallerVerb::Uninstall);
    EXPECT_EQ(cmdline::FindInstallerVerb(L"x.exe C:\\d/installers/a.morvanta"), InstallerVerb::Install);
    EXPECT_EQ(cmdline::FindInstallerVerb(L"x.exe /INSTALL"), InstallerVerb::None);
    EXPECT_EQ(cmdline::FindInstallerVerb(L"x.exe a.morvanta"), InstallerVerb::None);
}

TEST(CommandLine, InstallWinsOverUninstall) {
    EXPECT_EQ(cmdline::FindInstallerVerb(L"x.exe /uninstall /install"), InstallerVerb::Install);
}

TEST(CommandLine, ThemeFilesAreRecognisedByEitherExtensionAnywhereInAnyCase) {
    EXPECT_TRUE(cmdline::MentionsThemeFile(L"C:\\a\\Blue.morvanta"));
    EXPECT_TRUE(cmdline::MentionsThemeFile(L"C:\\a\\theme.MORVANTA.bak"));
    EXPECT_TRUE(cmdline::MentionsThemeFile(L"old.TolvXTheme"));
    EXPECT_TRUE(cmdline::MentionsThemeFile(L"\"C:\\a b\\c.morvanta\""));
    EXPECT_FALSE(cmdline::MentionsThemeFile(L"C:\\a\\MorvantaConfig.exe"));
    EXPECT_FALSE(cmdline::MentionsThemeFile(L"C:\\a\\morvanta"));
    EXPECT_FALSE(cmdline::MentionsThemeFile(L""));
}

TEST(CommandLine, QuotesAreRemovedWhereverTheyStand) {
    EXPECT_EQ(cmdline::WithoutQuotes(L"\"C:\\a b\\c.morvanta\""), L"C:\\a b\\c.morvanta");
    EXPECT_EQ(cmdline::WithoutQuotes(L"a\"b\"\"c"), L"abc");
}
