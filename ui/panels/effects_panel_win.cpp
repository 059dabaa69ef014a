#include "ui/panels/effects_panel_win.h"

#include <memory>
#include <optional>
#include <string>

#include "services/ui_text_ids.h"
#include "base/text_encoding.h"
#include "graphics/hv_bitmap_state.h"
#include "theme/theme.h"
#include "theme/theme_library.h"
#include "ui/apply_win.h"
#include "ui/click_guards_win.h"
#include "ui/controls/control_factory_win.h"
#include "ui/current_theme_win.h"
#include "ui/panel_handler_win.h"
#include "ui/panels/mouse_event_list_win.h"
#include "ui/panels/panel_layout_win.h"
#include "ui/panels/panel_state_win.h"
#include "ui/panels/panel_trace_win.h"
#include "ui/panels/part_panels_layout_win.h"
#include "ui/panels/part_views_win.h"
#include "ui/panels/trails_panel_win.h"
#include "ui/ui_metrics_win.h"
#include "ui/window_state_win.h"

namespace {

// Command ids of the panel's controls.
constexpr int kEventHoverBar = 61;
constexpr int kEffectHoverBar = 62;
constexpr int kEventSelectionBar = 63;
constexpr int kEffectSelectionBar = 64;
constexpr int kEffectContent = 65;
constexpr int kEventContent = 66;
constexpr int kEventSlot = 67;
constexpr int kApply = 90;
constexpr int kEffectRowBase = 400;  // row r of the effect list

constexpr PanelListIds kEventIds = {kEventContent, kEventHoverBar, kEventSelectionBar, 73, 74, 75, 72, 208, 207, 30};
constexpr PanelListIds kEffectIds = {kEffectContent, kEffectHoverBar, kEffectSelectionBar, 69, 70, 71, 68, 206, 205, 5};

constexpr int kEffectRowHeight = 75;
constexpr int kPreviewWidth = 90;  // the picture's column at the row's left; the name starts here
constexpr int kPreviewSize = 65;   // largest picture
constexpr int kNameWrap = 140;

constexpr wchar_t kNoEffectState[] = L"null";

// The effect a file offers: its first click effect, when it has an image.
const CClickEffect* EffectOf(CTheme& theme) {
    if (!(theme.contentFlags & kThemeHasClickEffects)) return nullptr;
    const CClickEffect* effect = theme.FirstClickEffect();
    return effect && effect->image ? effect : nullptr;
}

class EffectsPanel : public PanelHandler, public PanelState {
public:
    ~EffectsPanel() override;

    void Build() {
        using namespace partlayout;
        HVObj* panel = PanelObject(Panel::Effects);
        CreatePanelHeading(panel, uitext::kTabEffects);
        CreatePanelIntro(panel, uitext::kEffectsIntro);
        events_ = std::make_unique<MouseEventList>(panel, Scaled(panelstyle::kMargin), Scaled(kListTop),
                                                   Scaled(kFirstListWidth), Scaled(kListHeight), kEventIds, kEventSlot);
        effects_ =
            std::make_unique<PanelList>(panel, Scaled(kSecondListLeft), Scaled(kListTop), Scaled(kSecondListWidth),
                                        Scaled(kListHeight), Scaled(kEffectRowHeight), kEffectIds);
        CreateApplyButton(panel, kApply);
        for (int event = 0; event < MouseEventList::kEvents; ++event) ShowSlot(event, nullptr);
        Fill();
        RegisterPanelHandler(this);
    }

    void SelectFirstEvent() {
        if (events_) events_->List().Select(0, true);
        gUi.currentSubList = 1;
    }

    void ShowEffects(const CTheme* theme) {
        if (!events_) return;
        for (int event = 0; event < MouseEventList::kEvents; ++event) {
            const CClickEffect* effect = nullptr;
            if (theme) {
                auto found = theme->clickEffects.find(event);
                if (found != theme->clickEffects.end()) effect = &found->second;
            }
            ShowSlot(event, effect);
        }
    }

