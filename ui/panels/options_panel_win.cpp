#include "ui/panels/options_panel_win.h"

#include <algorithm>

#include "services/settings_win.h"
#include "services/ui_text_ids.h"
#include "graphics/hv_bitmap.h"
#include "graphics/hv_bitmap_state.h"
#include "graphics/hv_text_params.h"
#include "resources/artwork_ids.h"
#include "ui/apply_win.h"
#include "ui/controls/artwork_win.h"
#include "ui/controls/ctx_slider_win.h"
#include "ui/dialogs/hotkey_dialog_win.h"
#include "ui/glass_win.h"
#include "ui/panel_handler_win.h"
#include "ui/panels/options_preview_win.h"
#include "ui/panels/options_settings_win.h"
#include "ui/panels/panel_layout_win.h"
#include "ui/panels/themes_panel_win.h"
#include "ui/ui_metrics_win.h"
#include "ui/window_state_win.h"

namespace {

using namespace panelstyle;

// Design layout in the panel's space (pixels at 96 dpi).
constexpr int kHeadTop = 72;
constexpr int kHeadWidth = 150;
constexpr int kHeadHeight = 36;
constexpr int kHeadSideMargin = 8;
constexpr int kRuleTop = kHeadTop + kHeadHeight - 1;  // the heads' own rule, carried on to the margin
constexpr int kPageTop = 112;                         // pages hold the controls from here down
constexpr int kPageBottom = 548;
constexpr int kContentLeft = 32;
constexpr int kSliderLength = 240;
constexpr int kPreviewLeft = 316;
constexpr int kPreviewTop = 136;
constexpr int kPreviewWidth = 200;
constexpr int kPreviewHeight = 250;
constexpr int kButtonWidth = 100;
constexpr int kButtonHeight = 27;
constexpr int kButtonGap = 10;
constexpr int kButtonPadding = 24;  // around a caption too long for a standard button
constexpr int kCheckBoxSize = 18;
constexpr int kCheckBoxLabelGap = 10;

// Track tops, by page.
constexpr int kAppearanceFirstTrack = 160;
constexpr int kAppearanceTrackStep = 58;
constexpr int kNoShadowBoxTop = 124;
constexpr int kShadowFirstTrack = 180;
constexpr int kShadowTrackStep = 54;
constexpr int kShadowModeLabelTop = 258;
constexpr int kShadowModeLinkTop = 280;
constexpr int kShadowGroupTop = 306;  // the groups' areas; their first caption lies below it
constexpr int kShadowGroupFirstTrack = 338;
constexpr int kOtherFirstTrack = 160;
constexpr int kHotKeyButtonTop = 196;
constexpr int kOtherFirstBoxTop = 248;
constexpr int kOtherBoxStep = 32;

constexpr double kHeadPoints = 13;
constexpr double kCheckBoxPoints = 13;
constexpr uint32_t kAccentInk = 0xD46C2B;  // the artwork's accent blue
constexpr uint32_t kRuleColour = 0xE9E2DD;

constexpr int kPageCommands[kOptionsPageCount] = {optioncmd::kAppearancePage, optioncmd::kShadowPage,
                                                  optioncmd::kOtherPage};
constexpr int kPageCaptions[kOptionsPageCount] = {uitext::kPageAppearance, uitext::kPageShadow, uitext::kPageOther};

struct CheckBox {
    CTXObj* box = nullptr;
    CTXObj* label = nullptr;
};

// The panel's controls, owned by the object tree; these are views into it.
struct OptionsControls {
    CTXObj* pages[kOptionsPageCount] = {};
    CTXObj* heads[kOptionsPageCount] = {};
    CTXObj* headCaptions[kOptionsPageCount] = {};
    CTXSliderObj* knobs[kOptionSliderCount] = {};
    CheckBox checks[kOptionCheckBoxCount] = {};
    CTXObj* staticGroup = nullptr;
    CTXObj* dynamicGroup = nullptr;
    // Index 0 for the fixed offset (ShadowDynamic 0), 1 for the light source.
    CTXObj* modeLabels[2] = {};
    CTXObj* modeLinks[2] = {};
};
OptionsControls gOptions;

int PageIndex(OptionsPage page) {
    return static_cast<int>(page);
}

int SliderIndex(const OptionSlider* slider) {
    return static_cast<int>(slider - kOptionSliders);
}

int CheckBoxIndex(const OptionCheckBox* box) {
    return static_cast<int>(box - kOptionCheckBoxes);
}

// A page head: the toggle image with its caption centred on it.
void BuildPageHead(HVObj* panel, int index) {
    const int x = Scaled(kMargin) + Scaled(kHeadWidth) * index;
    const Margins margins{Scaled(kHeadSideMargin), Scaled(kHeadSideMargin), 0, 0};
    CTXObj* head = CreateToggleImage(panel, x, Scaled(kHeadTop), kPageCommands[index], Scaled(kHeadWidth),
                                     Scaled(kHeadHeight), margins, IDP_PAGE_TAB, IDP_PAGE_TAB_SELECTED);
    CTXObj* caption =
        CreateTwoStateText(head, 0, 0, Text(kPageCaptions[index]), Text(kHeadPoints, kMutedInk), kAccentInk);
    caption->Move((ControlWidth(head) - ControlWidth(caption)) / 2, (ControlHeight(head) - ControlHeight(caption)) / 2);
    gOptions.heads[index] = head;
    gOptions.headCaptions[index] = caption;
}

// Positions inside a page or group are given in the panel's design space; this is the object's
// own origin in that space.
struct Origin {
    int top = 0;  // design pixels
    int Y(int designY) const { return Scaled(designY) - Scaled(top); }
};

void BuildSlider(const OptionSlider& slider, HVObj* parent, const Origin& origin, int designTrackTop) {
    SliderParts parts = CreateSlider(parent, slider.commandId, gSettings.*slider.setting, Scaled(kContentLeft),
                                     origin.Y(designTrackTop), Scaled(kSliderLength), slider.minimum, slider.maximum,
                                     Text(slider.captionText), slider.trackArtwork);
    gOptions.knobs[SliderIndex(&slider)] = parts.knob;
}

void BuildCheckBox(const OptionCheckBox& check, HVObj* parent, const Origin& origin, int designTop) {
    const int size = Scaled(kCheckBoxSize);
    CTXObj* box = CreateSizedImage(parent, Scaled(kContentLeft), origin.Y(designTop), size, size, IDP_CHECKBOX);
    HVBitmap* checked = LoadArtwork(IDP_CHECKBOX_CHECKED);
    checked->Resize(size, size);
    box->AddState(new HVBitmapState(hvstate::kEnabled, checked));
    MakeClickable(box, check.commandId);
    if (gSettings.*check.setting == 1) box->ChangeState(hvstate::kEnabled, HVC_FORCE | HVC_SILENT);
    CTXObj* label = CreateTextLabel(parent, 0, 0, Text(check.labelText), Text(kCheckBoxPoints, kLabelInk));
    label->Move(Scaled(kContentLeft) + size + Scaled(kCheckBoxLabelGap),
                origin.Y(designTop) + (size - ControlHeight(label)) / 2);
    MakeClickable(label, check.commandId);
    gOptions.checks[CheckBoxIndex(&check)] = {box, label};
}

void BuildSliders(OptionsPage page, ShadowGroup group, HVObj* parent, const Origin& origin, int firstTrack, int step) {
    int track = firstTrack;
    for (const OptionSlider& slider : kOptionSliders) {
        if (slider.page != page || slider.group != group) continue;
        BuildSlider(slider, parent, origin, track);
        track += step;
    }
}

void BuildAppearancePage(CTXObj* page, const Origin& origin) {
    BuildSliders(OptionsPage::Appearance, ShadowGroup::None, page, origin, kAppearanceFirstTrack, kAppearanceTrackStep);
}

void BuildShadowPage(CTXObj* page, const Origin& origin) {
    BuildCheckBox(*FindOptionCheckBox(optioncmd::kDisableShadow), page, origin, kNoShadowBoxTop);
    BuildSliders(OptionsPage::Shadow, ShadowGroup::None, page, origin, kShadowFirstTrack, kShadowTrackStep);

    const int modeTexts[2] = {uitext::kFixedShadowMode, uitext::kLightShadowMode};
    const int linkTexts[2] = {uitext::kUseLightSource, uitext::kUseFixedOffset};
    const int linkCommands[2] = {optioncmd::kUseLightSource, optioncmd::kUseFixedOffset};
    for (int mode = 0; mode < 2; ++mode) {
        gOptions.modeLabels[mode] = CreateTextLabel(page, Scaled(kContentLeft), origin.Y(kShadowModeLabelTop),
                                                    Text(modeTexts[mode]), Text(kSmallPoints, kMutedInk));
        gOptions.modeLinks[mode] =
            CreateLinkButton(page, Scaled(kContentLeft), origin.Y(kShadowModeLinkTop), linkCommands[mode],
                             Text(linkTexts[mode]), Text(kSmallPoints, kLinkBlue));
    }

    const Origin groupOrigin{kShadowGroupTop};
    const int groupWidth = ControlWidth(page);
    const int groupHeight = Scaled(kPageBottom) - Scaled(kShadowGroupTop);
    gOptions.staticGroup = CreateArea(page, 0, origin.Y(kShadowGroupTop), groupWidth, groupHeight);
    gOptions.dynamicGroup = CreateArea(page, 0, origin.Y(kShadowGroupTop), groupWidth, groupHeight);
    BuildSliders(OptionsPage::Shadow, ShadowGroup::Static, gOptions.staticGroup, groupOrigin, kShadowGroupFirstTrack,
                 kShadowTrackStep);
    BuildSliders(OptionsPage::Shadow, ShadowGroup::Dynamic, gOptions.dynamicGroup, groupOrigin, kShadowGroupFirstTrack,
                 kShadowTrackStep);
}

// The glass check box comes last: it is hidden while desktop composition is off and leaves no gap.
void BuildOtherPage(CTXObj* page, const Origin& origin) {
    BuildSliders(OptionsPage::Other, ShadowGroup::None, page, origin, kOtherFirstTrack, kAppearanceTrackStep);
    CreatePushButton(page, Scaled(kContentLeft), origin.Y(kHotKeyButtonTop), Scaled(kButtonWidth),
                     Scaled(kButtonHeight), optioncmd::kHotKey, 0, Text(uitext::kHotKey), kSmallPoints);
    BuildCheckBox(*FindOptionCheckBox(optioncmd::kMirror), page, origin, kOtherFirstBoxTop);
    BuildCheckBox(*FindOptionCheckBox(optioncmd::kGlass), page, origin, kOtherFirstBoxTop + kOtherBoxStep);
}

// Reset and apply at the bottom right; a caption longer than a standard button widens its button.
void BuildButtons(HVObj* panel) {
    const int width = ControlWidth(panel);
    const int top = Scaled(600) - Scaled(kMargin) - Scaled(kButtonHeight);
    const int applyLeft = width - Scaled(kMargin) - Scaled(kButtonWidth);
    CreatePushButton(panel, applyLeft, top, Scaled(kButtonWidth), Scaled(kButtonHeight), optioncmd::kApply, 0,
                     Text(uitext::kApply), kSmallPoints);
    const std::wstring reset = Text(uitext::kRestoreDefaults);
    const int resetWidth = std::max(Scaled(kButtonWidth), TextWidth(reset, kSmallPoints) + Scaled(kButtonPadding));
    CreatePushButton(panel, applyLeft - Scaled(kButtonGap) - resetWidth, top, resetWidth, Scaled(kButtonHeight),
                     optioncmd::kReset, 0, reset, kSmallPoints);
}

void ShowShadowMode() {
    const bool dynamic = gSettings.shadowDynamic == 1;
    for (int mode = 0; mode < 2; ++mode) {
        const bool shown = (mode == 1) == dynamic;
        for (CTXObj* control : {gOptions.modeLabels[mode], gOptions.modeLinks[mode]}) {
            if (!control) continue;
            if (shown)
                control->Show();
            else
                control->Hide();
        }
    }
    if (gOptions.staticGroup) dynamic ? gOptions.staticGroup->Hide() : gOptions.staticGroup->Show();
    if (gOptions.dynamicGroup) dynamic ? gOptions.dynamicGroup->Show() : gOptions.dynamicGroup->Hide();
}

void ShowPage(OptionsPage page) {
    for (int i = 0; i < kOptionsPageCount; ++i) {
        const bool shown = i == PageIndex(page);
        const wchar_t* look = shown ? hvstate::kSelected : hvstate::kDefault;
        if (gOptions.heads[i]) gOptions.heads[i]->ChangeState(look);
        if (gOptions.headCaptions[i]) gOptions.headCaptions[i]->ChangeState(look);
        if (!gOptions.pages[i]) continue;
        if (shown)
            gOptions.pages[i]->Show();
        else
            gOptions.pages[i]->Hide();
    }
}

void ShowCheckBox(const OptionCheckBox& check) {
    if (CTXObj* box = gOptions.checks[CheckBoxIndex(&check)].box)
        box->ChangeState(gSettings.*check.setting == 1 ? hvstate::kEnabled : hvstate::kDefault);
}

// A click on a check box or its label.
void ToggleCheckBox(const OptionCheckBox& check) {
    CTXObj* box = gOptions.checks[CheckBoxIndex(&check)].box;
    if (!box) return;
    gSettings.*check.setting = box->IsInState(hvstate::kDefault) ? 1 : 0;
    ShowCheckBox(check);
    if (check.commandId == optioncmd::kGlass) {
        UpdateGlass();
        WriteProductDword(gSettings.uiBlur, kUiBlurValue);
    } else {
        // Mirror and shadow change the preview: shown at once, like a slider's move.
        RefreshOptionsPreview();
    }
}

// Apply on the options panel: the settings go to the engine. When the selected row is the theme in
// use, it is applied again first with its effects, sounds and trail kept, so that the in-use box
// shows the new look. Any other selection stays unapplied: the button is there for the look, and
// applying another row would replace the theme in use (row 0, selected while the theme in use is
// none of the listed ones, would even throw it away).
void ApplyOptions() {
    const int row = SelectedThemeRow();
    if (row >= 0 && row == ThemeRowInUse()) ApplyThemeRow(row, false);
    ApplyToEngineFromWindow();
}

class OptionsHandler : public PanelHandler {
public:
    bool OnCommand(CTXObj*, int commandId) override {
        switch (commandId) {
            case optioncmd::kAppearancePage:
                ShowPage(OptionsPage::Appearance);
                return true;
            case optioncmd::kShadowPage:
                ShowPage(OptionsPage::Shadow);
                return true;
            case optioncmd::kOtherPage:
                ShowPage(OptionsPage::Other);
                return true;
            case optioncmd::kUseLightSource:
            case optioncmd::kUseFixedOffset:
                gSettings.shadowDynamic = commandId == optioncmd::kUseLightSource ? 1 : 0;
                ShowShadowMode();
                return true;
            case optioncmd::kReset:
                ResetOptions();
                return true;
            case optioncmd::kApply:
                ApplyOptions();
                return true;
            case optioncmd::kHotKey:
                ShowHotKeyDialog(gUi.window);
                return true;
        }
        if (const OptionCheckBox* check = FindOptionCheckBox(commandId)) {
            ToggleCheckBox(*check);
            return true;
        }
        return false;
    }

