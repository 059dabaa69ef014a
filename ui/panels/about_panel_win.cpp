#include "ui/panels/about_panel_win.h"

#include <windows.h>

#include <string>

#include "services/folders_win.h"
#include "services/translations.h"
#include "services/translations_win.h"
#include "ui/language_choice_win.h"
#include "services/ui_text_ids.h"
#include "resources/artwork_ids.h"
#include "ui/panel_handler_win.h"
#include "ui/panels/panel_layout_win.h"
#include "ui/panels/panel_trace_win.h"
#include "ui/panels/part_views_win.h"
#include "ui/ui_metrics_win.h"
#include "ui/web_links_win.h"
#include "ui/window_state_win.h"

namespace {

constexpr int kProductPageCommand = 53;
constexpr int kWikiCommand = 54;
constexpr int kTranslateCommand = 97;
constexpr int kHelpCommand = 96;
constexpr wchar_t kHelpFile[] = L"Morvanta.CHM";
constexpr wchar_t kTranslateText[] = L"Translate Morvanta into your language!";

// The help file is installed beside the program; a missing one is said, not silently ignored.
void OpenHelpFile() {
    std::wstring folder;
    if (!GetProgramFolder(folder)) return;
    const std::wstring path = folder + L"\\" + kHelpFile;
    if (GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES) {
        PanelTrace("help-missing");
        ShowInformation(WithName(Text(uitext::kHelpMissing), path));
        return;
    }
    OpenWithShell(path.c_str());
}

class AboutHandler : public PanelHandler {
public:
    bool OnCommand(CTXObj*, int commandId) override {
        switch (commandId) {
            case kProductPageCommand:
                OpenWithShell(weblinks::kProductPage);
                return true;
            case kWikiCommand:
                OpenWithShell(weblinks::kWiki);
                return true;
            case kTranslateCommand:
                OpenWithShell(weblinks::kTranslationGuide);
                return true;
            case kHelpCommand:
                OpenHelpFile();
                return true;
        }
        return false;
    }
};
AboutHandler gAbout;

}  // namespace

void BuildAboutPanel() {
    using namespace panelstyle;
    CTXObj* panel = PanelObject(Panel::About);
    const int width = ControlWidth(panel);
    CTXObj* banner = CreateSizedImage(panel, 0, 0, width, Scaled(130) * width / Scaled(551), IDP_BANNER);
    int y = ControlHeight(banner) + Scaled(10);
    const TextStyle link = Text(kSmallPoints, kLinkBlue);
    CTXObj* product =
        CreateLinkButton(panel, Scaled(kMargin), y, kProductPageCommand, Text(uitext::kProductWebPage), link);
    y += ControlHeight(product) + Scaled(10);
    CTXObj* wiki = CreateLinkButton(panel, Scaled(kMargin), y, kWikiCommand, Text(uitext::kOnlineWiki), link);
    y += ControlHeight(wiki) + Scaled(10);
    CTXObj* help = CreateLinkButton(panel, Scaled(kMargin), y, kHelpCommand, Text(uitext::kHelpLink), link);
    y += ControlHeight(help) + Scaled(10);
    CTXObj* label = CreateTextLabel(panel, Scaled(kMargin), y, Text(uitext::kLanguageLabel), Text(kSmallPoints, kInk));
    y += ControlHeight(label) + Scaled(10);
    if (!TranslationFound()) {
        CTXObj* translate = CreateLinkButton(panel, Scaled(kMargin), y, kTranslateCommand, kTranslateText, link);
        y += ControlHeight(translate) + Scaled(10);
    }
    // The language box is a real combo box of the dialog, placed in window coordinates and shown
    // only with this panel.
    if (gUi.languageBox) {
        SetWindowPos(gUi.languageBox, HWND_TOP, Scaled(266), y, Scaled(300), Scaled(300), SWP_NOACTIVATE);
        ShowWindow(gUi.languageBox, SW_HIDE);
        EnableWindow(gUi.languageBox, FALSE);
        FillLanguageList(gUi.languageBox);
    }
    RegisterPanelHandler(&gAbout);
}
