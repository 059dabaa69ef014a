#include "services/translations.h"

#include <gtest/gtest.h>

#include "base/text_encoding.h"

namespace {

// Text as the tests write it (ASCII) into the UTF-16 units the parser sees.
std::wstring W(const std::string& ascii) {
    return std::wstring(ascii.begin(), ascii.end());
}

TranslationTable Parse(const std::string& ascii) {
    TranslationTable table;
    ParseTranslations(W(ascii), table);
    return table;
}

std::string Text(const TranslationTable& table, int number) {
    const std::wstring* text = table.Find(number);
    return text ? text::Utf16ToUtf8(*text) : "<none>";
}

std::string Utf16LeWithMark(const std::string& ascii) {
    std::string bytes = "\xFF\xFE";
    for (char c : ascii) {
        bytes += c;
        bytes += '\0';
    }
    return bytes;
}

}  // namespace

TEST(TranslationLines, TextIsEverythingAfterTheFirstEqualsSignUnchanged) {
    const TranslationTable table = Parse("12=a=b\r\n13=  padded  \r\n14=\r\n");
    EXPECT_EQ(Text(table, 12), "a=b");
    EXPECT_EQ(Text(table, 13), "  padded  ");
    EXPECT_EQ(Text(table, 14), "");  // present, and empty
    EXPECT_EQ(table.Count(), 3u);
}

TEST(TranslationLines, NumberIsReadLikeADecimalIntegerUpToTheFirstNonDigit) {
    const TranslationTable table = Parse(" \t7=blank\n+8=plus\n9abc=trailing letters\n 10 =space before equals\n");
    EXPECT_EQ(Text(table, 7), "blank");
    EXPECT_EQ(Text(table, 8), "plus");
    EXPECT_EQ(Text(table, 9), "trailing letters");
    EXPECT_EQ(Text(table, 10), "space before equals");
}

TEST(TranslationLines, LinesOutsideOneTo149OrWithoutANumberAreIgnored) {
    const TranslationTable table = Parse(
        "0=zero\n150=too big\n-5=negative\n99999999999999999999=huge\n=no number\nabc=letters\n"
        "no equals sign\n149=last\n1=first\n");
    EXPECT_EQ(table.Count(), 2u);
    EXPECT_EQ(Text(table, 1), "first");
    EXPECT_EQ(Text(table, 149), "last");
}

TEST(TranslationLines, TheLaterLineWins) {
    EXPECT_EQ(Text(Parse("5=old\n5=new\n"), 5), "new");
}

TEST(TranslationLines, CrLfCrAndLfAllEndLinesAndEmptyLinesVanish) {
    const TranslationTable table = Parse("1=crlf\r\n2=cr\r3=lf\n\n\n4=after blank lines\r\n\r\n5=last without break");
    EXPECT_EQ(Text(table, 1), "crlf");
    EXPECT_EQ(Text(table, 2), "cr");
    EXPECT_EQ(Text(table, 3), "lf");
    EXPECT_EQ(Text(table, 4), "after blank lines");
    EXPECT_EQ(Text(table, 5), "last without break");
}

TEST(TranslationLines, ALongLineIsCutAt2047CharactersAndTheNextLineStillCounts) {
    const std::string longText(3000, 'x');
    const TranslationTable table = Parse("5=" + longText + "\r\n6=next\r\n");
    EXPECT_EQ(table.Find(5)->size(), kMaxLineChars - 2);
    EXPECT_EQ(Text(table, 6), "next");
    // The cut happens before the "=" is looked for.
    EXPECT_EQ(Parse(std::string(2047, ' ') + "7=x\n").Count(), 0u);
}

TEST(TextFileBytes, FilesOfTwoBytesOrLessHoldNoText) {
    EXPECT_EQ(DecodeTextFileBytes("", text::Cp1252ToWide), L"");
    EXPECT_EQ(DecodeTextFileBytes("\xFF\xFE", text::Cp1252ToWide), L"");
    EXPECT_EQ(DecodeTextFileBytes("1=", text::Cp1252ToWide), L"");
    EXPECT_EQ(DecodeTextFileBytes("1=a", text::Cp1252ToWide), W("1=a\r\n"));
}

