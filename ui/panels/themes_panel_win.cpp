#include "ui/panels/themes_panel_win.h"

#include <windows.h>

#include <algorithm>
#include <future>
#include <initializer_list>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "services/folders_win.h"
#include "services/settings.h"
#include "services/settings_win.h"
#include "services/ui_text_ids.h"
#include "base/text_compare.h"
#include "base/text_encoding.h"
#include "graphics/hv_lock.h"
#include "graphics/cursor_appearance.h"
#include "graphics/hv_bitmap.h"
#include "graphics/hv_bitmap_state.h"
#include "graphics/hv_state.h"
#include "graphics/hv_text_params.h"
#include "resources/artwork_ids.h"
#include "theme/theme.h"
#include "theme/theme_library.h"
#include "theme/theme_tables.h"
#include "ui/apply_win.h"
#include "ui/click_guards_win.h"
#include "ui/controls/control_factory_win.h"
#include "ui/current_theme_win.h"
#include "ui/dialogs/theme_properties_dialog_win.h"
#include "ui/lists/hover_list_win.h"
#include "ui/panel_handler_win.h"
#include "ui/panels/effects_panel_win.h"
#include "ui/panels/options_panel_win.h"
#include "ui/panels/options_settings_win.h"
#include "ui/panels/panel_layout_win.h"
#include "ui/panels/panel_state_win.h"
#include "ui/panels/panel_trace_win.h"
#include "ui/panels/part_views_win.h"
#include "ui/panels/sounds_panel_win.h"
#include "ui/panels/theme_list_layout.h"
#include "ui/panels/trails_panel_win.h"
#include "ui/sidebar_win.h"
#include "ui/ui_metrics_win.h"
#include "ui/web_links_win.h"
#include "ui/window_state_win.h"

namespace {

using namespace panelstyle;

// Command ids of the two panels' controls.
constexpr int kListContent = 4;
constexpr int kEditTheme = 5;
constexpr int kShowDetails = 6;
constexpr int kWebSite = 8;
constexpr int kNewTheme = 26;
constexpr int kInUseSlot = 28;
constexpr int kApplyAndGoBack = 37;
constexpr int kTrack = 40;
constexpr int kHoverBar = 41;
constexpr int kSelectionBar = 42;
constexpr int kProperties = 44;
constexpr int kDeleteTheme = 50;
constexpr int kInUseBox = 51;
constexpr int kApply = 93;
constexpr int kDetailsApply = 94;
constexpr int kBackLink = 35;
constexpr int kRowBase = 300;  // row r of the list

constexpr int kNone = HoverList::kNone;
constexpr int kEntryAbove = -1;  // the in-use box, the fixed entry above the list

// Design layout (pixels at s = 1) in the panel's space.
constexpr int kPanelWidth = 551;
constexpr int kPanelHeight = 600;
constexpr int kIntroTop = 62;
constexpr int kGap = 10;
constexpr int kRowHeight = 50;
constexpr int kPreviewBoxWidth = 60;  // the arrow's box at the row's left; the name starts here
constexpr int kInUseHeight = 50;
constexpr int kSlotCount = 8;
constexpr int kSlotStep = 64;
constexpr int kSlotInset = 5;
constexpr int kSlotNullSize = 10;
constexpr int kInUseVisibleHeight = 46;
constexpr int kNameGap = 5;
constexpr int kButtonWidth = 100;
constexpr int kButtonHeight = 27;
constexpr int kButtonPadding = 24;
constexpr int kTrackClickStep = 5;
constexpr int kBackArrowSize = 16;
constexpr int kBackLinkTop = 62;

constexpr int kInUseRoles[] = {0, 2, 3, 5, 12, 18, 19};

constexpr wchar_t kNullState[] = L"null";
constexpr wchar_t kEditorProgram[] = L"ThemeEditor.exe";

const ScrollListSetup kThemeScroll = [] {
    ScrollListSetup setup;
    setup.thumbId = 9;
    setup.upId = 38;
    setup.downId = 39;
    setup.trackId = kTrack;
    setup.contentId = kListContent;
    setup.upTimer = 202;
    setup.downTimer = 201;
    setup.step = 5;
    setup.repeatByPixel = true;
    return setup;
}();

const ScrollListSetup kDetailsScroll = [] {
    ScrollListSetup setup;
    setup.thumbId = 10;
    return setup;
}();

// For the start-up figures of the diagnostic lines: how long the process has run.
long long MillisecondsSinceProcessStart() {
    FILETIME created, exited, kernel, user, now;
    if (!GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user)) return -1;
    GetSystemTimeAsFileTime(&now);
    const auto ticks = [](const FILETIME& t) { return (ULONGLONG(t.dwHighDateTime) << 32) | t.dwLowDateTime; };
    return static_cast<long long>((ticks(now) - ticks(created)) / 10000);
}

int Bottom(const HVObj* control) {
    return control->GetStateRect().bottom;
}

