#include "ui/apply_win.h"

#include "app/engine_control_win.h"
#include "ui/current_theme_win.h"
#include "ui/panels/options_panel_win.h"
#include "ui/panels/trails_panel_win.h"
#include "ui/window_state_win.h"

void ApplyToEngineFromWindow() {
    ApplyToEngine(gUi.window, gCurrentTheme != nullptr, [] {
        ResetTrailPreview();
        RefreshOptionsPreview();
    });
}
