#include "ui/panels/trails_panel_win.h"

#include <windows.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/engine_control_win.h"
#include "services/settings.h"
#include "services/settings_win.h"
#include "services/ui_text_ids.h"
#include "base/text_encoding.h"
#include "graphics/hv_bitmap_state.h"
#include "graphics/hv_trail.h"
#include "graphics/hv_trail_win.h"
#include "theme/theme.h"
#include "theme/theme_library.h"
#include "ui/apply_win.h"
#include "ui/click_guards_win.h"
#include "ui/controls/control_factory_win.h"
#include "ui/controls/ctx_slider_win.h"
#include "ui/current_theme_win.h"
#include "ui/panel_handler_win.h"
#include "ui/panels/panel_layout_win.h"
#include "ui/panels/panel_list_win.h"
#include "ui/panels/panel_state_win.h"
#include "ui/panels/panel_trace_win.h"
#include "ui/panels/part_panels_layout_win.h"
#include "ui/panels/part_views_win.h"
#include "ui/panels/trail_rows.h"
#include "ui/ui_metrics_win.h"
#include "ui/window_state_win.h"

namespace {

// Command ids of the panel's controls.
constexpr int kHoverBar = 80;
constexpr int kSelectionBar = 81;
constexpr int kContent = 82;
constexpr int kPreviewBox = 89;
constexpr int kApply = 91;
constexpr int kGhostOpacity = 98;
constexpr int kGhostLife = 99;
constexpr int kGhostPerSecond = 100;
constexpr int kTrailRowBase = 400;  // row r of the list

constexpr PanelListIds kListIds = {kContent, kHoverBar, kSelectionBar, 87, 84, 85, 86, 204, 203, 30};

constexpr int kNoTrailRow = 0;
constexpr int kGhostRow = 1;
constexpr int kFirstFileRow = 2;

constexpr int kRowHeight = 50;
constexpr int kPictureWidth = 60;  // the picture's column at the row's left; the name starts after it
constexpr int kPictureSize = 40;
constexpr int kCaptionTop = partlayout::kListTop;
constexpr int kBoxTop = 150;
constexpr int kBoxHeight = 300;
constexpr int kSliderLength = 200;

// What the sprites show: the image of trail 0, else trail 2.
const HVBitmapState* SpriteImage(CTheme& theme) {
    for (int key : {0, 2})
        if (const CTrail* trail = theme.Trail(key); trail && trail->image) return trail->image.get();
    return nullptr;
}

// Sprites per second: the rate of the first trail of the theme.
int SpriteRate(CTheme& theme) {
    const CTrail* trail = theme.FirstTrail();
    return trail ? trail->rate : kDefaultTrailRate;
}

// The picture of a trail file in its row: what the sprites show, else any of its trails.
const HVBitmapState* RowImage(CTheme& theme) {
    if (const HVBitmapState* image = SpriteImage(theme)) return image;
    const CTrail* trail = theme.FirstTrail();
    return trail ? trail->image.get() : nullptr;
}

class TrailsPanel : public PanelHandler, public PanelState {
public:
    ~TrailsPanel() override;