// A cursor picture plays over and over: a preview that played once when the list was filled
// would stand still by the time anyone looks at it.
void PlayOverAndOver(HVBitmapState& state) {
    if (state.FrameCount() > 1)
        state.SetAnimation(state.FrameCount(), state.FrameDelay(), state.ModeFlags() | HVS_LOOP);
}

// A copy of a cursor's picture as a decoration: named "Default", fully opaque, its own bitmap.
std::unique_ptr<HVBitmapState> CursorCopy(const HVBitmapState& image) {
    auto copy = std::make_unique<HVBitmapState>(hvstate::kDefault, image, true);
    copy->SetOpacity(255);
    return copy;
}

// The visible height of a state's picture (rows with alpha above the threshold).
int VisibleHeight(const HVBitmapState& state) {
    const HVBitmap* bitmap = state.Bitmap();
    if (!bitmap) return state.Height();
    int left = 0, top = 0, right = -1, bottom = -1;
    bitmap->GetOpaqueBounds(&left, &top, &right, &bottom, kVisibleAlphaThreshold);
    return bottom >= top ? bottom - top : 0;
}

// The appearance settings on an in-use copy, then shrunk to the box's visible height.
std::unique_ptr<HVBitmapState> PrepareInUse(std::unique_ptr<HVBitmapState> state, CursorAppearance look, int limit) {
    look.size = 100;  // the box shows every cursor at its own size
    ApplyCursorAppearance(*state, look);
    const int visible = VisibleHeight(*state);
    if (visible > limit && visible > 0)
        state->Resize(std::max(1, static_cast<int>(int64_t(state->Width()) * limit / visible)),
                      std::max(1, static_cast<int>(int64_t(state->Height()) * limit / visible)));
    state->SetOffset(0, 0);
    state->SetHitMode(HVH_BOX);  // the slot takes the click where its picture is
    PlayOverAndOver(*state);
    return state;
}

void ShowIf(CTXObj* control, bool shown) {
    if (!control) return;
    if (shown)
        control->Show();
    else
        control->Hide();
}

class ThemesPanel : public PanelHandler, public PanelState {
public:
    ~ThemesPanel() override;

    void Build() {
        BuildThemes();
        BuildDetails();
        RegisterPanelHandler(this);
    }

    // --- the list ---

    // Rebuilds the rows from the library: row 0 for the system's pointers, then one row per
    // cursor theme with its animated arrow and name, loaded in batches. Then the row of the theme
    // in use (the last of that name) is selected, or row 0 without one.
    void Fill() {
        HoverList& list = *list_;
        list.ClearRows();
        list.HideHover();
        hover_ = kNone;
        selected_ = kNone;
        current_ = kEntryAbove;
        const int height = list.RowHeight();
        AddName(list.AddRow(kRowBase), Text(uitext::kSystemPointers));

        const bool haveInUse = gCurrentTheme != nullptr;
        const std::wstring inUse = haveInUse ? gCurrentTheme->DisplayName() : std::wstring();
        std::vector<THEME_INFO>& records = gThemeLibrary.cursorThemes;
        std::vector<THEME_INFO> listed;
        listed.reserve(records.size());
        std::string traced;
        int leftOut = 0;
        LoadThemePreviews(records, gUiScale, [&](size_t index, ThemePreview& preview) {
            // A record whose theme cannot be loaded any more (the file went away or was damaged
            // after the scan) leaves its row out; the rest of the list is still filled. The record
            // goes too, so that row i keeps showing record i - 1.
            if (!preview.theme) {
                ++leftOut;
                PanelTrace("theme-row left out " + text::Utf16ToUtf8(records[index].path));
                return;
            }
            // One hold of the library's lock for the row's objects instead of one per operation.
            hvlock::Guard lock(hvlock::kPositionTimeout);
            THEME_INFO entry = records[index];
            CopyTexts(*preview.theme, preview.entry.name, entry);
            const int row = list.RowCount();
            CTXObj* rowObject = list.AddRow(kRowBase + row);
            entry.previewObject = nullptr;
            if ((entry.flags & kThemeHasCursors) && preview.thumbnail)
                entry.previewObject = AddArrow(rowObject, preview, height);
            entry.captionObject = AddName(rowObject, entry.name);
            if (haveInUse && textcmp::EqualIgnoringCase(entry.name, inUse)) current_ = row;
            traced += "|" + text::Utf16ToUtf8(entry.name) + (entry.previewObject ? "" : " (no preview)");
            listed.push_back(std::move(entry));
        });
        records = std::move(listed);
        // The arrows start to play once every row is there: the toolkit's updater ticks each shown
        // animation under the library's lock, which every new row also needs, so pictures shown
        // early would slow the rest of the fill down.
        for (THEME_INFO& entry : records)
            if (entry.previewObject) entry.previewObject->Show();

        list.FinishRows(height * list.RowCount());
        ScrollList& scroll = list.Scroll();
        scroll.SetStep(
            ThemeListArrowStep(scroll.TrackHeight(), scroll.ThumbHeight(), static_cast<int>(records.size()), gUiScale));
        if (current_ == kEntryAbove) {
            selected_ = 0;
            ShowButtons(false, false, false, false, false);
            list.Select(0);
            list.HideHover();
        } else {
            SelectTheme(current_);
        }
        PanelTrace("theme-list " + std::to_string(list.RowCount()) + " current " + std::to_string(current_) +
                   " selected " + std::to_string(selected_) + " step " + std::to_string(scroll.Step()) + " left-out " +
                   std::to_string(leftOut) + " since-start-ms " + std::to_string(MillisecondsSinceProcessStart()) +
                   traced);
    }

