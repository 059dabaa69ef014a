#include "ui/panels/themes_panel_win.h"

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <utility>

#include "base/text_encoding.h"
#include "services/folders_win.h"
#include "services/settings.h"
#include "services/settings_win.h"
#include "services/ui_text_ids.h"
#include "theme/theme.h"
#include "theme/theme_library.h"
#include "ui/apply_win.h"
#include "ui/click_guards_win.h"
#include "ui/controls/control_factory_win.h"
#include "ui/current_theme_win.h"
#include "ui/dialogs/theme_properties_dialog_win.h"
#include "ui/panel_handler_win.h"
#include "ui/panels/effects_panel_win.h"
#include "ui/panels/in_use_box_win.h"
#include "ui/panels/options_panel_win.h"
#include "ui/panels/panel_layout_win.h"
#include "ui/panels/panel_state_win.h"
#include "ui/panels/panel_trace_win.h"
#include "ui/panels/part_views_win.h"
#include "ui/panels/sounds_panel_win.h"
#include "ui/panels/theme_bar_win.h"
#include "ui/panels/theme_details_win.h"
#include "ui/panels/theme_list_layout.h"
#include "ui/panels/theme_list_win.h"
#include "ui/panels/trails_panel_win.h"
#include "ui/sidebar_win.h"
#include "ui/ui_metrics_win.h"
#include "ui/window_state_win.h"