    bool OnCommand(CTXObj* control, int commandId) override {
        switch (commandId) {
            case kEventHoverBar:
                SelectEvent(events_->List().List().HoverIndex());
                return true;
            case kEventSelectionBar:
            case kEventContent:
                gUi.currentSubList = 1;
                return true;
            case kEventSlot:
                SelectEvent(events_->EventOfSlot(control));
                return true;
            case kEffectHoverBar:
                RecordListClick();
                effects_->Select(effects_->List().HoverIndex());
                gUi.currentSubList = 2;
                return true;
            case kEffectSelectionBar: {
                const bool second = IsSecondClick();
                RecordListClick();
                gUi.currentSubList = 2;
                if (second) Apply();
                return true;
            }
            case kEffectContent:
                gUi.currentSubList = 2;
                return true;
            case kApply:
                Apply();
                return true;
        }
        return kEventIds.IsScrollPart(commandId) || kEffectIds.IsScrollPart(commandId);
    }

    void OnHoverEnter(CTXObj* control) override {
        if (control->commandId == kEventSlot) events_->List().HoverRow(events_->EventOfSlot(control));
    }

    void OnHoverMove(CTXObj* control, int x, int y) override {
        if (!events_->List().OnHoverMove(control, x, y)) effects_->OnHoverMove(control, x, y);
    }

    void OnHoverLeave(CTXObj*, HVObj* next) override {
        events_->List().OnHoverLeave(next);
        effects_->OnHoverLeave(next);
    }

    bool OnWheel(int delta) override {
        if (!IsPanelShown(Panel::Effects)) return false;
        if (gUi.currentSubList == 1) events_->List().Wheel(delta);
        if (gUi.currentSubList == 2) effects_->Wheel(delta);
        return true;
    }

    void OnLibraryChanged() override { Fill(); }

private:
    // The effect list: "no effect", then one row per effect file of the library with its picture
    // and name. Each file is loaded for its row and released again.
    void Fill() {
        using namespace panelstyle;
        HoverList& list = effects_->List();
        list.ClearRows();
        effects_->Select(-1);
        list.HideHover();
        const int height = list.RowHeight();
        const TextStyle style = panelstyle::Text(kSmallPoints, kLabelInk);
        AddNameRow(list.AddRow(kEffectRowBase), Text(uitext::kNone), style);
        std::string names;
        for (size_t i = 0; i < gThemeLibrary.clickEffects.size(); ++i) {
            const THEME_INFO& entry = gThemeLibrary.clickEffects[i];
            CTXObj* row = list.AddRow(kEffectRowBase + 1 + static_cast<int>(i));
            std::wstring name = entry.name;
            CTheme theme;
            if (theme.Load(entry.path, false)) {
                name = theme.DisplayName();
                if (const CClickEffect* effect = EffectOf(theme))
                    CreatePreviewObject(row,
                                        PreviewCopy(*effect->image, hvstate::kDefault, Scaled(kPreviewSize),
                                                    Scaled(kPreviewSize), false),
                                        0, 0, Scaled(kPreviewWidth), height);
            }
            AddNameRow(row, name, style);
            names += "|" + text::Utf16ToUtf8(name);
        }
        list.FinishRows(height * list.RowCount() + Scaled(MouseEventList::kContentPadding));
        effects_->CountRows(static_cast<int>(gThemeLibrary.clickEffects.size()));
        PanelTrace("effect-list " + std::to_string(list.RowCount()) + names);
    }

    void AddNameRow(CTXObj* row, const std::wstring& name, const TextStyle& style) {
        const int left = Scaled(kPreviewWidth + 10);
        CTXObj* label = CreateAlignedTextLabel(row, left, 0, name, style, Scaled(kNameWrap));
        label->Move(left, (effects_->List().RowHeight() - ControlHeight(label)) / 2);
    }

