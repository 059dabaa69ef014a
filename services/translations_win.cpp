#include "services/translations_win.h"

#include <shellapi.h>
#include <shlwapi.h>

#include "services/folders_win.h"
#include "services/settings_win.h"

namespace {

constexpr wchar_t kTextFileName[] = L"ui.txt";

std::wstring AnsiToWide(const std::string& bytes) {
    if (bytes.empty()) return std::wstring();
    const int length = MultiByteToWideChar(CP_ACP, 0, bytes.data(), int(bytes.size()), nullptr, 0);
    if (length <= 0) return std::wstring();
    std::wstring text(size_t(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, bytes.data(), int(bytes.size()), &text[0], length);
    return text;
}

std::wstring LanguageFilePath(const std::wstring& languageFolder, uint32_t id) {
    return languageFolder + L"\\" + std::to_wstring(id) + L"\\" + kTextFileName;
}

}  // namespace

std::wstring ReadTextFile(const std::wstring& path) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return std::wstring();
    std::string bytes;
    LARGE_INTEGER size = {};
    if (GetFileSizeEx(file, &size) && size.QuadPart > 2 && uint64_t(size.QuadPart) <= kMaxTextFileBytes) {
        bytes.resize(size_t(size.QuadPart));
        size_t done = 0;
        DWORD read = 0;
        while (done < bytes.size() && ReadFile(file, &bytes[done], DWORD(bytes.size() - done), &read, nullptr) &&
               read > 0)
            done += read;
        bytes.resize(done);  // a file that shrank while being read gives what was there
    }
    CloseHandle(file);
    return DecodeTextFileBytes(bytes, AnsiToWide);
}

std::wstring LanguageFolder() {
    std::wstring folder;
    GetProgramFolder(folder);
    return folder + L"\\lang";
}

uint32_t ChosenLanguageId() {
    int32_t language = 0;
    ReadProductDword(language, kLanguageValue, 0);
    return language != 0 ? uint32_t(language) : uint32_t(GetUserDefaultLangID());
}

bool LoadTranslationsFrom(const std::wstring& languageFolder) {
    gTranslations.Clear();
    const std::wstring fallbackPath = LanguageFilePath(languageFolder, kFallbackLanguage);
    std::wstring path = LanguageFilePath(languageFolder, ChosenLanguageId());
    gTranslations.found = PathFileExistsW(path.c_str()) != FALSE;
    if (!gTranslations.found) {
        path = fallbackPath;
        if (!PathFileExistsW(path.c_str())) return false;
    }
    ParseTranslations(ReadTextFile(path), gTranslations.primary);
    ParseTranslations(ReadTextFile(fallbackPath), gTranslations.fallback);
    return true;
}

bool LoadTranslations() {
    if (LoadTranslationsFrom(LanguageFolder())) return true;
    MessageBoxW(nullptr, L"Could not find translation file", L"Morvanta", MB_ICONERROR);
    return false;
}

std::wstring LanguageDisplayName(uint32_t id) {
    wchar_t name[kMaxLanguageNameChars + 1] = {};
    if (GetLocaleInfoW(LCID(id), LOCALE_SLANGUAGE, name, int(kMaxLanguageNameChars + 1)) == 0) return std::wstring();
    return name;
}
