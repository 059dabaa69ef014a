#include "ui/panels/theme_list_win.h"

#include <windows.h>

#include <algorithm>
#include <utility>
#include <vector>

#include "app/app_state_win.h"
#include "base/text_compare.h"
#include "base/text_encoding.h"
#include "graphics/hv_bitmap_state.h"
#include "graphics/hv_lock.h"
#include "services/ui_text_ids.h"
#include "theme/theme.h"
#include "theme/theme_library.h"
#include "ui/controls/control_factory_win.h"
#include "ui/panels/panel_layout_win.h"
#include "ui/panels/panel_trace_win.h"
#include "ui/panels/theme_list_layout.h"
#include "ui/ui_metrics_win.h"
#include "ui/window_state_win.h"

namespace {

using namespace panelstyle;

constexpr int kListContent = 4;
constexpr int kTrack = 40;
constexpr int kHoverBar = 41;
constexpr int kSelectionBar = 42;
constexpr int kRowHeight = 50;
constexpr int kPreviewBoxWidth = 60;  // the arrow's box at the row's left; the name starts here
constexpr int kTrackClickStep = 5;

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

// A cursor picture plays over and over: a preview that played once when the list was filled
// would stand still by the time anyone looks at it.
void PlayOverAndOver(HVBitmapState& state) {
    if (state.FrameCount() > 1)
        state.SetAnimation(state.FrameCount(), state.FrameDelay(), state.ModeFlags() | HVS_LOOP);
}

// The thumbnail state the preview task prepared, taken out of its theme.
std::unique_ptr<HVBitmapState> TakeThumbnail(ThemePreview& preview) {
    CCursor* arrow = preview.theme->FindCursor(0, 1, 1);
    if (!arrow || arrow->image.get() != preview.thumbnail) return nullptr;
    preview.thumbnail = nullptr;
    return std::move(arrow->image);
}

// The arrow's visible part centred in the box at the row's left, never closer than 2 pixels to
// the box's top or left edge (the preview task measured the visible part already). Hidden.
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

CTXObj* AddName(CTXObj* row, const std::wstring& name, int rowHeight) {
    const int left = Scaled(kPreviewBoxWidth);
    CTXObj* label = CreateTextLabel(row, left, 0, name, panelstyle::Text(kBodyPoints, kLabelInk));
    label->Move(left, (rowHeight - ControlHeight(label)) / 2);
    return label;
}

void CopyTexts(const CTheme& theme, const std::wstring& name, THEME_INFO& entry) {
    THEME_INFO::SetText(entry.name, name, THEME_INFO::kNameCapacity);
    THEME_INFO::SetText(entry.author, theme.author.value_or(L""), THEME_INFO::kAuthorCapacity);
    THEME_INFO::SetText(entry.email, theme.email.value_or(L""), THEME_INFO::kEmailCapacity);
    THEME_INFO::SetText(entry.website, theme.website.value_or(L""), THEME_INFO::kWebsiteCapacity);
    THEME_INFO::SetText(entry.version, theme.version.value_or(L""), THEME_INFO::kVersionCapacity);
    entry.description = theme.description;
}

}  // namespace

ThemeList::ThemeList(HVObj* panel, const ThemeListSetup& setup) {
    HoverListSetup list;
    list.scroll = kThemeScroll;
    list.hoverBarId = kHoverBar;
    list.selectionBarId = kSelectionBar;
    list.rowHeight = Scaled(kRowHeight);
    list.selectionBarWidth = setup.selectionBarWidth;
    // The list's content is as wide as a row; the scroll bar and its gap come on top.
    list_ = std::make_unique<HoverList>(panel, setup.x, setup.y, setup.rowWidth + 2 + Scaled(17) + Scaled(2),
                                        setup.height, list);
}

FilledThemeList ThemeList::Fill(const std::wstring* inUseName) {
    HoverList& list = *list_;
    list.ClearRows();
    list.HideHover();
    hover_ = kNone;
    const int height = list.RowHeight();
    AddName(list.AddRow(kRowBase), Text(uitext::kSystemPointers), height);

    FilledThemeList filled;
    std::vector<THEME_INFO>& records = gThemeLibrary.cursorThemes;
    std::vector<THEME_INFO> listed;
    listed.reserve(records.size());
    LoadThemePreviews(records, gUiScale, [&](size_t index, ThemePreview& preview) {
        if (!preview.theme) {
            ++filled.leftOut;
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
        entry.captionObject = AddName(rowObject, entry.name, height);
        if (inUseName && textcmp::EqualIgnoringCase(entry.name, *inUseName)) filled.inUseRow = row;
        filled.names += "|" + text::Utf16ToUtf8(entry.name) + (entry.previewObject ? "" : " (no preview)");
        listed.push_back(std::move(entry));
    });
    records = std::move(listed);
    // The arrows start to play once every row is there: the toolkit's updater ticks each shown
    // animation under the library's lock, which every new row also needs, so pictures shown early
    // would slow the rest of the fill down.
    for (THEME_INFO& entry : records)
        if (entry.previewObject) entry.previewObject->Show();

    list.FinishRows(height * list.RowCount());
    ScrollList& scroll = list.Scroll();
    scroll.SetStep(
        ThemeListArrowStep(scroll.TrackHeight(), scroll.ThumbHeight(), static_cast<int>(records.size()), gUiScale));
    return filled;
}

const THEME_INFO* ThemeList::Record(int row) const {
    if (row < 1) return nullptr;
    const size_t index = static_cast<size_t>(row - 1);
    return index < gThemeLibrary.cursorThemes.size() ? &gThemeLibrary.cursorThemes[index] : nullptr;
}

int ThemeList::RowOfFile(const std::wstring& path) const {
    const auto& records = gThemeLibrary.cursorThemes;
    for (size_t i = 0; i < records.size(); ++i)
        if (!path.empty() && textcmp::EqualIgnoringCase(records[i].path, path)) return static_cast<int>(i) + 1;
    return kNone;
}

int ThemeList::RowNamed(const std::wstring& name) const {
    int found = kEntryAbove;
    const auto& records = gThemeLibrary.cursorThemes;
    for (size_t i = 0; i < records.size(); ++i)
        if (textcmp::EqualIgnoringCase(records[i].name, name)) found = static_cast<int>(i) + 1;
    return found;
}

void ThemeList::OnPointerMove(int commandId, int kind, int contentY, int selectedRow) {
    if (commandId == kListContent) {
        HoverRow(list_->RowAt(contentY));
    } else if (kind == KIND_HOT_ROW && commandId >= kRowBase) {
        HoverRow(commandId - kRowBase);
    } else if (commandId == kSelectionBar && selectedRow >= 0) {
        HoverRow(selectedRow);
    }
}

void ThemeList::HoverEntryAbove() {
    // The in-use box is the entry above the list; the hover bar has no place there.
    hover_ = kEntryAbove;
    list_->HideHover();
}

int ThemeList::KeyRow(int selectedRow) const {
    if (list_->HoverBar()->IsVisible() && hover_ >= 0) return hover_;
    return selectedRow;
}

void ThemeList::HoverRow(int row) {
    if (row < 0 || row >= list_->RowCount()) {
        list_->HideHover();
        return;
    }
    hover_ = row;
    list_->MoveHover(row);
}

void ThemeList::TrackClick() {
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

void ThemeList::Wheel(int delta) {
    ScrollList& scroll = list_->Scroll();
    scroll.DragThumb(-scroll.Step() * delta / 120);
}
