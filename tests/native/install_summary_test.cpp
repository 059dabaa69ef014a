#include "app/install_summary.h"

#include <gtest/gtest.h>

namespace {

const std::wstring kAlready = L"This theme is already installed. Use the Morvanta window to activate it.";

InstallReport Report(std::vector<std::wstring> installed, std::vector<InstallFailure> failed) {
    return InstallReport{std::move(installed), std::move(failed)};
}

}  // namespace

TEST(InstallDisplayName, IsTheQuotedStemOfTheLastElement) {
    EXPECT_EQ(InstallDisplayName(L"C:\\Downloads\\Blue Glass.morvanta"), L"\"Blue Glass\"");
    EXPECT_EQ(InstallDisplayName(L"C:/a/theme.MORVANTA.bak"), L"\"theme.MORVANTA\"");
    EXPECT_EQ(InstallDisplayName(L"relative.tolvxtheme"), L"\"relative\"");
    EXPECT_EQ(InstallDisplayName(L"C:\\x\\.morvanta"), L"\".morvanta\"");  // a leading dot is no extension
    EXPECT_EQ(InstallDisplayName(L"C:\\x\\name."), L"\"name\"");
    EXPECT_EQ(InstallDisplayName(L"C:\\x\\.."), L"\"..\"");
}

TEST(InstallSummary, AllInstalled) {
    SummaryMessage one = ComposeInstallSummary(Report({L"\"Blue\""}, {}));
    EXPECT_EQ(one.caption, L"Theme Installed");
    EXPECT_EQ(one.text, L"Installed \"Blue\".");

    SummaryMessage many = ComposeInstallSummary(Report({L"\"A\"", L"\"B\""}, {}));
    EXPECT_EQ(many.caption, L"Themes Installed");
    EXPECT_EQ(many.text, L"Installed the following themes:\n\n\"A\"\n\"B\"");
}

TEST(InstallSummary, NoneInstalled) {
    SummaryMessage one = ComposeInstallSummary(Report({}, {{L"\"Red\"", "Access is denied."}}));
    EXPECT_EQ(one.caption, L"Theme Installation Failed");
    EXPECT_EQ(one.text, L"We couldn't install \"Red\":\n\u2022 Access is denied.");

    SummaryMessage many = ComposeInstallSummary(Report({}, {{L"\"A\"", "x"}, {L"\"B\"", "y"}}));
    EXPECT_EQ(many.caption, L"Theme Installations Failed");
    EXPECT_EQ(many.text, L"We couldn't install any of the requested themes:\n\n\"A\"\n\u2022 x\n\n\"B\"\n\u2022 y");
}

TEST(InstallSummary, MixedWithOneFailureHasTheFiveLinesOfTheExample) {
    SummaryMessage message =
        ComposeInstallSummary(Report({L"\"Blue Glass\""}, {{L"\"Red\"", kAlreadyInstalledReason}}));
    EXPECT_EQ(message.caption, L"One Installation Failed");
    EXPECT_EQ(message.text,
              L"We couldn't install one of the requested themes.\n"
              L"\n"
              L"We were able to install \"Blue Glass\".\n"
              L"\n"
              L"However, we couldn't install \"Red\":\n"
              L"\u2022 " +
                  kAlready);
}

TEST(InstallSummary, MixedWithSeveralOfEach) {
    SummaryMessage message = ComposeInstallSummary(Report({L"\"A\"", L"\"B\""}, {{L"\"C\"", "r1"}, {L"\"D\"", "r2"}}));
    EXPECT_EQ(message.caption, L"Some Installations Failed");
    EXPECT_EQ(message.text,
              L"We couldn't install some of the requested themes.\n\n"
              L"We were able to install the following themes:\n\n\"A\"\n\"B\"\n\n"
              L"However, we couldn't install these themes:\n\n\"C\"\n\u2022 r1\n\n\"D\"\n\u2022 r2");
}

TEST(InstallSummary, ReasonsAreReadAsCodePage1252) {
    // The system's texts are 8-bit; 0x92 is the right single quotation mark in code page 1252.
    SummaryMessage message = ComposeInstallSummary(Report({}, {{L"\"A\"", "can\x92t"}}));
    EXPECT_EQ(message.text, L"We couldn't install \"A\":\n\u2022 can\u2019t");
}
