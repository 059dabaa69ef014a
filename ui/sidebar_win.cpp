#include "ui/sidebar_win.h"

#include "services/translations.h"
#include "services/ui_text_ids.h"
#include "resources/artwork_ids.h"
#include "ui/controls/control_factory_win.h"
#include "ui/panel_handler_win.h"
#include "ui/ui_metrics_win.h"

UiState gUi;

namespace {

struct Tab {
    int textId;
    int icon;
    int commandId;
    Panel panel;
};

// Top to bottom.
constexpr Tab kTabs[kTabCount] = {
    {uitext::kTabThemes, IDP_ICON_THEMES, 2, Panel::Themes},
    {uitext::kTabEffects, IDP_ICON_EFFECTS, 60, Panel::Effects},
    {uitext::kTabTrails, IDP_ICON_TRAILS, 79, Panel::Trails},
    {uitext::kTabSounds, IDP_ICON_SOUNDS, 102, Panel::Sounds},
    {uitext::kTabMoreThemes, IDP_ICON_MORE_THEMES, 3, Panel::MoreThemes},
    {uitext::kTabOptions, IDP_ICON_OPTIONS, 29, Panel::Options},
    {uitext::kTabAbout, IDP_ICON_ABOUT, 25, Panel::About},
};

// The back link of the details panel shows the themes panel like its tab.
constexpr int kBackToThemesCommand = 35;

constexpr uint32_t kTabInk = 0x222222;

int TabOf(Panel panel) {
    for (int i = 0; i < kTabCount; ++i)
        if (kTabs[i].panel == panel) return i;
    return -1;
}

// The tab commands.
class Navigation : public PanelHandler {
public:
    bool OnCommand(CTXObj*, int commandId) override {
        Panel panel;
        if (!PanelOfTabCommand(commandId, &panel)) return false;
        ShowPanel(panel);
        return true;
    }
};
Navigation gNavigation;

}  // namespace

bool IsPanelShown(Panel panel) {
    CTXObj* object = PanelObject(panel);
    return object && object->IsVisible() && !object->IsInState(hvstate::kHide);
}

bool PanelOfTabCommand(int commandId, Panel* panel) {
    if (commandId == kBackToThemesCommand) {
        *panel = Panel::Themes;
        return true;
    }
    for (const Tab& tab : kTabs) {
        if (tab.commandId == commandId) {
            *panel = tab.panel;
            return true;
        }
    }
    return false;
}

void BuildSidebarAndPanels() {
    CTXObj* root = gUi.root;
    CreateSizedImage(root, 0, 0, Scaled(250), Scaled(600), IDP_SIDEBAR);
    const int tabHeight = Scaled(48);
    for (int i = 0; i < kTabCount; ++i) {
        gUi.tabs[i] =
            CreateListItem(root, 0, Scaled(10) + tabHeight * i, Scaled(250), tabHeight, IDP_TAB_OVER, IDP_TAB_SELECTED);
        gUi.tabs[i]->commandId = kTabs[i].commandId;
    }
    // Labels and icons lie over the tabs rather than inside them: a tab's looks fade to nothing
    // when it is neither hovered nor selected, and what is inside an object fades with it.
    TextStyle label;
    label.points = 14;
    label.colour = kTabInk;
    for (int i = 0; i < kTabCount; ++i) {
        const int top = Scaled(10) + tabHeight * i;
        const wchar_t* text = UiText(kTabs[i].textId);
        CTXObj* caption = CreateTextLabel(root, Scaled(36), top, text ? text : L"", label);
        caption->Move(Scaled(36), top + (tabHeight - ControlHeight(caption)) / 2);
        CreateSizedImage(root, Scaled(8), top + (tabHeight - Scaled(16)) / 2, Scaled(16), Scaled(16), kTabs[i].icon);
    }

    const int x = Scaled(250) - 1;
    const int width = Scaled(800) - Scaled(250) + 1;
    for (int i = 0; i < kPanelCount; ++i) gUi.panels[i] = CreateFadePanel(root, x, 0, width, Scaled(600), IDP_PANEL);
    PanelObject(Panel::About)->commandId = kAboutPanelCommand;
    RegisterPanelHandler(&gNavigation);
}

void ShowPanel(Panel target) {
    if (IsPanelShown(target)) return;
    for (int i = 0; i < kPanelCount; ++i) {
        CTXObj* panel = gUi.panels[i];
        if (static_cast<Panel>(i) != target && panel->IsVisible() && !panel->IsInState(hvstate::kHide))
            panel->ChangeState(hvstate::kHide);
    }
    const int targetTab = TabOf(target);
    for (int i = 0; i < kTabCount; ++i)
        if (i != targetTab && gUi.tabs[i]->IsInState(hvstate::kSelected)) gUi.tabs[i]->ChangeState(hvstate::kAway);
    CTXObj* panel = PanelObject(target);
    panel->ChangeState(hvstate::kShow);
    panel->OnTop();
    panel->Show();
    if (targetTab >= 0) gUi.tabs[targetTab]->ChangeState(hvstate::kSelected);
    if (target == Panel::Effects) gUi.currentSubList = 0;
}
