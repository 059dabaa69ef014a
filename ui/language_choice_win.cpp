#include "ui/language_choice_win.h"

#include <shellapi.h>

#include "app/app_state_win.h"
#include "services/settings_win.h"
#include "services/translations_win.h"

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
