#include "ui/panels/options_panel_win.h"

#include "app/ui_text_ids.h"
#include "graphics/hv_bitmap_state.h"
#include "ui/panels/panel_layout_win.h"
#include "ui/window_state_win.h"

void BuildOptionsPanel() {
    CreatePanelHeading(PanelObject(Panel::Options), uitext::kTabOptions);
}

void SetOptionsPreviewSource(std::unique_ptr<HVBitmapState>) {}

void RefreshOptionsPreview() {}

void ResetOptions() {}

bool GlassCheckBoxExists() {
    return false;
}

void SetGlassCheckBoxVisible(bool) {}