    void SelectEvent(int event) {
        gUi.currentSubList = 1;
        if (event < 0 || event >= MouseEventList::kEvents) return;
        events_->List().Select(event);
    }

    // The event's slot object: "null" without an effect, else the effect's picture as "Default".
    void ShowSlot(int event, const CClickEffect* effect) {
        CTXObj* box = events_->SlotBox(event);
        box->DestroyChildren();
        const int size = events_->SlotSize();
        auto* slot = new CTXObj;
        auto* none = new HVBlankState(kNoEffectState);
        none->SetSize(size, size);
        slot->AddState(none);
        if (effect && effect->image)
            slot->AddState(PreviewCopy(*effect->image, hvstate::kDefault, size, size, true).release());
        MakeClickable(slot, kEventSlot);
        none->SetHitMode(HVH_ALWAYS);  // a blank state is hit only so
        slot->SetMovable(false);
        slot->SetParent(box);
        slot->Create();
        slot->ChangeState(effect && effect->image ? hvstate::kDefault : kNoEffectState);
        if (auto* shown = slot->CurrentVisual()) slot->Move((size - shown->Width()) / 2, (size - shown->Height()) / 2);
        slot->Show();
    }

    // Applies the selected effect row to the selected event of the theme in use.
    void Apply() {
        if (!gCurrentTheme) {
            ShowInformation(Text(uitext::kEffectNeedsTheme));
            return;
        }
        const int row = effects_->Selected();
        const int event = events_->List().Selected();
        if (row < 0 || event < 0) return;
        std::optional<CClickEffect> before;
        if (const CClickEffect* effect = gCurrentTheme->ClickEffect(event)) before = *effect;
        const int flagsBefore = gCurrentTheme->contentFlags;
        if (row == 0) {
            gCurrentTheme->RemoveClickEffect(event);
            ShowSlot(event, nullptr);
        } else {
            const size_t record = static_cast<size_t>(row - 1);
            if (record >= gThemeLibrary.clickEffects.size()) return;
            CTheme loaded;
            if (!loaded.Load(gThemeLibrary.clickEffects[record].path, false)) return;
            const CClickEffect* effect = EffectOf(loaded);
            if (!effect) return;  // a file without an effect changes nothing
            CClickEffect entry = *effect;
            entry.key = event;
            gCurrentTheme->SetClickEffect(event, entry);
            ShowSlot(event, gCurrentTheme->ClickEffect(event));
        }
        UpdatePartFlags(*gCurrentTheme);
        if (!SaveThemeInUseOrSay()) {
            if (before)
                gCurrentTheme->SetClickEffect(event, *before);
            else
                gCurrentTheme->RemoveClickEffect(event);
            gCurrentTheme->contentFlags = flagsBefore;
            ShowSlot(event, gCurrentTheme->ClickEffect(event));
            return;
        }
        PanelTrace("effect-applied event " + std::to_string(event) + " row " + std::to_string(row));
        ApplyToEngineFromWindow();
    }

    std::unique_ptr<MouseEventList> events_;
    std::unique_ptr<PanelList> effects_;
};

EffectsPanel* gEffects = nullptr;  // while the window is built

EffectsPanel::~EffectsPanel() {
    gEffects = nullptr;
}

}  // namespace

void BuildEffectsPanel() {
    auto panel = std::make_unique<EffectsPanel>();
    gEffects = panel.get();
    gEffects->Build();
    AttachPanelState(PanelObject(Panel::Effects), std::move(panel));
}

void SelectFirstEffectEvent() {
    if (gEffects) gEffects->SelectFirstEvent();
}

void ShowThemeEffects(const CTheme* theme) {
    if (gEffects) gEffects->ShowEffects(theme);
    // The theme in use changed (this is the call every change makes): the trail preview shows its
    // trail when no trail file is chosen, and its caption says so.
    ShowTrailPreviewCaption();
}
