#include "theme/windows_inf.h"

#include <gtest/gtest.h>

TEST(WindowsInf, TheSchemeLineIsFoundThroughStringsCommentsAndContinuations) {
    const std::wstring text =
        L"; a comment line\r\n"
        L"[scheme.reg]\r\n"
        L"HKEY_CURRENT_USER, \"control panel\\cursors\\schemes\\\" , \"%Name%\",\\\r\n"
        L"  0x20000,\"%10%\\%Dir%\\%a%,,%10%\\%Dir%\\%B%;50%%\" ; a comment\r\n"
        L"[Strings.0407]\r\n"
        L"a = \"german.cur\"\r\n"
        L"b = \"b.ani\"\r\n"
        L"[STRINGS]\r\n"
        L"NAME = \"Say \"\"Hi\"\" 100%%\"\r\n"
        L"DIR=Cursors\\Hi\r\n"
        L"A = \"arrow.cur\"\r\n";
    InfScheme scheme;
    std::string reason;
    ASSERT_TRUE(TryReadInfScheme(text, scheme, reason)) << reason;
    EXPECT_EQ(scheme.name, L"Say \"Hi\" 100%");
    EXPECT_EQ(scheme.files,
              (std::vector<std::wstring>{L"%10%\\Cursors\\Hi\\arrow.cur", L"", L"%10%\\Cursors\\Hi\\b.ani;50%"}));
}

TEST(WindowsInf, AnUnquotedListIsJoinedAgainAndOtherKeysAreNotSchemes) {
    const std::wstring text =
        L"[a]\nHKCU,\"Control Panel\\Cursors\",Arrow,0x20000,\"x.cur\"\n"
        L"HKLM,\"Control Panel\\Cursors\\Schemes\",Other,,\"y.cur\"\n"
        L"[b]\nhkcu,Control Panel\\Cursors\\Schemes,Plain,,one.cur,two.ani\n";
    InfScheme scheme;
    std::string reason;
    ASSERT_TRUE(TryReadInfScheme(text, scheme, reason)) << reason;
    EXPECT_EQ(scheme.name, L"Plain");
    EXPECT_EQ(scheme.files, (std::vector<std::wstring>{L"one.cur", L"two.ani"}));

    EXPECT_FALSE(TryReadInfScheme(L"[a]\nHKCU,\"Control Panel\\Cursors\\Schemes\",\"\",,\"x.cur\"\n", scheme, reason));
    EXPECT_EQ(reason, "the scheme line of the .inf gives no scheme name");
    EXPECT_FALSE(TryReadInfScheme(L"[Strings]\nHKCU,\"Control Panel\\Cursors\\Schemes\",N,,x\n", scheme, reason));
}

TEST(WindowsInf, TextIsDecodedByItsByteOrderMark) {
    EXPECT_EQ(DecodeInfText(std::string("\xFF\xFE"
                                        "A\0\x01\x04",
                                        6)),
              L"A\u0401");
    EXPECT_EQ(DecodeInfText("\xEF\xBB\xBF\xC3\xA9"), L"\u00E9");
    EXPECT_EQ(DecodeInfText("\xE9\x80"), L"\u00E9\u20AC");
}
