// Translation files found, read and chosen through the real file system, registry and locale data
// of the Wine session.
#include "services/translations_win.h"
#include "ui/language_choice_win.h"

#include <gtest/gtest.h>

#include <shlwapi.h>

#include "services/folders_win.h"
#include "services/settings_win.h"
#include "services/ui_text_ids.h"

namespace {

// A folder under %TEMP% removed with everything in it when the test ends.
class TempFolder {
public:
    TempFolder() {
        wchar_t base[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, base);
        path_ = std::wstring(base) + L"morvanta-lang-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                std::to_wstring(counter_++);
        CreateDirectoryW(path_.c_str(), nullptr);
    }
    ~TempFolder() { RemoveTree(path_); }
    const std::wstring& Path() const { return path_; }

    std::wstring Write(const std::wstring& relative, const std::string& bytes) const {
        const std::wstring file = path_ + L"\\" + relative;
        std::wstring folder = file.substr(0, file.rfind(L'\\'));
        for (size_t at = path_.size() + 1; at <= folder.size(); ++at)
            if (at == folder.size() || folder[at] == L'\\') CreateDirectoryW(folder.substr(0, at).c_str(), nullptr);
        HANDLE handle = CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        DWORD written = 0;
        WriteFile(handle, bytes.data(), DWORD(bytes.size()), &written, nullptr);
        CloseHandle(handle);
        return file;
    }
    void MakeFolder(const std::wstring& relative) const {
        CreateDirectoryW((path_ + L"\\" + relative).c_str(), nullptr);
    }

private:
    static void RemoveTree(const std::wstring& folder) {
        WIN32_FIND_DATAW entry;
        HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &entry);
        if (search != INVALID_HANDLE_VALUE) {
            do {
                const std::wstring name = entry.cFileName;
                if (name == L"." || name == L"..") continue;
                if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                    RemoveTree(folder + L"\\" + name);
                else
                    DeleteFileW((folder + L"\\" + name).c_str());
            } while (FindNextFileW(search, &entry));
            FindClose(search);
        }
        RemoveDirectoryW(folder.c_str());
    }
    static inline int counter_ = 0;
    std::wstring path_;
};

std::string Utf16LeWithMark(const std::wstring& text) {
    std::string bytes = "\xFF\xFE";
    for (wchar_t c : text) {
        bytes += char(c & 0xFF);
        bytes += char(c >> 8);
    }
    return bytes;
}

std::wstring Text(int number) {
    const wchar_t* text = UiText(number);
    return text ? text : L"<none>";
}

void SetLanguage(int32_t id) {
    CreateProductKeys();
    if (id == 0)
        RegDeleteKeyValueW(HKEY_CURRENT_USER, kProductKeyPath, kLanguageValue);
    else
        WriteProductDword(id, kLanguageValue);
}

class LanguageChoice : public ::testing::Test {
protected:
    void SetUp() override { gTranslations = Translations(); }
    void TearDown() override {
        SetLanguage(0);
        gTranslations = Translations();
    }
    TempFolder lang_;
};

}  // namespace

TEST(TextFiles, Utf16WithMarkAndAnsiGiveTheSameText) {
    TempFolder folder;
    const std::wstring utf16 = folder.Write(L"u.txt", Utf16LeWithMark(L"1=One\r\n12=a=b\r\n3=last"));
    const std::wstring ansi = folder.Write(L"a.txt", "1=One\r\n12=a=b\r\n3=last");
    EXPECT_EQ(ReadTextFile(utf16), L"1=One\r\n12=a=b\r\n3=last\r\n");
    EXPECT_EQ(ReadTextFile(ansi), ReadTextFile(utf16));
}

