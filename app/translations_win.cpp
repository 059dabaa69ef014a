#include "app/translations_win.h"

#include <shellapi.h>
#include <shlwapi.h>

#include "app/app_state_win.h"
#include "app/folders_win.h"
#include "app/settings_win.h"

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

void FillLanguageListFrom(HWND comboBox, const std::wstring& languageFolder) {
    gTranslations.languages.clear();
    SendMessageW(comboBox, CB_RESETCONTENT, 0, 0);
    WIN32_FIND_DATAW entry;
    HANDLE search = FindFirstFileW((languageFolder + L"\\*").c_str(), &entry);
    if (search != INVALID_HANDLE_VALUE) {
        // "." and ".." are recognised by name, not by their place: not every file system lists
        // them first, and a language folder must not be lost for it.
        do {
            if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) continue;
            uint32_t id = 0;
            if (!ParseLanguageFolderName(entry.cFileName, id)) continue;
            // A folder the system knows no language for cannot be shown, nor told apart.
            const std::wstring name = LanguageDisplayName(id);
            if (name.empty()) continue;
            if (!gTranslations.AddLanguage(id, name)) break;
            SendMessageW(comboBox, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
        } while (FindNextFileW(search, &entry));
        FindClose(search);
    }

    LRESULT index = CB_ERR;
    for (uint32_t id : {ChosenLanguageId() & 0xFFFF, kFallbackLanguage}) {
        const std::wstring name = LanguageDisplayName(id);
        if (!name.empty()) index = SendMessageW(comboBox, CB_FINDSTRINGEXACT, WPARAM(-1), LPARAM(name.c_str()));
        if (index != CB_ERR) break;
    }
    SendMessageW(comboBox, CB_SETCURSEL, WPARAM(index), 0);
}

void FillLanguageList(HWND comboBox) {
    FillLanguageListFrom(comboBox, LanguageFolder());
}

namespace {

// Starts a new instance and ends this one. The single-instance mutex is released and the window
// loses its title and marker first, so that the new instance neither forwards to this one nor
// finds its window.
void RestartProgram(HWND mainWindow) {
    wchar_t programPath[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, programPath, MAX_PATH);
    if (gSingleInstanceMutex) {
        CloseHandle(gSingleInstanceMutex);
        gSingleInstanceMutex = nullptr;
    }
    SetWindowTextW(mainWindow, L"");
    SetWindowLongPtrW(mainWindow, GWLP_USERDATA, 0);
    SHELLEXECUTEINFOW start = {};
    start.cbSize = sizeof start;
    start.fMask = SEE_MASK_DOENVSUBST;
    start.lpFile = programPath;
    start.nShow = SW_SHOWNORMAL;
    ShellExecuteExW(&start);
    PostQuitMessage(1);  // ends the modal main window; the process then exits normally
}

}  // namespace

void ChangeLanguage(HWND mainWindow, HWND languageBox) {
    wchar_t chosen[257] = {};
    GetWindowTextW(languageBox, chosen, 257);
    WriteProductDword(int32_t(FindLanguageId(chosen)), kLanguageValue);
    if (MessageBoxW(mainWindow, UiText(78), L"Morvanta", MB_ICONQUESTION | MB_YESNO) == IDYES)
        RestartProgram(mainWindow);
}