    // Puts the selection bar on a row and shows the buttons that row's theme allows.
    void SelectTheme(int index) {
        HoverList& list = *list_;
        if (index == selected_) {
            list.HideHover();
            if (index >= 0) list.SelectionBar()->Show();
            return;
        }
        if (index == kEntryAbove) {
            selected_ = kEntryAbove;
            ShowButtons(true, true, true, true, false);
            list.Select(kNone);  // the bar sits on the entry above the list, out of the content's view
        } else if (index == 0) {
            selected_ = 0;
            ShowButtons(false, false, false, false, false);
            list.Select(0);
        } else {
            const THEME_INFO* record = Record(index);
            if (!record) return;
            selected_ = index;
            const bool open = record->optionLock == 0;
            ShowButtons(true, open, true, !record->website.empty(), open);
            list.Select(index);
        }
        PanelTrace("theme-selected " + std::to_string(selected_));
    }

    // Makes a row the theme in use: a theme row's file is loaded and saved as the current
    // theme, row 0 goes back to the system's pointers.
    void ApplyTheme(int index, bool takeParts) {
        if (index < 0) return;
        current_ = index;
        applying_ = true;
        if (index == 0) {
            LoadIntoUI(std::wstring(), false, takeParts);
        } else if (const THEME_INFO* record = Record(index)) {
            const std::wstring path = record->path;
            LoadIntoUI(path, true, takeParts);
        }
        applying_ = false;
        PanelTrace("theme-applied row " + std::to_string(index));
    }

    int Selected() const { return selected_; }

    // --- the theme in use ---

    void LoadIntoUI(const std::wstring& path, bool save, bool takeParts) {
        if (path.empty()) {
            ReleaseCurrentTheme();
        } else {
            auto loaded = std::make_unique<CTheme>();
            if (!loaded->Load(path, false)) {
                PanelTrace("theme-load failed " + text::Utf16ToUtf8(path));
                return;
            }
            if (!gCurrentTheme) {
                gCurrentTheme = std::move(loaded);
            } else {
                TakeTheme(*loaded, takeParts);
            }
            gCurrentTheme->Rescale(gUiScale);
        }
        ShowThemeEffects(gCurrentTheme.get());
        ShowThemeSounds(gCurrentTheme.get());
        if (save && gCurrentTheme) SaveCurrentTheme();
        FillInUseBox();
        ShowInUseName();
        RefreshOptionsPreview();
        // The window reloaded the theme in use on its own (another program changed the file): the
        // list's current row follows its name.
        if (!applying_ && list_ && list_->RowCount() > 0) FindCurrentRow();
        if (PanelObject(Panel::Themes)) PanelObject(Panel::Themes)->Redraw(HVI_LATER);
    }

    // --- events ---

    bool OnCommand(CTXObj*, int commandId) override {
        switch (commandId) {
            case kListContent:
                if (hover_ >= 0 && hover_ < list_->RowCount()) SelectTheme(hover_);
                return true;
            case kHoverBar: {
                RecordListClick();
                const int row = list_->HoverIndex();
                if (row < 0 || row >= list_->RowCount()) return true;
                ResetOptions();
                SelectTheme(row);
                ApplyTheme(row, true);
                return true;
            }
            case kSelectionBar: {
                const bool second = IsSecondClick();
                RecordListClick();
                if (second) ApplyToEngineFromWindow();
                return true;
            }
            case kApply:
            case kDetailsApply:
                if (selected_ == kNone) return true;
                ApplyTheme(selected_, true);
                ApplyToEngineFromWindow();
                return true;
            case kApplyAndGoBack:
                if (detailsRow_ < 0) return true;
                ApplyTheme(detailsRow_, true);
                ShowPanel(Panel::Themes);
                ApplyToEngineFromWindow();
                return true;
            case kShowDetails:
                if (const int row = GuardedRow(); row != kNone && FillDetails(row)) ShowPanel(Panel::Details);
                return true;
            case kInUseSlot:
                ShowPanel(Panel::Details);
                return true;
            case kBackLink:
                ShowPanel(Panel::Themes);
                return true;
            case kTrack:
                TrackClick();
                return true;
            case kDeleteTheme:
                if (const int row = GuardedRow(); row != kNone) DeleteTheme(row);
                return true;
            case kProperties:
                if (const int row = GuardedRow(); row != kNone)
                    if (const THEME_INFO* record = Record(row)) ShowThemePropertiesDialog(gUi.window, *record);
                return true;
            case kWebSite:
                if (const int row = GuardedRow(); row != kNone)
                    if (const THEME_INFO* record = Record(row); record && !record->website.empty())
                        OpenWithShell(record->website.c_str());
                return true;
            case kEditTheme:
                if (const int row = CommandRow(); row != kNone)
                    if (const std::wstring path = ThemePath(row); !path.empty())
                        StartEditor((L"\"" + path + L"\"").c_str());
                return true;
            case kNewTheme:
                StartEditor(nullptr);
                return true;
            case kInUseBox:
                return true;
        }
        return commandId == kThemeScroll.thumbId || commandId == kThemeScroll.upId ||
               commandId == kThemeScroll.downId || commandId == kDetailsScroll.thumbId;
    }

