// The language files the product ships: each must carry a text for every text id the window asks
// for, and nothing the window does not know.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <set>
#include <sstream>

#include "base/text_encoding.h"
#include "services/translations.h"
#include "services/ui_text_ids.h"

namespace {

std::string ReadBytes(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

std::string LanguageFile(int id) {
    return std::string(MORVANTA_SOURCE_DIR) + "/lang/" + std::to_string(id) + "/ui.txt";
}

TranslationTable LoadLanguage(int id) {
    TranslationTable table;
    ParseTranslations(DecodeTextFileBytes(ReadBytes(LanguageFile(id)), text::Cp1252ToWide), table);
    return table;
}

size_t Occurrences(const std::wstring& text, const std::wstring& part) {
    size_t count = 0;
    for (size_t at = text.find(part); at != std::wstring::npos; at = text.find(part, at + 1)) ++count;
    return count;
}

class ShippedLanguage : public ::testing::TestWithParam<int> {};

}  // namespace

TEST(TextIdList, IdsAreUniqueAndInRange) {
    std::set<int> seen;
    for (int id : uitext::kAllTextIds) {
        EXPECT_TRUE(seen.insert(id).second) << "text id listed twice: " << id;
        EXPECT_GE(id, 1);
        EXPECT_LT(id, kTextSlotCount);
    }
}

TEST_P(ShippedLanguage, HasANonEmptyTextForEveryTextIdAndNoOthers) {
    const TranslationTable table = LoadLanguage(GetParam());
    ASSERT_GT(table.Count(), 0u) << LanguageFile(GetParam());
    for (int id : uitext::kAllTextIds) {
        const std::wstring* text = table.Find(id);
        ASSERT_NE(text, nullptr) << "text id " << id << " missing";
        EXPECT_FALSE(text->empty()) << "text id " << id << " is empty";
        EXPECT_NE(text->back(), L' ') << "text id " << id << " ends in a space";
    }
    // Lines the window never asks for are most likely a mistyped number.
    const std::set<int> known(std::begin(uitext::kAllTextIds), std::end(uitext::kAllTextIds));
    for (int id = 0; id < kTextSlotCount; ++id)
        if (table.Find(id)) EXPECT_TRUE(known.count(id)) << "text id " << id << " is not used by the window";
}

TEST_P(ShippedLanguage, FormatTextsHaveExactlyOnePlaceForTheirFileName) {
    const TranslationTable table = LoadLanguage(GetParam());
    for (int id :
         {uitext::kConfirmDeleteTheme, uitext::kSoundUnreadable, uitext::kHelpMissing, uitext::kEditorMissing}) {
        const std::wstring text = *table.Find(id);
        EXPECT_EQ(Occurrences(text, L"%s"), 1u) << "text id " << id;
        EXPECT_EQ(Occurrences(text, L"%"), 1u) << "text id " << id;
    }
}

INSTANTIATE_TEST_SUITE_P(English, ShippedLanguage, ::testing::Values(1033));
INSTANTIATE_TEST_SUITE_P(German, ShippedLanguage, ::testing::Values(1031));

TEST(ShippedLanguageEncoding, EnglishIsPlainAsciiSoEveryAnsiCodePageReadsItAlike) {
    const std::string bytes = ReadBytes(LanguageFile(1033));
    ASSERT_FALSE(bytes.empty());
    for (unsigned char c : bytes) ASSERT_LT(c, 0x80);
}

TEST(ShippedLanguageEncoding, GermanIsUtf16WithByteOrderMarkAndCrLfLines) {
    const std::string bytes = ReadBytes(LanguageFile(1031));
    ASSERT_GE(bytes.size(), 4u);
    EXPECT_EQ(bytes.substr(0, 2), "\xFF\xFE");
    const std::wstring text = DecodeTextFileBytes(bytes, text::Cp1252ToWide);
    EXPECT_EQ(Occurrences(text, L"\n"), Occurrences(text, L"\r\n"));
    // An umlaut survives: the file is not 8-bit text in disguise.
    EXPECT_NE(LoadLanguage(1031).Find(uitext::kSize)->find(wchar_t(0x00DF)), std::wstring::npos);  // "Größe"
}