    void Build() {
        using namespace partlayout;
        using namespace panelstyle;
        HVObj* panel = PanelObject(Panel::Trails);
        CreatePanelHeading(panel, uitext::kTabTrails);
        CreatePanelIntro(panel, uitext::kTrailsIntro);
        list_ = std::make_unique<PanelList>(panel, Scaled(kMargin), Scaled(kListTop), Scaled(kFirstListWidth),
                                            Scaled(kListHeight), Scaled(kRowHeight), kListIds);

        const int left = Scaled(kSecondListLeft);
        const int width = Scaled(kSecondListWidth);
        const TextStyle caption = panelstyle::Text(kSmallPoints, kMutedInk);
        for (int textId : {uitext::kGhostTrail, uitext::kTrailPreviewRunning, uitext::kTrailPreviewIdle}) {
            CTXObj* label = CreateAlignedTextLabel(panel, left, Scaled(kCaptionTop), Text(textId), caption, width);
            label->Hide();
            captions_.push_back({textId, label});
        }
        boxFrame_ = CreateRectangle(panel, left, Scaled(kBoxTop), width, Scaled(kBoxHeight), kBoxFill, kBoxBorder);
        // The sprites live in this area over the frame; it takes the pointer (the frame does not).
        box_ = CreateArea(panel, left, Scaled(kBoxTop), width, Scaled(kBoxHeight));
        box_->commandId = kPreviewBox;

        ghostGroup_ = CreateArea(panel, left, Scaled(kBoxTop), width, Scaled(kBoxHeight));
        if (auto* state = ghostGroup_->CurrentVisual()) state->SetHitMode(HVH_NEVER);
        struct Ghost {
            int commandId, value, minimum, maximum, textId;
        };
        const Ghost sliders[] = {
            {kGhostLife, gSettings.ghostLife, 100, 500, uitext::kGhostLife},
            {kGhostPerSecond, gSettings.ghostPerSecond, 5, 100, uitext::kGhostsPerSecond},
            {kGhostOpacity, gSettings.ghostOpacity, 10, 255, uitext::kOpacity},
        };
        const int sliderX = (width - Scaled(kSliderLength)) / 2;
        for (int i = 0; i < 3; ++i) {
            const Ghost& g = sliders[i];
            CreateStandardSlider(ghostGroup_, g.commandId, g.value, sliderX, Scaled(60 + 80 * i), Scaled(kSliderLength),
                                 g.minimum, g.maximum, Text(g.textId));
        }
        ghostGroup_->Hide();
        CreateApplyButton(panel, kApply);
        PostTrailEndsTo(gUi.window);
        Fill();
        RegisterPanelHandler(this);
    }

    // Row 0 (no trail) becomes the selected row and the preview starts over.
    void SelectNoTrail() {
        if (!list_) return;
        list_->Select(kNoTrailRow, true);
        RestartPreview();
    }

    // The sprites go and the caption follows what the preview would show now.
    void Reset() {
        if (!box_) return;
        box_->DestroyChildren();
        clock_.Reset();
        ShowCaption();
    }

    void ShowCaption() {
        if (!box_) return;
        const int id = CaptionId();
        for (const auto& [textId, label] : captions_) {
            if (textId == id)
                label->Show();
            else
                label->Hide();
        }
    }

    bool OnCommand(CTXObj*, int commandId) override {
        switch (commandId) {
            case kHoverBar: {
                RecordListClick();
                const int row = list_->List().HoverIndex();
                if (row < 0 || row >= list_->List().RowCount()) return true;
                list_->Select(row);
                RestartPreview();
                return true;
            }
            case kSelectionBar: {
                const bool second = IsSecondClick();
                RecordListClick();
                if (second) Apply();
                return true;
            }
            case kContent:
            case kPreviewBox:
                return true;
            case kApply:
                Apply();
                return true;
        }
        return kListIds.IsScrollPart(commandId);
    }

    bool OnSliderValue(int commandId, int value) override {
        switch (commandId) {
            case kGhostLife:
                gSettings.ghostLife = value;
                return true;
            case kGhostPerSecond:
                gSettings.ghostPerSecond = value;
                return true;
            case kGhostOpacity:
                gSettings.ghostOpacity = value;
                return true;
        }
        return false;
    }

    void OnHoverEnter(CTXObj* control) override {
        if (control != box_) return;
        TellEngineTrailPreview(true);
        PanelTrace("trail-box entered");
    }

    void OnHoverMove(CTXObj* control, int x, int y) override {
        if (control == box_)
            Spawn(x, y);
        else
            list_->OnHoverMove(control, x, y);
    }

    void OnHoverLeave(CTXObj* control, HVObj* next) override {
        list_->OnHoverLeave(next);
        if (control != box_) return;
        TellEngineTrailPreview(false);
        PanelTrace("trail-box left");
    }

    bool OnWheel(int delta) override {
        if (!IsPanelShown(Panel::Trails)) return false;
        list_->Wheel(delta);
        return true;
    }

