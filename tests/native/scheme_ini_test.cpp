#include "theme/scheme_ini.h"

#include <gtest/gtest.h>

#include "tests/support/scheme_ini_samples.h"

namespace {

std::unique_ptr<SchemeIni> Parse(const std::string& text) {
    return ParseSchemeIni(std::vector<uint8_t>(text.begin(), text.end()));
}

}  // namespace

TEST(SchemeIni, ReadsKeysOfASectionIgnoringCaseAndBlanks) {
    auto ini = Parse(SchemeIniSampleTexts()[0]);
    EXPECT_EQ(ini->ReadInt(L"Arrow", L"Frames", L"0"), 4);
    EXPECT_EQ(ini->ReadString(L"arrow", L"INTERVAL", L"200", 259), L"50");
    EXPECT_EQ(ini->ReadInt(L"Arrow", L"Hot spot y", L"0"), 7);
    EXPECT_EQ(ini->ReadInt(L"Arrow", L"PerPixel", L"1"), 1);  // missing: the default
    EXPECT_EQ(ini->ReadSectionFirstLine(L"Arrow_Script", 1000), L"1-4,50;repeat 2;4-1");
}

TEST(SchemeIni, TheFirstOfDuplicateKeysAndSectionsAnswers) {
    auto ini = Parse(SchemeIniSampleTexts()[1]);
    EXPECT_EQ(ini->ReadInt(L"Arrow", L"Frames", L"0"), 2);
    auto other = Parse(SchemeIniSampleTexts()[2]);
    EXPECT_EQ(other->ReadInt(L"Wait", L"Frames", L"0"), 3);
    EXPECT_EQ(other->ReadInt(L"Wait", L"Animation style", L"0"), 0);  // no digits
    EXPECT_EQ(other->ReadInt(L"Wait", L"Interval", L"200"), -12);
}

TEST(SchemeIni, QuotesAroundAValueAreRemovedAndAnEmptyValueIsNotTheDefault) {
    auto ini = Parse(SchemeIniSampleTexts()[1]);
    EXPECT_EQ(ini->ReadInt(L"Help", L"StdCursor", L"1"), 0);
    auto cross = Parse(SchemeIniSampleTexts()[3]);
    EXPECT_EQ(cross->ReadString(L"Cross", L"StdCursor", L"1", 259), L"");
    EXPECT_EQ(cross->ReadInt(L"Cross", L"StdCursor", L"1"), 0);
}

TEST(SchemeIni, LongValuesAreCut) {
    auto ini = Parse("[A]\nK=" + std::string(400, 'x') + "\n");
    EXPECT_EQ(ini->ReadString(L"A", L"K", L"", 259).size(), 259u);
}

TEST(SchemeIni, Utf16FilesWithAByteOrderMarkAreRead) {
    const std::wstring text = L"[Arrow]\r\nFrames=5\r\n";
    std::vector<uint8_t> bytes = {0xFF, 0xFE};
    for (wchar_t c : text) {
        bytes.push_back(uint8_t(c));
        bytes.push_back(uint8_t(c >> 8));
    }
    EXPECT_EQ(ParseSchemeIni(bytes)->ReadInt(L"Arrow", L"Frames", L"0"), 5);
}

TEST(ParseLeadingInt, FollowsWtoi) {
    EXPECT_EQ(ParseLeadingInt(L"  42abc"), 42);
    EXPECT_EQ(ParseLeadingInt(L"-7"), -7);
    EXPECT_EQ(ParseLeadingInt(L"+3"), 3);
    EXPECT_EQ(ParseLeadingInt(L"x1"), 0);
    EXPECT_EQ(ParseLeadingInt(L""), 0);
    EXPECT_EQ(ParseLeadingInt(L"99999999999999999999"), 2147483647);
    EXPECT_EQ(ParseLeadingInt(L"-99999999999999999999"), -2147483647 - 1);
}