    void OnHoverEnter(CTXObj* control) override {
        if (control->commandId != kInUseBox) return;
        // The in-use box is the entry above the list; the hover bar has no place there.
        hover_ = kEntryAbove;
        list_->HideHover();
    }

    void OnHoverMove(CTXObj* control, int, int y) override {
        if (!control) return;
        if (control->commandId == kListContent) {
            HoverRow(list_->RowAt(y));
        } else if (control->kind == KIND_HOT_ROW && control->commandId >= kRowBase) {
            HoverRow(control->commandId - kRowBase);
        } else if (control->commandId == kSelectionBar) {
            if (selected_ >= 0) HoverRow(selected_);
        }
    }

    void OnHoverLeave(CTXObj*, HVObj* next) override {
        const int id = CommandIdOf(next);
        if (id != kListContent && id != kHoverBar && id != kInUseBox) list_->HideHover();
    }

    bool OnWheel(int delta) override {
        if (!IsPanelShown(Panel::Themes)) return false;
        ScrollList& scroll = list_->Scroll();
        scroll.DragThumb(-scroll.Step() * delta / 120);
        return true;
    }

    void OnLibraryChanged() override { Fill(); }

private:
    // --- building ---

    void BuildThemes() {
        HVObj* panel = PanelObject(Panel::Themes);
        const int margin = Scaled(kMargin);
        const ThemeBarLayout bar = ComputeThemeBarLayout(gUiScale);
        CreatePanelHeading(panel, uitext::kThemesHeading);
        CTXObj* intro =
            CreateAlignedTextLabel(panel, margin, Scaled(kIntroTop), Text(uitext::kThemesIntro),
                                   panelstyle::Text(kBodyPoints, kMutedInk), Scaled(kPanelWidth) - 2 * margin);
        inUseLine_ = CreateTextLabel(panel, margin, Bottom(intro) + Scaled(kGap), Text(uitext::kThemeInUse),
                                     panelstyle::Text(kBodyPoints, kInk));
        ShowInUseName();  // the system's pointers until a theme is loaded

        // The in-use box, as wide as the list's viewport.
        const int boxWidth = bar.rowWidth + 2;
        inUseBox_ = CreateRectangle(panel, margin, Bottom(inUseLine_) + Scaled(kGap), boxWidth, Scaled(kInUseHeight),
                                    kBoxFill, kBoxBorder);
        MakeClickable(inUseBox_, kInUseBox, HVC_ARROW);
        for (int i = 0; i < kSlotCount; ++i) {
            auto* slot = new CTXObj;
            auto* none = new HVBlankState(kNullState);
            none->SetSize(Scaled(kSlotNullSize), Scaled(kSlotNullSize));
            slot->AddState(none);
            MakeClickable(slot, kInUseSlot);
            slot->SetMovable(false);
            slot->SetParent(inUseBox_);
            slot->Create();
            slot->Move(SlotHome(i), Scaled(kSlotInset));
            slot->Show();
            slots_[i] = slot;
        }

        // The buttons at the lower right, then the list down to them in whole rows.
        const int buttonTop = Scaled(kPanelHeight - kMargin - kButtonHeight);
        const int applyX = Scaled(kPanelWidth - kMargin - kButtonWidth);
        CTXObj* applyButton = CreatePushButton(panel, applyX, buttonTop, Scaled(kButtonWidth), Scaled(kButtonHeight),
                                               kApply, 0, Text(uitext::kApply));
        const int newWidth = ButtonWidth(Text(uitext::kNewTheme));
        CTXObj* newButton = CreatePushButton(panel, applyX - Scaled(kGap) - newWidth, buttonTop, newWidth,
                                             Scaled(kButtonHeight), kNewTheme, 0, Text(uitext::kNewTheme));

        const int listTop = Bottom(inUseBox_) + Scaled(kGap);
        const int rowHeight = Scaled(kRowHeight);
        const int height = ThemeListViewportHeight(buttonTop - Scaled(kGap) - listTop, rowHeight);
        HoverListSetup setup;
        setup.scroll = kThemeScroll;
        setup.hoverBarId = kHoverBar;
        setup.selectionBarId = kSelectionBar;
        setup.rowHeight = rowHeight;
        setup.selectionBarWidth = bar.barWidth;
        // The list's content is as wide as a row; the scroll bar and its gap come on top.
        list_ = std::make_unique<HoverList>(panel, margin, listTop, bar.rowWidth + 2 + Scaled(17) + Scaled(2), height,
                                            setup);
        for (int i = 0; i < ThemeBarLayout::kButtons; ++i) {
            const ThemeBarButton& b = bar.buttons[i];
            CTXObj* button = CreateSizedImage(list_->SelectionBar(), b.x, b.y, b.size, b.size, b.artwork);
            if (b.commandId == kDeleteTheme)
                if (auto* image = dynamic_cast<HVBitmapState*>(button->CurrentVisual()))
                    image->AddShadow(1, 1, 4, 128, 0);
            MakeClickable(button, b.commandId);
            buttons_[i] = button;
        }
        TraceLayout("themes-layout",
                    {{"rows", list_->Content()}, {"box", inUseBox_}, {"new", newButton}, {"apply", applyButton}});
    }