    void OnLibraryChanged() override { Fill(); }

private:
    // The list: no trail, the ghost trail, then one row per trail file of the library with its
    // picture and name (each file is loaded for its row and released again). Then the row that
    // "CurrentTrail" names is selected; when it names none of them, the selection follows the
    // trail it was on (the file, not the row's number, which the rebuilt list may give another
    // file), or goes to row 0 when that file is no longer listed.
    void Fill() {
        using namespace panelstyle;
        const int selected = list_->Selected();
        const std::wstring selectedChoice = ChoiceOfRow(selected);
        HoverList& list = list_->List();
        list.ClearRows();
        list.HideHover();
        const TextStyle style = panelstyle::Text(kSmallPoints, kLabelInk);
        AddNameRow(list.AddRow(kTrailRowBase + kNoTrailRow), Text(uitext::kNone), style);
        AddNameRow(list.AddRow(kTrailRowBase + kGhostRow), Text(uitext::kGhostTrail), style);
        paths_.clear();
        std::string traced;
        for (const THEME_INFO& entry : gThemeLibrary.trails) {
            CTXObj* row = list.AddRow(kTrailRowBase + list.RowCount());
            std::wstring name = entry.name;
            CTheme theme;
            if (theme.Load(entry.path, false)) {
                name = theme.DisplayName();
                if (const HVBitmapState* image = RowImage(theme))
                    CreatePreviewObject(
                        row, PreviewCopy(*image, hvstate::kDefault, Scaled(kPictureSize), Scaled(kPictureSize), false),
                        0, 0, Scaled(kPictureWidth), list.RowHeight());
            }
            AddNameRow(row, name, style);
            paths_.push_back(entry.path);
            traced += "|" + text::Utf16ToUtf8(name);
        }
        list.FinishRows(list.RowHeight() * list.RowCount());
        list_->CountRows(static_cast<int>(gThemeLibrary.trails.size()));
        PanelTrace("trail-list " + std::to_string(list.RowCount()) + traced);

        // The first fill always sets the preview up; later ones only when the row changes.
        constexpr int kNoMatch = -3;
        int wanted = TrailRowOfSetting(ReadCurrentTrail(), paths_, kNoMatch);
        if (wanted == kNoMatch)
            wanted = selected < 0 ? selected : TrailRowOfSetting(selectedChoice, paths_, kNoTrailRow);
        if (wanted != selected || !filled_) {
            list_->Select(wanted, true);
            RestartPreview();
        }
        filled_ = true;
    }

    // A row as "CurrentTrail" would name it: empty for no trail, "ghost", or the file's path.
    std::wstring ChoiceOfRow(int row) const {
        if (row == kGhostRow) return kGhostTrailName;
        if (row >= kFirstFileRow && static_cast<size_t>(row - kFirstFileRow) < paths_.size())
            return paths_[row - kFirstFileRow];
        return std::wstring();
    }

    void AddNameRow(CTXObj* row, const std::wstring& name, const TextStyle& style) {
        const int left = Scaled(kPictureWidth + 10);
        CTXObj* label = CreateAlignedTextLabel(row, left, 0, name, style, list_->List().RowWidth() - left);
        label->Move(left, (list_->List().RowHeight() - ControlHeight(label)) / 2);
    }

    // The preview for the selected row: the ghost row shows its sliders instead of the box; a file
    // row loads the file as the preview theme; the other rows preview the theme in use.
    void RestartPreview() {
        previewTheme_.reset();
        box_->DestroyChildren();
        clock_.Reset();
        const int row = list_->Selected();
        if (row == kGhostRow) {
            boxFrame_->Hide();
            box_->Hide();
            ghostGroup_->Show();
        } else {
            ghostGroup_->Hide();
            boxFrame_->Show();
            box_->Show();
            const size_t record = static_cast<size_t>(row - kFirstFileRow);
            if (row >= kFirstFileRow && record < gThemeLibrary.trails.size()) {
                auto theme = std::make_unique<CTheme>();
                if (theme->Load(gThemeLibrary.trails[record].path, false)) previewTheme_ = std::move(theme);
            }
        }
        ShowCaption();
        PanelTrace("trail-preview row " + std::to_string(row) + " box " + (box_->IsVisible() ? "shown" : "hidden") +
                   " ghost " + (ghostGroup_->IsVisible() ? "shown" : "hidden") + " caption " +
                   std::to_string(CaptionId()));
    }