TEST(TextFileBytes, Utf16WithMarkAndAnsiGiveTheSameTexts) {
    const std::string content = "1=One\r\n12=a=b\r\n150=ignored\r\n3=last line without a break";
    TranslationTable fromUtf16, fromAnsi;
    ParseTranslations(DecodeTextFileBytes(Utf16LeWithMark(content), text::Cp1252ToWide), fromUtf16);
    ParseTranslations(DecodeTextFileBytes(content, text::Cp1252ToWide), fromAnsi);
    for (int number = 0; number < kTextSlotCount; ++number) EXPECT_EQ(Text(fromUtf16, number), Text(fromAnsi, number));
    EXPECT_EQ(Text(fromAnsi, 3), "last line without a break");
    EXPECT_EQ(fromAnsi.Count(), 3u);
}

TEST(TextFileBytes, Utf16UnitsAreLittleEndianAndALastOddByteIsDropped) {
    // "1=" and the euro sign U+20AC, then half a unit.
    const char raw[] =
        "\xFF\xFE"
        "1\0=\0\xAC\x20"
        "Z";
    const std::string bytes(raw, sizeof raw - 1);
    std::wstring expected = W("1=");
    expected += wchar_t(0x20AC);
    expected += W("\r\n");
    EXPECT_EQ(DecodeTextFileBytes(bytes, text::Cp1252ToWide), expected);
}

TEST(TextFileBytes, Utf8MarkIsNotRecognisedAndSpoilsTheFirstLineOnly) {
    TranslationTable table;
    ParseTranslations(DecodeTextFileBytes("\xEF\xBB\xBF"
                                          "1=first\n2=second",
                                          text::Cp1252ToWide),
                      table);
    EXPECT_EQ(table.Find(1), nullptr);
    EXPECT_EQ(Text(table, 2), "second");
}

class UiTextLookup : public ::testing::Test {
protected:
    void SetUp() override { gTranslations.Clear(); }
    void TearDown() override { gTranslations.Clear(); }
};

TEST_F(UiTextLookup, ChosenLanguageFirstThenFallbackThenNone) {
    ParseTranslations(W("1=Eins\n2=\n"), gTranslations.primary);
    ParseTranslations(W("1=One\n2=Two\n3=Three\n"), gTranslations.fallback);
    EXPECT_EQ(std::wstring(UiText(1)), W("Eins"));
    EXPECT_EQ(std::wstring(UiText(2)), W(""));  // an empty translation is still a translation
    EXPECT_EQ(std::wstring(UiText(3)), W("Three"));
    EXPECT_EQ(UiText(4), nullptr);
    EXPECT_EQ(UiString(4), W(""));
    EXPECT_EQ(UiString(3), W("Three"));
}

TEST_F(UiTextLookup, NumbersOutsideTheTableHaveNoText) {
    ParseTranslations(W("149=last\n"), gTranslations.fallback);
    EXPECT_NE(UiText(149), nullptr);
    EXPECT_EQ(UiText(150), nullptr);
    EXPECT_EQ(UiText(-1), nullptr);
    EXPECT_EQ(UiText(0), nullptr);
}

TEST(LanguageList, FindsTheFirstExactMatchAndKeepsAtMost64Entries) {
    Translations translations;
    EXPECT_TRUE(translations.AddLanguage(1031, W("German")));
    EXPECT_TRUE(translations.AddLanguage(1033, W("English")));
    EXPECT_TRUE(translations.AddLanguage(2057, W("English")));
    std::swap(gTranslations.languages, translations.languages);
    EXPECT_EQ(FindLanguageId(W("English")), 1033u);
    EXPECT_EQ(FindLanguageId(W("german")), 0u);
    EXPECT_EQ(FindLanguageId(W("")), 0u);
    std::swap(gTranslations.languages, translations.languages);

    for (uint32_t id = 3; id < 100; ++id) translations.AddLanguage(id, W(std::string(300, 'n')));
    EXPECT_EQ(translations.languages.size(), kMaxLanguages);
    EXPECT_FALSE(translations.AddLanguage(5000, W("one more")));
    EXPECT_EQ(translations.languages.back().name.size(), kMaxLanguageNameChars);
}

TEST(LanguageList, FolderNamesMustBeALocaleNumber) {
    uint32_t id = 0;
    EXPECT_TRUE(ParseLanguageFolderName(W("1031"), id));
    EXPECT_EQ(id, 1031u);
    EXPECT_TRUE(ParseLanguageFolderName(W("0001033"), id));
    EXPECT_EQ(id, 1033u);
    for (const char* bad : {"", "0", "10x", "-1033", " 1033", "1234567890", "."})
        EXPECT_FALSE(ParseLanguageFolderName(W(bad), id)) << bad;
}