    // Where the panel's parts are in the window's client area, for the scenario tests.
    static void TraceLayout(const std::string& name, std::initializer_list<std::pair<const char*, HVObj*>> parts) {
        std::string line = name;
        for (const auto& [part, object] : parts) {
            int x = 0, y = 0;
            object->LocalOrigin(&x, &y);
            line += std::string(" ") + part + " " + std::to_string(x) + " " + std::to_string(y);
        }
        PanelTrace(line + " since-start-ms " + std::to_string(MillisecondsSinceProcessStart()));
    }

    void BuildDetails() {
        HVObj* panel = PanelObject(Panel::Details);
        const int margin = Scaled(kMargin);
        CreatePanelHeading(panel, uitext::kDetailsHeading);
        const int arrow = Scaled(kBackArrowSize);
        backArrow_ = CreateSizedImage(panel, margin, Scaled(kBackLinkTop), arrow, arrow, IDP_BACK_ARROW);
        MakeClickable(backArrow_, kBackLink);
        TextStyle link = panelstyle::Text(kSmallPoints, kLinkBlue);
        backText_ = CreateLinkButton(panel, margin + arrow + Scaled(6), Scaled(kBackLinkTop), kBackLink,
                                     Text(uitext::kBackToThemes), link);
        backArrow_->Move(margin, Scaled(kBackLinkTop) + (ControlHeight(backText_) - arrow) / 2);
        backArrow_->Hide();
        backText_->Hide();
        detailsLine_ = CreateTextLabel(panel, margin, Bottom(backText_) + Scaled(kGap), Text(uitext::kDetailsPointers),
                                       panelstyle::Text(kBodyPoints, kInk));
        // The theme's name goes under the line; the cursor area starts below it.
        detailsNameTop_ = Bottom(detailsLine_) + Scaled(4);
        const int areaTop = detailsNameTop_ + ControlHeight(detailsLine_) + Scaled(kGap);

        const int buttonTop = Scaled(kPanelHeight - kMargin - kButtonHeight);
        const int applyX = Scaled(kPanelWidth - kMargin - kButtonWidth);
        CTXObj* applyButton = CreatePushButton(panel, applyX, buttonTop, Scaled(kButtonWidth), Scaled(kButtonHeight),
                                               kDetailsApply, 0, Text(uitext::kApply));
        const int backWidth = ButtonWidth(Text(uitext::kApplyAndGoBack));
        CTXObj* applyAndBack =
            CreatePushButton(panel, applyX - Scaled(kGap) - backWidth, buttonTop, backWidth, Scaled(kButtonHeight),
                             kApplyAndGoBack, 0, Text(uitext::kApplyAndGoBack));

        const int width = Scaled(kPanelWidth) - 2 * margin;
        cursors_ = std::make_unique<ScrollList>(panel, margin, areaTop, width, buttonTop - Scaled(kGap) - areaTop,
                                                kDetailsScroll);
        TraceLayout("details-layout", {{"back", backText_},
                                       {"cursors", cursors_->Content()},
                                       {"apply-and-back", applyAndBack},
                                       {"apply", applyButton}});
    }

    int ButtonWidth(const std::wstring& caption) const {
        return std::max(Scaled(kButtonWidth), TextWidth(caption, kSmallPoints) + Scaled(kButtonPadding));
    }

    int SlotHome(int slot) const { return Scaled(kSlotInset) + Scaled(kSlotStep) * slot; }

    // --- rows ---

    CTXObj* AddName(CTXObj* row, const std::wstring& name) {
        const int left = Scaled(kPreviewBoxWidth);
        CTXObj* label = CreateTextLabel(row, left, 0, name, panelstyle::Text(kBodyPoints, kLabelInk));
        label->Move(left, (list_->RowHeight() - ControlHeight(label)) / 2);
        return label;
    }