namespace {

using namespace panelstyle;

// Command ids of the panel's own controls; the list's, the bar's, the in-use box's and the
// details panel's are theirs.
constexpr int kListContent = 4;
constexpr int kEditTheme = 5;
constexpr int kShowDetails = 6;
constexpr int kWebSite = 8;
constexpr int kNewTheme = 26;
constexpr int kTrack = 40;
constexpr int kHoverBar = 41;
constexpr int kSelectionBar = 42;
constexpr int kProperties = 44;
constexpr int kDeleteTheme = 50;
constexpr int kApply = 93;
constexpr int kScrollThumb = 9, kScrollUp = 38, kScrollDown = 39;

constexpr int kNone = ThemeList::kNone;
constexpr int kEntryAbove = ThemeList::kEntryAbove;

// Design layout (pixels at s = 1) in the panel's space.
constexpr int kPanelWidth = 551;
constexpr int kPanelHeight = 600;
constexpr int kIntroTop = 62;
constexpr int kGap = 10;
constexpr int kRowHeight = 50;
constexpr int kButtonWidth = 100;
constexpr int kButtonHeight = 27;

// How a change of the theme in use ended.
enum class ThemeChange { kDone, kNotLoaded, kNotSaved };

int Bottom(const HVObj* control) {
    return control->GetStateRect().bottom;
}

std::wstring FileNameOf(const std::wstring& path) {
    const size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

// Tells the user why the theme in use did not change.
void ReportFailure(ThemeChange change, const std::wstring& themeName) {
    if (change == ThemeChange::kNotSaved) {
        ShowThemeSaveFailed();
        return;
    }
    const std::wstring text = WithName(Text(uitext::kThemeLoadFailed), themeName);
    MessageBoxW(gUi.window, text.c_str(), L"Morvanta", MB_OK | MB_ICONERROR);
}

class ThemesPanel : public PanelHandler, public PanelState {
public:
    ~ThemesPanel() override;

    void Build() {
        HVObj* panel = PanelObject(Panel::Themes);
        const int margin = Scaled(kMargin);
        const ThemeBarLayout bar = ComputeThemeBarLayout(gUiScale);
        CreatePanelHeading(panel, uitext::kThemesHeading);
        CTXObj* intro =
            CreateAlignedTextLabel(panel, margin, Scaled(kIntroTop), Text(uitext::kThemesIntro),
                                   panelstyle::Text(kBodyPoints, kMutedInk), Scaled(kPanelWidth) - 2 * margin);
        // The in-use box is as wide as the list's viewport.
        inUse_ = std::make_unique<InUseBox>(panel, margin, Bottom(intro) + Scaled(kGap), bar.rowWidth + 2);

        // The buttons at the lower right, then the list down to them in whole rows.
        const int buttonTop = Scaled(kPanelHeight - kMargin - kButtonHeight);
        const int applyX = Scaled(kPanelWidth - kMargin - kButtonWidth);
        CTXObj* applyButton = CreatePushButton(panel, applyX, buttonTop, Scaled(kButtonWidth), Scaled(kButtonHeight),
                                               kApply, 0, Text(uitext::kApply));
        const int newWidth = CaptionButtonWidth(Text(uitext::kNewTheme));
        CTXObj* newButton = CreatePushButton(panel, applyX - Scaled(kGap) - newWidth, buttonTop, newWidth,
                                             Scaled(kButtonHeight), kNewTheme, 0, Text(uitext::kNewTheme));
        ThemeListSetup list;
        list.x = margin;
        list.y = Bottom(inUse_->Box()) + Scaled(kGap);
        list.rowWidth = bar.rowWidth;
        list.height = ThemeListViewportHeight(buttonTop - Scaled(kGap) - list.y, Scaled(kRowHeight));
        list.selectionBarWidth = bar.barWidth;
        list_ = std::make_unique<ThemeList>(panel, list);
        bar_ = std::make_unique<ThemeSelectionBar>(list_->List());
        TraceLayout(
            "themes-layout",
            {{"rows", list_->List().Content()}, {"box", inUse_->Box()}, {"new", newButton}, {"apply", applyButton}});
        details_ = std::make_unique<ThemeDetails>();
        RegisterPanelHandler(this);
    }

    // Rebuilds the list; the row of the theme in use (the last of its name) is selected, row 0
    // when it is none of them.
    void Fill() {
        bar_->Clear();
        const std::wstring inUseName = gCurrentTheme ? gCurrentTheme->DisplayName() : std::wstring();
        const FilledThemeList filled = list_->Fill(gCurrentTheme ? &inUseName : nullptr);
        current_ = filled.inUseRow;
        SelectInUseRow();
        ScrollList& scroll = list_->List().Scroll();
        PanelTrace("theme-list " + std::to_string(list_->RowCount()) + " current " + std::to_string(current_) +
                   " selected " + std::to_string(bar_->Row()) + " step " + std::to_string(scroll.Step()) +
                   " left-out " + std::to_string(filled.leftOut) + " since-start-ms " +
                   std::to_string(MillisecondsSinceProcessStart()) + filled.names);
    }

    int Selected() const { return bar_->Row(); }
    int InUse() const { return current_; }

    // Makes a row the theme in use: a theme row's file is loaded and saved as the current theme,
    // row 0 goes back to the system's pointers. fromList: chosen on the list, which starts the
    // theme from the default look (the options are reset once the theme could be taken). On
    // failure the user is told, and the theme in use, its row and the selection stay.
    bool ApplyRow(int row, bool takeParts, bool fromList) {
        if (row < 0) return false;
        std::wstring path, name;
        if (row > 0) {
            const THEME_INFO* record = list_->Record(row);
            if (!record) return false;
            path = record->path;
            name = record->name;
        }
        applying_ = true;
        std::function<void()> startFromDefaultLook;
        if (fromList) startFromDefaultLook = [] { ResetOptions(HotKeyReset::kKeep); };
        const ThemeChange change = LoadIntoUI(path, row > 0, takeParts, startFromDefaultLook);
        applying_ = false;
        if (change != ThemeChange::kDone) {
            PanelTrace("theme-apply failed row " + std::to_string(row));
            ReportFailure(change, name);
            SelectInUseRow();
            return false;
        }
        current_ = row;
        PanelTrace("theme-applied row " + std::to_string(row));
        return true;
    }

    // As ApplyRow for the row listing a theme file; a file no row lists (any more) is loaded all
    // the same, and its row is then found by the theme's name.
    bool ApplyFile(const std::wstring& path, bool takeParts) {
        if (const int row = list_->RowOfFile(path); row >= 1) {
            if (!ApplyRow(row, takeParts, false)) return false;
            Select(row);
            return true;
        }
        const ThemeChange change = LoadIntoUI(path, true, takeParts, nullptr);
        if (change != ThemeChange::kDone) {
            PanelTrace("theme-apply failed file " + text::Utf16ToUtf8(FileNameOf(path)));
            ReportFailure(change, FileNameOf(path));
            return false;
        }
        PanelTrace("theme-applied file " + text::Utf16ToUtf8(FileNameOf(path)));
        return true;
    }

    // Loads a theme file as the theme in use (an empty path: the system's pointers) and shows it.
    // The theme in use is replaced only once the file could be loaded and, with save, written as
    // the current-theme file; beforeShow runs then, before the window shows the new theme.
    ThemeChange LoadIntoUI(const std::wstring& path, bool save, bool takeParts,
                           const std::function<void()>& beforeShow) {
        bool tookTrail = false;
        if (path.empty()) {
            ReleaseCurrentTheme();
        } else {
            auto loaded = std::make_unique<CTheme>();
            if (!loaded->Load(path, false)) {
                PanelTrace("theme-load failed " + text::Utf16ToUtf8(path));
                return ThemeChange::kNotLoaded;
            }
            tookTrail = gCurrentTheme && takeParts && (loaded->contentFlags & kThemeHasTrails);
            std::unique_ptr<CTheme> theme = ComposeThemeInUse(std::move(loaded), gCurrentTheme.get(), takeParts);
            theme->Rescale(gUiScale);
            if (save && !SaveAsCurrentTheme(*theme)) {
                PanelTrace("theme-save failed " + text::Utf16ToUtf8(path));
                return ThemeChange::kNotSaved;
            }
            gCurrentTheme = std::move(theme);
        }
        if (tookTrail) {
            // The theme's own trail shows: no trail file chosen.
            SelectNoTrailRow();
            WriteStringSetting(std::wstring(), HKEY_CURRENT_USER, kProductKeyPath, kCurrentTrailValue);
        }
        if (beforeShow) beforeShow();
        ShowThemeEffects(gCurrentTheme.get());
        ShowThemeSounds(gCurrentTheme.get());
        inUse_->Show(gCurrentTheme.get());
        RefreshOptionsPreview();
        // The window reloaded the theme in use on its own (another program changed the file): the
        // list's row in use follows its name.
        if (!applying_ && list_->RowCount() > 0) {
            current_ = gCurrentTheme ? list_->RowNamed(gCurrentTheme->DisplayName()) : kEntryAbove;
            SelectInUseRow();
        }
        if (HVObj* panel = PanelObject(Panel::Themes)) panel->Redraw(HVI_LATER);
        return ThemeChange::kDone;
    }

    bool OnCommand(CTXObj* control, int commandId) override {
        switch (commandId) {
            case kListContent:
                if (const int row = list_->Hovered(); row >= 0 && row < list_->RowCount()) Select(row);
                return true;
            case kHoverBar: {
                RecordListClick();
                const int row = list_->List().HoverIndex();
                if (row < 0 || row >= list_->RowCount()) return true;
                Select(row);
                ApplyRow(row, true, true);
                return true;
            }
            case kSelectionBar: {
                const bool second = IsSecondClick();
                RecordListClick();
                if (second) ApplyToEngineFromWindow();
                return true;
            }
            case kApply:
            case ThemeDetails::kApply:
                if (const int row = bar_->Row(); row != kNone && (row == kEntryAbove || ApplyRow(row, true, false)))
                    ApplyToEngineFromWindow();
                return true;
            case ThemeDetails::kApplyAndGoBack: {
                // The theme whose details are shown, wherever the list has put it since.
                if (details_->File().empty()) return true;
                const bool applied = details_->ShowsEntryAbove() || ApplyFile(details_->File(), true);
                ShowPanel(Panel::Themes);
                if (applied) ApplyToEngineFromWindow();
                return true;
            }
            case kShowDetails:
                if (const int row = CommandRow(control, true); row != kNone)
                    if (details_->Fill(ThemePath(row), row == kEntryAbove)) ShowPanel(Panel::Details);
                return true;
            case InUseBox::kSlotCommand:
                ShowPanel(Panel::Details);
                return true;
            case ThemeDetails::kBackLink:
                ShowPanel(Panel::Themes);
                return true;
            case kTrack:
                list_->TrackClick();
                return true;
            case kDeleteTheme:
                if (const THEME_INFO* record = list_->Record(CommandRow(control, true)); record && !record->optionLock)
                    themecommands::AskAndDelete(record->path);
                return true;
            case kProperties:
                if (const THEME_INFO* record = list_->Record(CommandRow(control, true)))
                    ShowThemePropertiesDialog(gUi.window, *record);
                return true;
            case kWebSite:
                if (const THEME_INFO* record = list_->Record(CommandRow(control, true)))
                    themecommands::OpenWebSite(record->website);
                return true;
            case kEditTheme:
                if (const int row = CommandRow(control, false); row != kNone)
                    if (const std::wstring path = ThemePath(row); !path.empty())
                        themecommands::StartEditor((L"\"" + path + L"\"").c_str());
                return true;
            case kNewTheme:
                themecommands::StartEditor(nullptr);
                return true;
            case InUseBox::kBoxCommand:
                return true;
        }
        return commandId == kScrollThumb || commandId == kScrollUp || commandId == kScrollDown ||
               ThemeDetails::IsScrollPart(commandId);
    }

    void OnHoverEnter(CTXObj* control) override {
        if (control->commandId == InUseBox::kBoxCommand) list_->HoverEntryAbove();
    }

    void OnHoverMove(CTXObj* control, int, int y) override {
        if (control) list_->OnPointerMove(control->commandId, control->kind, y, bar_->Row());
    }

    void OnHoverLeave(CTXObj*, HVObj* next) override {
        const int id = CommandIdOf(next);
        if (id != kListContent && id != kHoverBar && id != InUseBox::kBoxCommand) list_->List().HideHover();
    }

    bool OnWheel(int delta) override {
        if (!IsPanelShown(Panel::Themes)) return false;
        list_->Wheel(delta);
        return true;
    }

    void OnLibraryChanged() override { Fill(); }

private:
    void Select(int row) { bar_->Select(row, list_->Record(row)); }

    // The selection goes to the row in use; to row 0 while the theme in use is none of the rows.
    void SelectInUseRow() {
        Select(current_ == kEntryAbove ? 0 : current_);
        list_->List().HideHover();
    }

    // The row a theme command acts on: the row of the bar whose button was pressed, never the row
    // the pointer was over last (a quick move onto a button leaves that behind); for the Delete
    // key (sent to the list's content) the row the keys are on. guarded: only well after the last
    // list click, so that the second click of a row click never lands on a button that the bar
    // has just brought under the pointer.
    int CommandRow(const CTXObj* control, bool guarded) const {
        if (guarded && !SlowClickAllowed()) return kNone;
        if (!control) return kNone;
        if (control->Parent() == list_->List().SelectionBar()) return bar_->Row();
        if (control->commandId == kListContent) return list_->KeyRow(bar_->Row());
        return kNone;
    }

    // The theme file a row stands for: a theme row's file, the current-theme file for the entry
    // above the list; empty for the system's pointers.
    std::wstring ThemePath(int row) const {
        if (const THEME_INFO* record = list_->Record(row)) return record->path;
        std::wstring path;
        if (row == kEntryAbove && gCurrentTheme && GetCurrentThemePath(path)) return path;
        return std::wstring();
    }

    std::unique_ptr<InUseBox> inUse_;
    std::unique_ptr<ThemeList> list_;
    std::unique_ptr<ThemeSelectionBar> bar_;
    std::unique_ptr<ThemeDetails> details_;
    int current_ = kEntryAbove;  // the row in use
    bool applying_ = false;
};

ThemesPanel* gThemes = nullptr;  // while the window is built

ThemesPanel::~ThemesPanel() {
    gThemes = nullptr;
}

}  // namespace

void BuildThemesPanel() {
    auto panel = std::make_unique<ThemesPanel>();
    gThemes = panel.get();
    gThemes->Build();
    AttachPanelState(PanelObject(Panel::Themes), std::move(panel));
}

void FillThemeList() {
    if (gThemes) gThemes->Fill();
}

int SelectedThemeRow() {
    return gThemes ? gThemes->Selected() : HoverList::kNone;
}

int ThemeRowInUse() {
    return gThemes ? gThemes->InUse() : ThemeList::kEntryAbove;
}

bool ApplyThemeRow(int index, bool takeParts) {
    return gThemes && gThemes->ApplyRow(index, takeParts, false);
}

bool LoadThemeIntoUI(const std::wstring& path, bool save, bool takeParts) {
    return gThemes && gThemes->LoadIntoUI(path, save, takeParts, nullptr) == ThemeChange::kDone;
}
