#include "ui/main_window_win.h"

#include <string>

#include "app/app_state_win.h"
#include "app/install_queue_win.h"
#include "app/settings_win.h"
#include "app/translations_win.h"
#include "app/ui_text_ids.h"

namespace {

INT_PTR CALLBACK MainDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG:
            gMainWindow = window;
            // A second start finds the running window by this marker.
            SetWindowLongPtrW(window, GWLP_USERDATA, kMainWindowMarker);
            SetWindowTextW(window, UiText(uitext::kWindowTitle) ? UiText(uitext::kWindowTitle) : L"Morvanta");
            // The write routines never create the settings key: it is made here, once.
            CreateProductKeys();
            LoadSettings();
            FillLanguageList(GetDlgItem(window, kLanguageBoxId));
            return TRUE;
        case WM_COPYDATA: {
            const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
            std::wstring argument;
            if (data && data->lpData) {
                // The text is zero-terminated; cbData only bounds how far it may be read.
                const auto* chars = static_cast<const wchar_t*>(data->lpData);
                const size_t limit = data->cbData / sizeof(wchar_t);
                size_t length = 0;
                while (length < limit && chars[length] != L'\0') ++length;
                argument.assign(chars, length);
            }
            QueueThemeFile(argument, window);
            SetWindowLongPtrW(window, DWLP_MSGRESULT, TRUE);
            return TRUE;
        }
        case WM_TIMER:
            if (wParam == kThemesChangedTimer) KillTimer(window, kThemesChangedTimer);
            return TRUE;
        case WM_COMMAND:
            if (LOWORD(wParam) == IDCANCEL) EndDialog(window, 1);
            if (LOWORD(wParam) == kLanguageBoxId && HIWORD(wParam) == CBN_SELCHANGE)
                ChangeLanguage(window, GetDlgItem(window, kLanguageBoxId));
            return TRUE;
    }
    return FALSE;
}

}  // namespace

void RunMainWindow(HINSTANCE instance) {
    DialogBoxParamW(instance, MAKEINTRESOURCEW(kMainDialogId), nullptr, MainDialogProc, 0);
}
