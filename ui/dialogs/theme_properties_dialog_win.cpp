#include "ui/dialogs/theme_properties_dialog_win.h"

#include <string>

#include "app/app_state_win.h"
#include "resources/resource_ids.h"
#include "theme/theme_info.h"

namespace {

// An edit control wants CR LF between lines; theme descriptions often carry bare LF.
std::wstring WithWindowsLineEnds(const std::wstring& text) {
    std::wstring out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == L'\n' && (i == 0 || text[i - 1] != L'\r')) out += L'\r';
        out += text[i];
    }
    return out;
}

INT_PTR CALLBACK ThemePropertiesProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG: {
            const auto* record = reinterpret_cast<const THEME_INFO*>(lParam);
            SetDlgItemTextW(dialog, IDC_THEME_NAME, record->name.c_str());
            SetDlgItemTextW(dialog, IDC_THEME_AUTHOR, record->author.c_str());
            SetDlgItemTextW(dialog, IDC_THEME_VERSION, record->version.c_str());
            SetDlgItemTextW(dialog, IDC_THEME_WEBSITE, record->website.c_str());
            SetDlgItemTextW(dialog, IDC_THEME_EMAIL, record->email.c_str());
            SetDlgItemTextW(dialog, IDC_THEME_DESCRIPTION,
                            WithWindowsLineEnds(record->description.value_or(std::wstring())).c_str());
            return TRUE;
        }
        case WM_COMMAND:
            if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
                EndDialog(dialog, 1);
                return TRUE;
            }
            break;
    }
    return FALSE;
}

}  // namespace

void ShowThemePropertiesDialog(HWND owner, const THEME_INFO& record) {
    // The dialog reads its own copy: the library may be rebuilt while it is open.
    const THEME_INFO copy = record;
    DialogBoxParamW(gInstance, MAKEINTRESOURCEW(IDD_THEME_PROPERTIES), owner, ThemePropertiesProc,
                    reinterpret_cast<LPARAM>(&copy));
}
