#include "ui/panels/sounds_panel_win.h"

#include "app/ui_text_ids.h"
#include "ui/panels/panel_layout_win.h"
#include "ui/window_state_win.h"

void BuildSoundsPanel() {
    CreatePanelHeading(PanelObject(Panel::Sounds), uitext::kTabSounds);
}

void SelectFirstSoundEvent() {
    gUi.currentSubList = 1;
}

void ShowThemeSounds(const CTheme*) {}
