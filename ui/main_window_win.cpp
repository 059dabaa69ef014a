#include "ui/main_window_win.h"

#include <memory>
#include <string>

#include "app/app_state_win.h"
#include "services/folders_win.h"
#include "app/install_queue_win.h"
#include "services/settings_win.h"
#include "services/translations_win.h"
#include "ui/language_choice_win.h"
#include "services/ui_text_ids.h"
#include "graphics/hv_lock.h"
#include "graphics/hv_window_host_win.h"
#include "resources/resource_ids.h"
#include "theme/theme_library.h"
#include "ui/controls/control_events_win.h"
#include "ui/controls/ctx_obj_win.h"
#include "ui/controls/scroll_list_win.h"
#include "ui/current_theme_win.h"
#include "ui/dialog_failure_win.h"
#include "ui/glass_win.h"
#include "ui/keyboard_win.h"
#include "ui/panel_handler_win.h"
#include "ui/panels/about_panel_win.h"
#include "ui/panels/effects_panel_win.h"
#include "ui/panels/more_themes_panel_win.h"
#include "ui/panels/options_panel_win.h"
#include "ui/panels/sounds_panel_win.h"
#include "ui/panels/themes_panel_win.h"
#include "ui/panels/trails_panel_win.h"
#include "ui/sidebar_win.h"
#include "ui/ui_metrics_win.h"
#include "ui/window_events_win.h"
#include "ui/window_state_win.h"