    // The thumbnail state the preview task prepared, taken out of its theme.
    static std::unique_ptr<HVBitmapState> TakeThumbnail(ThemePreview& preview) {
        CCursor* arrow = preview.theme->FindCursor(0, 1, 1);
        if (!arrow || arrow->image.get() != preview.thumbnail) return nullptr;
        preview.thumbnail = nullptr;
        return std::move(arrow->image);
    }

    // The arrow's visible part centred in the box at the row's left, never closer than 2 pixels
    // to the box's top or left edge (the preview task measured the visible part already). Hidden.
    CTXObj* AddArrow(CTXObj* row, ThemePreview& preview, int rowHeight) {
        std::unique_ptr<HVBitmapState> state = TakeThumbnail(preview);
        if (!state) return nullptr;
        state->SetName(hvstate::kDefault);
        state->SetHitMode(HVH_NEVER);
        PlayOverAndOver(*state);
        // The bounds give the last column itself and each row plus one; nothing visible: the frame.
        int left = 0, top = 0, right = state->Width(), bottom = state->Height();
        if (preview.opaqueRight >= preview.opaqueLeft && preview.opaqueBottom >= preview.opaqueTop) {
            left = preview.opaqueLeft;
            right = preview.opaqueRight + 1;
            top = preview.opaqueTop - 1;
            bottom = preview.opaqueBottom;
        }
        const int x = (Scaled(kPreviewBoxWidth) - (right - left)) / 2 - left + state->TrimLeft();
        const int y = (rowHeight - (bottom - top)) / 2 - top + state->TrimTop();
        auto* picture = new CTXObj;
        picture->AddState(state.release());
        picture->SetMovable(false);
        picture->SetParent(row);
        picture->Create();
        picture->Move(std::max(x, 2), std::max(y, 2));
        return picture;  // shown by the fill when the list is complete
    }

    static void CopyTexts(const CTheme& theme, const std::wstring& name, THEME_INFO& entry) {
        THEME_INFO::SetText(entry.name, name, THEME_INFO::kNameCapacity);
        THEME_INFO::SetText(entry.author, theme.author.value_or(L""), THEME_INFO::kAuthorCapacity);
        THEME_INFO::SetText(entry.email, theme.email.value_or(L""), THEME_INFO::kEmailCapacity);
        THEME_INFO::SetText(entry.website, theme.website.value_or(L""), THEME_INFO::kWebsiteCapacity);
        THEME_INFO::SetText(entry.version, theme.version.value_or(L""), THEME_INFO::kVersionCapacity);
        entry.description = theme.description;
    }

    void HoverRow(int row) {
        if (row < 0 || row >= list_->RowCount()) {
            list_->HideHover();
            return;
        }
        hover_ = row;
        list_->MoveHover(row);
    }

    void ShowButtons(bool details, bool edit, bool properties, bool web, bool remove) {
        const bool shown[ThemeBarLayout::kButtons] = {details, edit, properties, web, remove};
        for (int i = 0; i < ThemeBarLayout::kButtons; ++i) ShowIf(buttons_[i], shown[i]);
    }

    const THEME_INFO* Record(int row) const {
        if (row < 1) return nullptr;
        const size_t index = static_cast<size_t>(row - 1);
        return index < gThemeLibrary.cursorThemes.size() ? &gThemeLibrary.cursorThemes[index] : nullptr;
    }

    // The theme file a row stands for: a theme row's file, the current-theme file for the entry
    // above the list; empty for the system's pointers.
    std::wstring ThemePath(int row) const {
        if (const THEME_INFO* record = Record(row)) return record->path;
        std::wstring path;
        if (row == kEntryAbove && gCurrentTheme && GetCurrentThemePath(path)) return path;
        return std::wstring();
    }

    // The row a theme command acts on: the hovered row, else the row in use.
    int CommandRow() const {
        if (hover_ >= 0) return hover_;
        if (current_ >= 0) return current_;
        return kNone;
    }

    // As CommandRow, for the commands of the selection bar's buttons: only well after the last
    // list click, so that the second click of a row click never lands on a button that the bar
    // has just brought under the pointer.
    int GuardedRow() const { return SlowClickAllowed() ? CommandRow() : kNone; }

    // After the window reloaded the theme in use: its row (the last of its name) becomes current
    // and selected; without a theme in use, row 0.
    void FindCurrentRow() {
        int found = kEntryAbove;
        if (gCurrentTheme) {
            const std::wstring name = gCurrentTheme->DisplayName();
            for (size_t i = 0; i < gThemeLibrary.cursorThemes.size(); ++i)
                if (textcmp::EqualIgnoringCase(gThemeLibrary.cursorThemes[i].name, name))
                    found = static_cast<int>(i) + 1;
        }
        current_ = found;
        SelectTheme(found == kEntryAbove ? 0 : found);
    }

