#include "ui/panels/themes_panel_win.h"

#include <memory>

#include "app/ui_text_ids.h"
#include "graphics/hv_bitmap_state.h"
#include "theme/theme.h"
#include "theme/theme_library.h"
#include "ui/current_theme_win.h"
#include "ui/panels/effects_panel_win.h"
#include "ui/panels/options_panel_win.h"
#include "ui/panels/panel_layout_win.h"
#include "ui/panels/sounds_panel_win.h"
#include "ui/panels/trails_panel_win.h"
#include "ui/ui_metrics_win.h"
#include "ui/window_state_win.h"

namespace {

int gSelectedRow = -2;

// The arrow of the theme, as the options preview takes it.
std::unique_ptr<HVBitmapState> ArrowOf(CTheme& theme) {
    CCursor* arrow = theme.FindCursor(0, 1, 1);
    if (!arrow || !arrow->image) return nullptr;
    auto copy = std::make_unique<HVBitmapState>(L"Default", *arrow->image, true);
    copy->SetOpacity(255);
    return copy;
}

}  // namespace

void BuildThemesPanel() {
    CreatePanelHeading(PanelObject(Panel::Themes), uitext::kThemesHeading);
    CreatePanelHeading(PanelObject(Panel::Details), uitext::kDetailsHeading);
}

void FillThemeList() {}

int SelectedThemeRow() {
    return gSelectedRow;
}

void ApplyThemeRow(int index, bool takeParts) {
    if (index < 0) return;
    if (index == 0) {
        LoadThemeIntoUI(std::wstring(), false, takeParts);
    } else if (static_cast<size_t>(index - 1) < gThemeLibrary.cursorThemes.size()) {
        LoadThemeIntoUI(gThemeLibrary.cursorThemes[index - 1].path, true, takeParts);
    }
}

void LoadThemeIntoUI(const std::wstring& path, bool save, bool takeParts) {
    if (path.empty()) {
        ReleaseCurrentTheme();
    } else {
        auto loaded = std::make_unique<CTheme>();
        if (!loaded->Load(path, false)) return;
        if (!gCurrentTheme) {
            gCurrentTheme = std::move(loaded);
        } else {
            gCurrentTheme->TakeCursorsFrom(*loaded);
            if (takeParts) {
                gCurrentTheme->TakeSoundsFrom(*loaded);
                gCurrentTheme->TakeClickEffectsFrom(*loaded);
                if (loaded->contentFlags & kThemeHasTrails) SelectNoTrailRow();
                gCurrentTheme->TakeTrailsFrom(*loaded);
            }
        }
        gCurrentTheme->Rescale(gUiScale);
    }
    ShowThemeEffects(gCurrentTheme.get());
    ShowThemeSounds(gCurrentTheme.get());
    if (save) SaveCurrentTheme();
    SetOptionsPreviewSource(gCurrentTheme ? ArrowOf(*gCurrentTheme) : nullptr);
    RefreshOptionsPreview();
}
