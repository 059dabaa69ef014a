#include "base/text_encoding.h"

#include <gtest/gtest.h>

TEST(TextEncoding, Cp1252RoundTripsEveryMappedCharacter) {
    std::string all;
    for (int b = 1; b < 256; ++b) all += char(b);
    const std::wstring wide = text::Cp1252ToWide(all);
    ASSERT_EQ(wide.size(), all.size());
    EXPECT_EQ(wide[0x80 - 1], L'\u20AC');  // euro sign
    EXPECT_EQ(wide[0xE9 - 1], L'\u00E9');
    EXPECT_EQ(text::WideToCp1252(wide), all);
}

TEST(TextEncoding, CharactersOutsideCp1252BecomeQuestionMarks) {
    EXPECT_EQ(text::WideToCp1252(L"a\u4E2Db"), "a?b");
}

TEST(TextEncoding, Utf8RoundTripsSurrogatePairsAndReplacesBrokenInput) {
    const std::wstring wide = {L'A', wchar_t(0xD83D), wchar_t(0xDE00), L'\u00E9'};  // A, U+1F600, é
    const std::string utf8 = text::Utf16ToUtf8(wide);
    EXPECT_EQ(utf8, "A\xF0\x9F\x98\x80\xC3\xA9");
    EXPECT_EQ(text::Utf8ToUtf16(utf8), wide);
    EXPECT_EQ(text::Utf16ToUtf8(std::wstring(1, wchar_t(0xD800))), "\xEF\xBF\xBD");
    EXPECT_EQ(text::Utf8ToUtf16("\xC3"), std::wstring(1, wchar_t(0xFFFD)));
    EXPECT_EQ(text::Utf8ToUtf16("\xE0\x80\x80"), std::wstring(1, wchar_t(0xFFFD)));  // overlong
}