    void TrackClick() {
        ScrollList& scroll = list_->Scroll();
        POINT point;
        if (!GetCursorPos(&point) || !ScreenToClient(gUi.window, &point)) return;
        int left = 0, top = 0;
        scroll.Track()->LocalOrigin(&left, &top);
        const int thumbTop = top + scroll.ThumbY();
        const int step = Scaled(kTrackClickStep);
        if (point.y < thumbTop)
            scroll.DragThumb(-step);
        else if (point.y >= thumbTop + scroll.ThumbHeight())
            scroll.DragThumb(step);
    }

    void DeleteTheme(int row) {
        const THEME_INFO* record = Record(row);
        if (!record || record->optionLock) return;
        // The question box runs its own message loop, in which the library may be rebuilt.
        const std::wstring path = record->path;
        const size_t slash = path.find_last_of(L"\\/");
        const std::wstring file = slash == std::wstring::npos ? path : path.substr(slash + 1);
        const std::wstring question = WithName(Text(uitext::kConfirmDeleteTheme), file);
        if (MessageBoxW(gUi.window, question.c_str(), L"Morvanta", MB_YESNO | MB_ICONQUESTION) != IDYES) return;
        // The folder watcher sees the file go and the list is filled again.
        DeleteFileW(path.c_str());
        PanelTrace("theme-deleted " + text::Utf16ToUtf8(file));
    }

    // The theme editor is a program of its own beside ours.
    static void StartEditor(const wchar_t* arguments) {
        std::wstring folder;
        if (!GetProgramFolder(folder)) return;
        const std::wstring editor = folder + L"\\" + kEditorProgram;
        if (GetFileAttributesW(editor.c_str()) == INVALID_FILE_ATTRIBUTES) {
            const std::wstring message = WithName(Text(uitext::kEditorMissing), editor);
            MessageBoxW(gUi.window, message.c_str(), L"Morvanta", MB_OK | MB_ICONERROR);
            return;
        }
        OpenWithShell(editor.c_str(), arguments);
    }

    // --- the in-use box ---

    // The cursors of the roles the box shows, each with the appearance settings as the options
    // preview draws them (prepared in parallel), side by side from the left; the arrow's untouched
    // copy becomes the options preview's source.
    void FillInUseBox() {
        for (int i = 0; i < kSlotCount; ++i) {
            CTXObj* slot = slots_[i];
            if (!slot) continue;
            slot->ChangeState(kNullState, HVC_FORCE);
            slot->RemoveState(hvstate::kDefault);
            slot->Move(SlotHome(i), Scaled(kSlotInset));
        }
        std::unique_ptr<HVBitmapState> source;
        std::vector<std::future<std::unique_ptr<HVBitmapState>>> tasks;
        std::string roles;
        if (gCurrentTheme) {
            const CursorAppearance look = PreviewAppearance(gSettings);
            const int limit = Scaled(kInUseVisibleHeight);
            for (int role : kInUseRoles) {
                CCursor* cursor = gCurrentTheme->FindCursor(role, 1, 1);
                if (!cursor || !cursor->image) continue;
                auto copy = CursorCopy(*cursor->image);
                if (role == 0) source = CursorCopy(*copy);
                roles += " " + std::to_string(role);
                tasks.push_back(std::async(std::launch::async, [state = std::move(copy), look, limit]() mutable {
                    return PrepareInUse(std::move(state), look, limit);
                }));
            }
        }
        std::vector<std::unique_ptr<HVBitmapState>> prepared;
        std::vector<BoxSize> sizes;
        for (auto& task : tasks) {
            prepared.push_back(task.get());
            sizes.push_back({prepared.back()->Width(), prepared.back()->Height()});
        }
        SetOptionsPreviewSource(std::move(source));
        if (!inUseBox_) return;
        const std::vector<BoxPlace> places =
            PlaceInUseCursors(sizes, ControlWidth(inUseBox_), ControlHeight(inUseBox_), gUiScale);
        for (size_t i = 0; i < places.size() && i < static_cast<size_t>(kSlotCount); ++i) {
            CTXObj* slot = slots_[i];
            slot->AddState(prepared[i].release());
            slot->ChangeState(hvstate::kDefault, HVC_FORCE);
            slot->Move(places[i].x, places[i].y);
        }
        PanelTrace("in-use roles" + roles + " placed " + std::to_string(places.size()));
    }

    // The name of the theme in use right after the in-use line.
    void ShowInUseName() {
        if (!inUseLine_) return;
        delete inUseName_;
        inUseName_ = nullptr;
        const std::wstring name = gCurrentTheme ? gCurrentTheme->DisplayName() : Text(uitext::kSystemPointers);
        const HVRect line = inUseLine_->GetStateRect();
        inUseName_ = CreateTextLabel(inUseLine_->Parent(), line.right + Scaled(kNameGap), line.top, name,
                                     panelstyle::Text(kBodyPoints, kMutedInk));
    }