    // The theme whose trail the sprites show: a file row's own (none when it could not be loaded),
    // else the theme in use.
    CTheme* SpriteTheme() const {
        const int row = list_->Selected();
        if (row == kGhostRow) return nullptr;
        if (row >= kFirstFileRow) return previewTheme_.get();
        return gCurrentTheme.get();
    }

    int CaptionId() const {
        if (list_->Selected() == kGhostRow) return uitext::kGhostTrail;
        CTheme* theme = SpriteTheme();
        return theme && SpriteImage(*theme) ? uitext::kTrailPreviewRunning : uitext::kTrailPreviewIdle;
    }

    // The pointer moved over the box: a sprite at the pointer, at most one per emission interval.
    void Spawn(int x, int y) {
        CTheme* theme = SpriteTheme();
        const HVBitmapState* image = theme ? SpriteImage(*theme) : nullptr;
        if (!image) return;
        clock_.SetRate(SpriteRate(*theme));
        const ULONGLONG now = GetTickCount64();
        if (!clock_.TrySpawn(now)) return;
        SpawnTrailSprite(box_, *image, x, y);
        PanelTrace("trail-sprite " + std::to_string(now) + " live " + std::to_string(box_->Children().size()));
    }

    // Makes the selected row the trail in use: "Ghost" and "CurrentTrail" are written at once, a
    // trail file's trails go into the theme in use, and the engine is told.
    void Apply() {
        if (!gCurrentTheme) {
            ShowInformation(Text(uitext::kTrailNeedsTheme));
            return;
        }
        const int row = list_->Selected();
        if (row < 0) return;
        CTheme loaded;
        std::wstring path;
        if (row >= kFirstFileRow) {
            const size_t record = static_cast<size_t>(row - kFirstFileRow);
            if (record >= gThemeLibrary.trails.size()) return;
            path = gThemeLibrary.trails[record].path;
            if (!loaded.Load(path, false)) return;  // the file went away: nothing changes
        }
        // A trail file's trail goes into the theme in use; no trail takes the theme's own trail
        // out too, or the engine would go on drawing it. The theme is saved first: when that
        // fails, nothing changes.
        if (row >= kFirstFileRow || row == kNoTrailRow) {
            const std::map<int, CTrail> before = gCurrentTheme->trails;
            const int flagsBefore = gCurrentTheme->contentFlags;
            if (row == kNoTrailRow)
                gCurrentTheme->ClearTrails();
            else
                gCurrentTheme->TakeTrailsFrom(loaded);
            if (!SaveThemeInUseOrSay()) {
                gCurrentTheme->trails = before;
                gCurrentTheme->contentFlags = flagsBefore;
                return;
            }
        }
        gSettings.ghost = row == kGhostRow ? 1 : 0;
        WriteProductDword(gSettings.ghost, kGhostValue);
        const std::wstring setting = row == kNoTrailRow ? std::wstring() : row == kGhostRow ? kGhostTrailName : path;
        WriteStringSetting(setting, HKEY_CURRENT_USER, kProductKeyPath, kCurrentTrailValue);
        PanelTrace("trail-applied row " + std::to_string(row));
        ApplyToEngineFromWindow();
    }

    std::unique_ptr<PanelList> list_;
    std::vector<std::pair<int, CTXObj*>> captions_;
    CTXObj* boxFrame_ = nullptr;
    CTXObj* box_ = nullptr;
    CTXObj* ghostGroup_ = nullptr;
    std::unique_ptr<CTheme> previewTheme_;
    std::vector<std::wstring> paths_;  // the trail files of rows 2 ..
    TrailSpawnClock clock_;
    bool filled_ = false;
};

TrailsPanel* gTrails = nullptr;  // while the window is built

TrailsPanel::~TrailsPanel() {
    PostTrailEndsTo(nullptr);
    gTrails = nullptr;
}

}  // namespace

void BuildTrailsPanel() {
    auto panel = std::make_unique<TrailsPanel>();
    gTrails = panel.get();
    gTrails->Build();
    AttachPanelState(PanelObject(Panel::Trails), std::move(panel));
}

void SelectNoTrailRow() {
    if (gTrails) gTrails->SelectNoTrail();
}

void ResetTrailPreview() {
    if (gTrails) gTrails->Reset();
}

void ShowTrailPreviewCaption() {
    if (gTrails) gTrails->ShowCaption();
}