namespace {

// Messages other parts of the program send to the window (message 0 with this wParam).
constexpr WPARAM kDestroyObject = 13;  // lParam: an object to destroy on this thread (a trail sprite)
constexpr WPARAM kReloadCurrentTheme = 14;
constexpr UINT kDwmCompositionChanged = 0x031E;

WindowEvents gWindowEvents;

HFONT gLanguageBoxFont = nullptr;

void SetWindowIcon(HWND window) {
    HICON icon = LoadIconW(gInstance, MAKEINTRESOURCEW(IDI_MORVANTA));
    SendMessageW(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
}

void SetLanguageBoxFont() {
    gLanguageBoxFont = CreateFontW(25, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, 0, 0,
                                   ANTIALIASED_QUALITY, 0, L"Segoe UI");
    SendMessageW(gUi.languageBox, WM_SETFONT, reinterpret_cast<WPARAM>(gLanguageBoxFont), TRUE);
}

void SizeClientArea(HWND window) {
    RECT rect = {0, 0, Scaled(800), Scaled(600)};
    AdjustWindowRectEx(&rect, static_cast<DWORD>(GetWindowLongW(window, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongW(window, GWL_EXSTYLE)));
    SetWindowPos(window, nullptr, 0, 0, rect.right - rect.left, rect.bottom - rect.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void BuildWindow(HWND window) {
    SetLanguageBoxFont();
    SizeClientArea(window);
    ScanThemeLibrary();
    std::wstring currentThemePath;
    GetCurrentThemePath(currentThemePath);
    CreateProductKeys();
    LoadSettings();

    SetControlWindow(window);
    SetControlEvents(&gWindowEvents);
    // The window's thread holds the library's lock while it builds: the many objects made here
    // then take it without waiting for the platform lock each time.
    hvlock::Guard building(hvlock::kChangeTimeout);
    gUi.root = new CTXObj(HVK_WRAPPED, CreateWindowHost(window));
    gUi.root->SetParent(gHVObjects.root);
    gUi.root->Create();
    BuildSidebarAndPanels();
    BuildThemesPanel();
    BuildEffectsPanel();
    BuildTrailsPanel();
    BuildSoundsPanel();
    BuildMoreThemesPanel();
    BuildOptionsPanel();
    BuildAboutPanel();
    ShowPanel(Panel::Themes);

    if (!currentThemePath.empty() && GetFileAttributesW(currentThemePath.c_str()) != INVALID_FILE_ATTRIBUTES)
        LoadThemeIntoUI(currentThemePath, false, true);
    std::wstring themes;
    if (GetThemesFolder(themes)) CreateDirectoryW((themes + L"\\Preview").c_str(), nullptr);

    FillThemeList();
    SelectFirstEffectEvent();
    SelectFirstSoundEvent();
    UpdateGlass();
    RefreshOptionsPreview();
    gUi.root->Show();
    keyboard::Attach();
    InvalidateRect(window, nullptr, FALSE);
    SetProcessWorkingSetSize(GetCurrentProcess(), static_cast<SIZE_T>(-1), static_cast<SIZE_T>(-1));
}

void OnInitDialog(HWND window) {
    gMainWindow = gUi.window = window;
    gUi.languageBox = GetDlgItem(window, kLanguageBoxId);
    // A second start finds the running window by this marker.
    SetWindowLongPtrW(window, GWLP_USERDATA, kMainWindowMarker);
    SetWindowIcon(window);
    const wchar_t* title = UiText(uitext::kWindowTitle);
    SetWindowTextW(window, title ? title : L"Morvanta");
    BuildWindow(window);
}

std::wstring CopiedText(const COPYDATASTRUCT* data) {
    if (!data || !data->lpData) return std::wstring();
    // The text is zero-terminated; cbData only bounds how far it may be read.
    const auto* chars = static_cast<const wchar_t*>(data->lpData);
    const size_t limit = data->cbData / sizeof(wchar_t);
    size_t length = 0;
    while (length < limit && chars[length] != L'\0') ++length;
    return std::wstring(chars, length);
}

void OnThemesFolderChanged(HWND window) {
    KillTimer(window, kThemesChangedTimer);
    ScanThemeLibrary();
    NotifyLibraryChanged();
}

void ReloadCurrentTheme() {
    std::wstring path;
    GetCurrentThemePath(path);
    LoadThemeIntoUI(path, false, true);
}

INT_PTR CALLBACK MainDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG:
            OnInitDialog(window);
            return TRUE;
        case WM_NULL:
            if (wParam == kDestroyObject && lParam) {
                auto* object = reinterpret_cast<HVObj*>(lParam);
                if (HVObj::IsLive(object)) delete object;
            } else if (wParam == kReloadCurrentTheme) {
                ReloadCurrentTheme();
            }
            return FALSE;
        case WM_COPYDATA:
            QueueThemeFile(CopiedText(reinterpret_cast<const COPYDATASTRUCT*>(lParam)), window);
            SetWindowLongPtrW(window, DWLP_MSGRESULT, TRUE);
            return TRUE;
        case WM_TIMER:
            if (wParam == kThemesChangedTimer) {
                OnThemesFolderChanged(window);
            } else if (ScrollList* list = ScrollList::ForTimer(static_cast<UINT>(wParam))) {
                list->OnTimer(static_cast<UINT>(wParam));
            }
            return FALSE;
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
            keyboard::OnMouseInput();  // the focus ring shows only while the keyboard is in use
            return FALSE;
        case kDwmCompositionChanged:
            UpdateGlass();
            return FALSE;
        case WM_COMMAND:
            if (LOWORD(wParam) == IDCANCEL) EndDialog(window, 1);
            if (LOWORD(wParam) == kLanguageBoxId && HIWORD(wParam) == CBN_SELCHANGE)
                ChangeLanguage(window, gUi.languageBox);
            return FALSE;
    }
    return FALSE;
}

void TearDownWindow() {
    keyboard::Detach();
    SetControlEvents(nullptr);
    UnregisterPanelHandlers();
    ReleaseCurrentTheme();
    delete gUi.root;
    gUi = UiState{};
    if (gLanguageBoxFont) DeleteObject(gLanguageBoxFont);
    gLanguageBoxFont = nullptr;
}

}  // namespace

INT_PTR RunMainWindow(HINSTANCE instance) {
    const INT_PTR result = DialogBoxParamW(instance, MAKEINTRESOURCEW(kMainDialogId), nullptr, MainDialogProc, 0);
    DWORD error = GetLastError();  // the reason of a failure, before the tear-down's calls
    if (result == -1 && error == ERROR_SUCCESS) error = DialogCreationError(instance, kMainDialogId);
    TearDownWindow();
    if (result == -1) SetLastError(error);
    return result;
}
