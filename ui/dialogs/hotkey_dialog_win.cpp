#include "ui/dialogs/hotkey_dialog_win.h"

#include <commctrl.h>

#include "app/app_state_win.h"
#include "services/settings_win.h"
#include "services/translations.h"
#include "services/ui_text_ids.h"
#include "resources/resource_ids.h"

namespace {

// The hot-key control's format: virtual key in the low byte, modifier flags in the high byte.
constexpr int32_t kHotKeyBits = 0xFFFF;

void SetText(HWND dialog, int controlId, int textId) {
    if (const wchar_t* text = UiText(textId)) SetDlgItemTextW(dialog, controlId, text);
}

INT_PTR CALLBACK HotKeyDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
        case WM_INITDIALOG: {
            if (const wchar_t* title = UiText(uitext::kHotKey)) SetWindowTextW(dialog, title);
            SetText(dialog, IDC_HOTKEY_TEXT, uitext::kHotKeyPrompt);
            SetText(dialog, IDOK, uitext::kOk);
            SetText(dialog, IDCANCEL, uitext::kCancel);
            int32_t stored = kDefaultHotKey;
            ReadProductDword(stored, kHotKeyValue, kDefaultHotKey);
            SendDlgItemMessageW(dialog, IDC_HOTKEY, HKM_SETHOTKEY, static_cast<WPARAM>(stored & kHotKeyBits), 0);
            return TRUE;
        }
        case WM_COMMAND:
            if (LOWORD(wParam) == IDOK) {
                const LRESULT chosen = SendDlgItemMessageW(dialog, IDC_HOTKEY, HKM_GETHOTKEY, 0, 0);
                WriteProductDword(static_cast<int32_t>(chosen & kHotKeyBits), kHotKeyValue);
                EndDialog(dialog, 1);
                return TRUE;
            }
            if (LOWORD(wParam) == IDCANCEL) {
                EndDialog(dialog, 1);
                return TRUE;
            }
            break;
    }
    return FALSE;
}

}  // namespace

void ShowHotKeyDialog(HWND owner) {
    INITCOMMONCONTROLSEX classes = {sizeof classes, ICC_HOTKEY_CLASS};
    InitCommonControlsEx(&classes);
    DialogBoxParamW(gInstance, MAKEINTRESOURCEW(IDD_HOTKEY), owner, HotKeyDialogProc, 0);
}