    // Takes the loaded theme into the theme in use: its cursors and texts always, its sounds,
    // click effects and trail with takeParts (a part the loaded theme lacks is cleared).
    static void TakeTheme(CTheme& loaded, bool takeParts) {
        CTheme& current = *gCurrentTheme;
        current.TakeCursorsFrom(loaded);
        // The theme in use is known by its name (the list's current row, the in-use label): it
        // carries the texts of the theme whose cursors it now has.
        current.name = loaded.name;
        current.author = loaded.author;
        current.version = loaded.version;
        current.email = loaded.email;
        current.website = loaded.website;
        current.description = loaded.description;
        current.optionLock = loaded.optionLock;
        if (!takeParts) return;
        if (loaded.contentFlags & kThemeHasSounds)
            current.TakeSoundsFrom(loaded);
        else
            current.ClearSounds();
        if (loaded.contentFlags & kThemeHasClickEffects)
            current.TakeClickEffectsFrom(loaded);
        else
            current.ClearClickEffects();
        if (loaded.contentFlags & kThemeHasTrails) {
            current.TakeTrailsFrom(loaded);
            // The theme's own trail shows: no trail file chosen.
            SelectNoTrailRow();
            WriteStringSetting(std::wstring(), HKEY_CURRENT_USER, kProductKeyPath, kCurrentTrailValue);
        } else {
            current.ClearTrails();
        }
    }

    // --- the details panel ---

    // Every cursor of a row's theme in the grid, each with its role's label, and the theme's name.
    bool FillDetails(int row) {
        const std::wstring path = ThemePath(row);
        if (path.empty()) return false;
        CTheme theme;
        if (!theme.Load(path, false)) {
            PanelTrace("details load failed " + text::Utf16ToUtf8(path));
            return false;
        }
        theme.Rescale(gUiScale);
        CTXObj* area = cursors_->Content();
        area->DestroyChildren();
        const int width = cursors_->ContentWidth();
        const int height = cursors_->ViewportHeight() - 2;
        const DetailsGrid grid = ComputeDetailsGrid(width, height, gUiScale);
        const TextStyle labelStyle = panelstyle::Text(kSmallPoints, kLabelInk);
        int place = 0;
        std::string roles;
        for (int role = 0; role < kPointerRoleCount && place < DetailsGrid::kColumns * DetailsGrid::kRows; ++role) {
            CCursor* cursor = theme.FindCursor(role, 1, 1);
            if (!cursor || !cursor->image) continue;
            auto copy = CursorCopy(*cursor->image);
            copy->SetOffset(0, 0);
            copy->SetHitMode(HVH_NEVER);
            PlayOverAndOver(*copy);
            const BoxSize fit = FitIntoCell(copy->Width(), copy->Height(), grid.cellWidth, grid.cellHeight);
            if (fit.width != copy->Width() || fit.height != copy->Height()) copy->Resize(fit.width, fit.height);
            CreatePreviewObject(area, std::move(copy), grid.CellX(place), grid.CellY(place), grid.cellWidth,
                                grid.cellHeight);
            const PointerRole* info = FindPointerRole(role);
            CTXObj* label = CreateTextLabel(area, 0, 0, info && info->label ? info->label : L"", labelStyle);
            label->Move(grid.CellX(place) + (grid.cellWidth - ControlWidth(label)) / 2,
                        grid.LabelY(place) + (grid.labelBand - ControlHeight(label)) / 2);
            roles += " " + std::to_string(role);
            ++place;
        }
        cursors_->SetContentHeight(height);
        delete detailsName_;
        detailsName_ = CreateTextLabel(PanelObject(Panel::Details), Scaled(kMargin), detailsNameTop_,
                                       theme.DisplayName(), panelstyle::Text(kBodyPoints, kMutedInk));
        backArrow_->Show();
        backText_->Show();
        detailsRow_ = row;
        PanelTrace("details row " + std::to_string(row) + " roles" + roles + " cell " + std::to_string(grid.cellWidth) +
                   " " + std::to_string(grid.cellHeight));
        return true;
    }

    std::unique_ptr<HoverList> list_;
    CTXObj* buttons_[ThemeBarLayout::kButtons] = {};
    CTXObj* inUseLine_ = nullptr;
    CTXObj* inUseName_ = nullptr;
    CTXObj* inUseBox_ = nullptr;
    CTXObj* slots_[kSlotCount] = {};
    int hover_ = kNone;
    int selected_ = kNone;
    int current_ = kEntryAbove;
    bool applying_ = false;

    std::unique_ptr<ScrollList> cursors_;
    CTXObj* backArrow_ = nullptr;
    CTXObj* backText_ = nullptr;
    CTXObj* detailsLine_ = nullptr;
    CTXObj* detailsName_ = nullptr;
    int detailsNameTop_ = 0;
    int detailsRow_ = kNone;
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

void ApplyThemeRow(int index, bool takeParts) {
    if (gThemes) gThemes->ApplyTheme(index, takeParts);
}

void LoadThemeIntoUI(const std::wstring& path, bool save, bool takeParts) {
    if (gThemes) gThemes->LoadIntoUI(path, save, takeParts);
}
