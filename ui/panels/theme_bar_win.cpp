#include "ui/panels/theme_bar_win.h"

#include <windows.h>

#include <cwchar>

#include "base/text_encoding.h"
#include "graphics/hv_bitmap_state.h"
#include "services/folders_win.h"
#include "services/ui_text_ids.h"
#include "theme/theme_info.h"
#include "ui/controls/control_factory_win.h"
#include "ui/lists/hover_list_win.h"
#include "ui/panels/panel_layout_win.h"
#include "ui/panels/panel_trace_win.h"
#include "ui/panels/part_views_win.h"
#include "ui/panels/theme_list_layout.h"
#include "ui/ui_metrics_win.h"
#include "ui/web_links_win.h"
#include "ui/window_state_win.h"

namespace {

constexpr int kEditTheme = 5;
constexpr int kShowDetails = 6;
constexpr int kWebSite = 8;
constexpr int kProperties = 44;
constexpr int kDeleteTheme = 50;
constexpr int kEntryAbove = -1;

constexpr wchar_t kEditorProgram[] = L"ThemeEditor.exe";

void ShowIf(CTXObj* control, bool shown) {
    if (!control) return;
    if (shown)
        control->Show();
    else
        control->Hide();
}

wchar_t LowerAscii(wchar_t c) {
    return (c >= L'A' && c <= L'Z') ? wchar_t(c - L'A' + L'a') : c;
}

bool StartsWithIgnoringCase(const std::wstring& text, const wchar_t* prefix) {
    size_t i = 0;
    for (; prefix[i]; ++i)
        if (i >= text.size() || LowerAscii(text[i]) != prefix[i]) return false;
    return true;
}

}  // namespace

ThemeSelectionBar::ThemeSelectionBar(HoverList& list) : list_(list) {
    const ThemeBarLayout bar = ComputeThemeBarLayout(gUiScale);
    for (int i = 0; i < ThemeBarLayout::kButtons; ++i) {
        const ThemeBarButton& b = bar.buttons[i];
        CTXObj* button = CreateSizedImage(list.SelectionBar(), b.x, b.y, b.size, b.size, b.artwork);
        if (b.commandId == kDeleteTheme)
            if (auto* image = dynamic_cast<HVBitmapState*>(button->CurrentVisual())) image->AddShadow(1, 1, 4, 128, 0);
        MakeClickable(button, b.commandId);
        buttons_[i] = button;
    }
}

bool ThemeSelectionBar::Select(int row, const THEME_INFO* record) {
    if (row == row_) {
        list_.HideHover();
        if (row >= 0) list_.SelectionBar()->Show();
        return true;
    }
    if (row == kEntryAbove) {
        ShowButtons(true, true, true, true, false);
        list_.Select(HoverList::kNone);  // the bar sits on the entry above the list, out of the content's view
    } else if (row == 0) {
        ShowButtons(false, false, false, false, false);
        list_.Select(0);
    } else {
        if (!record) return false;
        const bool open = record->optionLock == 0;
        ShowButtons(true, open, true, !record->website.empty(), open);
        list_.Select(row);
    }
    row_ = row;
    PanelTrace("theme-selected " + std::to_string(row_));
    return true;
}

bool ThemeSelectionBar::IsButton(int commandId) {
    return commandId == kShowDetails || commandId == kEditTheme || commandId == kProperties || commandId == kWebSite ||
           commandId == kDeleteTheme;
}

void ThemeSelectionBar::ShowButtons(bool details, bool edit, bool properties, bool web, bool remove) {
    const bool shown[ThemeBarLayout::kButtons] = {details, edit, properties, web, remove};
    for (int i = 0; i < ThemeBarLayout::kButtons; ++i) ShowIf(buttons_[i], shown[i]);
}

namespace themecommands {

void StartEditor(const wchar_t* arguments) {
    std::wstring folder;
    if (!GetProgramFolder(folder)) return;
    const std::wstring editor = folder + L"\\" + kEditorProgram;
    if (GetFileAttributesW(editor.c_str()) == INVALID_FILE_ATTRIBUTES) {
        const std::wstring message = WithName(Text(uitext::kEditorMissing), editor);
        MessageBoxW(gUi.window, message.c_str(), L"Morvanta", MB_OK | MB_ICONERROR);
        return;
    }
    OpenWithShell(editor.c_str(), arguments);
}

void AskAndDelete(const std::wstring& path) {
    const size_t slash = path.find_last_of(L"\\/");
    const std::wstring file = slash == std::wstring::npos ? path : path.substr(slash + 1);
    const std::wstring question = WithName(Text(uitext::kConfirmDeleteTheme), file);
    if (MessageBoxW(gUi.window, question.c_str(), L"Morvanta", MB_YESNO | MB_ICONQUESTION) != IDYES) return;
    DeleteFileW(path.c_str());
    PanelTrace("theme-deleted " + text::Utf16ToUtf8(file));
}

bool IsWebAddress(const std::wstring& address) {
    for (wchar_t c : address)
        if (c < 0x20 || c == 0x7F) return false;
    for (const wchar_t* scheme : {L"http://", L"https://"})
        if (StartsWithIgnoringCase(address, scheme) && address.size() > std::wcslen(scheme)) return true;
    return false;
}

void OpenWebSite(const std::wstring& address) {
    if (address.empty()) return;
    if (!IsWebAddress(address)) {
        const std::wstring message = WithName(Text(uitext::kNotAWebAddress), address);
        MessageBoxW(gUi.window, message.c_str(), L"Morvanta", MB_OK | MB_ICONWARNING);
        PanelTrace("web-site refused " + text::Utf16ToUtf8(address));
        return;
    }
    OpenWithShellAsIs(address.c_str());
}

}  // namespace themecommands
