#include "ui/panels/effects_panel_win.h"

#include "app/ui_text_ids.h"
#include "ui/panels/panel_layout_win.h"
#include "ui/window_state_win.h"

void BuildEffectsPanel() {
    CreatePanelHeading(PanelObject(Panel::Effects), uitext::kTabEffects);
}

void SelectFirstEffectEvent() {
    gUi.currentSubList = 1;
}

void ShowThemeEffects(const CTheme*) {}
