#include "ui/panels/part_views_win.h"

#include <windows.h>

#include <algorithm>

#include "graphics/hv_bitmap_state.h"
#include "services/folders_win.h"
#include "services/ui_text_ids.h"
#include "theme/theme.h"
#include "ui/panels/panel_layout_win.h"
#include "ui/panels/part_panels_layout_win.h"
#include "ui/ui_metrics_win.h"
#include "ui/controls/ctx_obj_win.h"
#include "ui/current_theme_win.h"
#include "ui/window_state_win.h"

std::unique_ptr<HVBitmapState> PreviewCopy(const HVBitmapState& image, const std::wstring& name, int maxWidth,
                                           int maxHeight, bool grow) {
    auto copy = std::make_unique<HVBitmapState>(name, image, true);
    copy->SetOffset(0, 0);
    copy->SetHitMode(HVH_NEVER);
    if (copy->FrameCount() > 1)
        copy->SetAnimation(copy->FrameCount(), copy->FrameDelay(), copy->ModeFlags() | HVS_LOOP);
    const int width = std::max(copy->Width(), 1);
    const int height = std::max(copy->Height(), 1);
    const double scale = std::min(double(maxWidth) / width, double(maxHeight) / height);
    if (scale < 1.0 || (grow && scale > 1.0)) {
        copy->Resize(std::max(1, static_cast<int>(width * scale)), std::max(1, static_cast<int>(height * scale)));
    }
    return copy;
}

CTXObj* CreatePreviewObject(HVObj* parent, std::unique_ptr<HVBitmapState> state, int x, int y, int width, int height) {
    auto* object = new CTXObj;
    const int left = x + (width - state->Width()) / 2;
    const int top = y + (height - state->Height()) / 2;
    object->AddState(state.release());
    object->SetMovable(false);
    object->SetParent(parent);
    object->Create();
    object->Move(left, top);
    object->Show();
    return object;
}

void ShowInformation(const std::wstring& text) {
    MessageBoxW(gUi.window, text.c_str(), L"Morvanta", MB_OK | MB_ICONINFORMATION);
}

void ShowThemeSaveFailed() {
    std::wstring path;
    GetCurrentThemePath(path);
    const std::wstring text = WithName(Text(uitext::kThemeSaveFailed), path);
    MessageBoxW(gUi.window, text.c_str(), L"Morvanta", MB_OK | MB_ICONERROR);
}

bool SaveThemeInUseOrSay() {
    if (SaveCurrentTheme()) return true;
    ShowThemeSaveFailed();
    return false;
}

void UpdatePartFlags(CTheme& theme) {
    auto set = [&theme](int bit, bool on) {
        theme.contentFlags = on ? (theme.contentFlags | bit) : (theme.contentFlags & ~bit);
    };
    set(kThemeHasClickEffects, !theme.clickEffects.empty());
    set(kThemeHasTrails, !theme.trails.empty());
    set(kThemeHasSounds, !theme.sounds.empty());
}

CTXObj* CreatePanelIntro(HVObj* panel, int textId) {
    using namespace panelstyle;
    return CreateAlignedTextLabel(panel, Scaled(kMargin), Scaled(partlayout::kIntroTop), ::Text(textId),
                                  Text(kSmallPoints, kMutedInk), Scaled(partlayout::kPanelWidth - 2 * kMargin));
}

CTXObj* CreateApplyButton(HVObj* panel, int commandId) {
    using namespace partlayout;
    const int x = Scaled(kPanelWidth - panelstyle::kMargin - kButtonWidth);
    const int y = Scaled(kPanelHeight - panelstyle::kMargin - kButtonHeight);
    return CreatePushButton(panel, x, y, Scaled(kButtonWidth), Scaled(kButtonHeight), commandId, 0,
                            ::Text(uitext::kApply));
}

std::wstring WithName(std::wstring text, const std::wstring& value) {
    const size_t at = text.find(L"%s");
    if (at != std::wstring::npos) text.replace(at, 2, value);
    return text;
}