TEST(TextFiles, MissingTinyAndLockedFilesHoldNoText) {
    TempFolder folder;
    EXPECT_EQ(ReadTextFile(folder.Path() + L"\\missing.txt"), L"");
    EXPECT_EQ(ReadTextFile(folder.Write(L"two.txt", "1=")), L"");
    const std::wstring locked = folder.Write(L"locked.txt", "1=locked");
    HANDLE holder = CreateFileW(locked.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    EXPECT_EQ(ReadTextFile(locked), L"");
    CloseHandle(holder);
    EXPECT_EQ(ReadTextFile(locked), L"1=locked\r\n");
}

TEST_F(LanguageChoice, ChosenLanguageWithEnglishForItsMissingTexts) {
    lang_.Write(L"1031\\ui.txt", Utf16LeWithMark(L"1=Zeigerdesigns\r\n48=Gr\x00F6\x00DF"
                                                 L"e\r\n"));
    lang_.Write(L"1033\\ui.txt", "1=Cursor themes\r\n4=Apply\r\n48=Size\r\n");
    SetLanguage(1031);
    ASSERT_TRUE(LoadTranslationsFrom(lang_.Path()));
    EXPECT_TRUE(TranslationFound());
    EXPECT_EQ(Text(1), L"Zeigerdesigns");
    EXPECT_EQ(Text(48),
              L"Gr\x00F6\x00DF"
              L"e");
    EXPECT_EQ(Text(4), L"Apply");
    EXPECT_EQ(Text(5), L"<none>");
}

TEST_F(LanguageChoice, LanguageWithoutAFolderFallsBackToEnglishForBothTables) {
    lang_.Write(L"1031\\ui.txt", Utf16LeWithMark(L"1=Zeigerdesigns\r\n"));
    lang_.Write(L"1033\\ui.txt", "1=Cursor themes\r\n4=Apply");
    SetLanguage(1036);
    ASSERT_TRUE(LoadTranslationsFrom(lang_.Path()));
    EXPECT_FALSE(TranslationFound());
    EXPECT_EQ(*gTranslations.primary.Find(1), L"Cursor themes");
    EXPECT_EQ(*gTranslations.fallback.Find(4), L"Apply");
    EXPECT_EQ(gTranslations.primary.Count(), 2u);
}

TEST_F(LanguageChoice, NoFileAtAllLeavesBothTablesEmpty) {
    lang_.Write(L"1031\\ui.txt", Utf16LeWithMark(L"1=Zeigerdesigns\r\n"));
    ParseTranslations(L"1=stale\r\n", gTranslations.primary);
    SetLanguage(1036);
    EXPECT_FALSE(LoadTranslationsFrom(lang_.Path()));
    EXPECT_EQ(gTranslations.primary.Count() + gTranslations.fallback.Count(), 0u);
    EXPECT_EQ(UiText(1), nullptr);
}

TEST_F(LanguageChoice, ChosenFileWithoutEnglishBesideItHasNoFallback) {
    lang_.Write(L"1031\\ui.txt", Utf16LeWithMark(L"1=Zeigerdesigns\r\n"));
    SetLanguage(1031);
    ASSERT_TRUE(LoadTranslationsFrom(lang_.Path()));
    EXPECT_EQ(Text(1), L"Zeigerdesigns");
    EXPECT_EQ(gTranslations.fallback.Count(), 0u);
}

TEST_F(LanguageChoice, TheShippedEnglishFileAnswersEveryTextIdTheWindowAsks) {
    SetLanguage(1033);
    std::wstring program;
    ASSERT_TRUE(GetProgramFolder(program));
    ASSERT_TRUE(LoadTranslationsFrom(LanguageFolder())) << "no lang folder beside the test program";
    for (int id : uitext::kAllTextIds) EXPECT_NE(UiText(id), nullptr) << "text id " << id;
    EXPECT_EQ(Text(uitext::kWindowTitle), L"Morvanta Settings");
}

namespace {

// A drop-down list like the main window's language box, in a hidden parent.
class LanguageBox {
public:
    LanguageBox() {
        parent_ = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 400, 300, nullptr, nullptr, nullptr, nullptr);
        box_ = CreateWindowExW(0, L"COMBOBOX", L"", WS_CHILD | CBS_DROPDOWNLIST | CBS_SORT, 0, 0, 300, 300, parent_,
                               nullptr, nullptr, nullptr);
    }
    ~LanguageBox() { DestroyWindow(parent_); }
    HWND Handle() const { return box_; }
    int Count() const { return int(SendMessageW(box_, CB_GETCOUNT, 0, 0)); }
    std::wstring Selected() const {
        const LRESULT index = SendMessageW(box_, CB_GETCURSEL, 0, 0);
        if (index == CB_ERR) return L"<no selection>";
        wchar_t text[257] = {};
        SendMessageW(box_, CB_GETLBTEXT, WPARAM(index), LPARAM(text));
        return text;
    }

private:
    HWND parent_ = nullptr;
    HWND box_ = nullptr;
};

}  // namespace

TEST_F(LanguageChoice, ListShowsTheLanguageFoldersWithTheSystemsNamesAndSelectsTheChosenOne) {
    lang_.MakeFolder(L"1031");
    lang_.MakeFolder(L"1033");
    lang_.MakeFolder(L"1036");
    lang_.MakeFolder(L"notes");      // not a language
    lang_.Write(L"1040", "a file");  // not a folder
    const std::wstring german = LanguageDisplayName(1031), english = LanguageDisplayName(1033),
                       french = LanguageDisplayName(1036);
    ASSERT_FALSE(german.empty());
    ASSERT_NE(german, english);

    LanguageBox box;
    SetLanguage(1031);
    FillLanguageListFrom(box.Handle(), lang_.Path());
    EXPECT_EQ(box.Count(), 3);
    ASSERT_EQ(gTranslations.languages.size(), 3u);
    EXPECT_EQ(box.Selected(), german);
    EXPECT_EQ(FindLanguageId(german), 1031u);
    EXPECT_EQ(FindLanguageId(french), 1036u);

    // Filling again replaces the list; a chosen language without a folder selects English.
    SetLanguage(1040);
    FillLanguageListFrom(box.Handle(), lang_.Path());
    EXPECT_EQ(box.Count(), 3);
    EXPECT_EQ(gTranslations.languages.size(), 3u);
    EXPECT_EQ(box.Selected(), english);
}

TEST_F(LanguageChoice, WithoutTheChosenLanguageOrEnglishNothingIsSelected) {
    lang_.MakeFolder(L"1031");
    LanguageBox box;
    SetLanguage(1036);
    FillLanguageListFrom(box.Handle(), lang_.Path());
    EXPECT_EQ(box.Count(), 1);
    EXPECT_EQ(box.Selected(), L"<no selection>");
}
