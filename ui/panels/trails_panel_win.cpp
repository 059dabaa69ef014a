#include "ui/panels/trails_panel_win.h"

#include "app/ui_text_ids.h"
#include "ui/panels/panel_layout_win.h"
#include "ui/window_state_win.h"

void BuildTrailsPanel() {
    CreatePanelHeading(PanelObject(Panel::Trails), uitext::kTabTrails);
}

void SelectNoTrailRow() {}

void ResetTrailPreview() {}