    bool OnSliderValue(int commandId, int value) override {
        const OptionSlider* slider = FindOptionSlider(commandId);
        if (!slider) return false;
        gSettings.*slider->setting = value;
        RefreshOptionsPreview();
        return true;
    }
};
OptionsHandler gHandler;

}  // namespace

void BuildOptionsPanel() {
    gOptions = OptionsControls{};
    CTXObj* panel = PanelObject(Panel::Options);
    CreatePanelHeading(panel, uitext::kTabOptions);
    for (int i = 0; i < kOptionsPageCount; ++i) BuildPageHead(panel, i);
    const int ruleLeft = Scaled(kMargin) + Scaled(kHeadWidth) * kOptionsPageCount;
    const int ruleRight = ControlWidth(panel) - Scaled(kMargin);
    if (ruleRight > ruleLeft)
        CreateRectangle(panel, ruleLeft, Scaled(kRuleTop), ruleRight - ruleLeft, 1, kRuleColour, kRuleColour);

    BuildOptionsPreview(panel, Scaled(kPreviewLeft), Scaled(kPreviewTop), Scaled(kPreviewWidth),
                        Scaled(kPreviewHeight));

    // The pages end short of the preview box, so that they never take its pointer.
    const Origin pageOrigin{kPageTop};
    const int pageWidth = Scaled(kPreviewLeft) - Scaled(4);
    const int pageHeight = Scaled(kPageBottom) - Scaled(kPageTop);
    for (int i = 0; i < kOptionsPageCount; ++i)
        gOptions.pages[i] = CreateArea(panel, 0, Scaled(kPageTop), pageWidth, pageHeight);
    BuildAppearancePage(gOptions.pages[PageIndex(OptionsPage::Appearance)], pageOrigin);
    BuildShadowPage(gOptions.pages[PageIndex(OptionsPage::Shadow)], pageOrigin);
    BuildOtherPage(gOptions.pages[PageIndex(OptionsPage::Other)], pageOrigin);
    BuildButtons(panel);

    ShowShadowMode();
    ShowPage(OptionsPage::Appearance);
    RegisterPanelHandler(&gHandler);
}

void ResetOptions(HotKeyReset hotKey) {
    ResetSettings(
        gSettings,
        [](const DwordSetting& setting, int32_t value) {
            if (const OptionSlider* slider = FindOptionSlider(setting.field))
                SetSliderValue(gOptions.knobs[SliderIndex(slider)], value);
            if (const OptionCheckBox* check = FindOptionCheckBox(setting.field)) ShowCheckBox(*check);
            RefreshOptionsPreview();
        },
        hotKey);
}

bool GlassCheckBoxExists() {
    return gOptions.checks[CheckBoxIndex(FindOptionCheckBox(optioncmd::kGlass))].box != nullptr;
}

void SetGlassCheckBoxVisible(bool visible) {
    const CheckBox& glass = gOptions.checks[CheckBoxIndex(FindOptionCheckBox(optioncmd::kGlass))];
    for (CTXObj* control : {glass.box, glass.label}) {
        if (!control) continue;
        if (visible)
            control->Show();
        else
            control->Hide();
    }
}
