#include "ui/panels/themes_panel_win.h"

#include "app/ui_text_ids.h"
#include "ui/panels/panel_layout_win.h"
#include "ui/window_state_win.h"

void BuildThemesPanel() {
    CreatePanelHeading(PanelObject(Panel::Themes), uitext::kThemesHeading);
    CreatePanelHeading(PanelObject(Panel::Details), uitext::kDetailsHeading);
}

void FillThemeList() {}

void LoadThemeIntoUI(const std::wstring&, bool, bool) {}
