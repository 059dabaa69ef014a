#include "ui/panels/panel_list_win.h"

#include <algorithm>

#include "ui/controls/ctx_obj_win.h"

namespace {

constexpr int kUnscaledStepMargin = 18;

HoverListSetup SetupOf(const PanelListIds& ids, int rowHeight) {
    HoverListSetup setup;
    setup.scroll.thumbId = ids.thumb;
    setup.scroll.upId = ids.up;
    setup.scroll.downId = ids.down;
    setup.scroll.trackId = ids.track;
    setup.scroll.contentId = ids.content;
    setup.scroll.upTimer = ids.upTimer;
    setup.scroll.downTimer = ids.downTimer;
    setup.scroll.step = ids.step;
    setup.hoverBarId = ids.hoverBar;
    setup.selectionBarId = ids.selectionBar;
    setup.rowHeight = rowHeight;
    return setup;
}

}  // namespace

int ListArrowStep(int trackHeight, int thumbHeight, int rows) {
    const int travel = trackHeight - thumbHeight - kUnscaledStepMargin;
    return std::max(1, (travel / std::max(1, rows)) / 2);
}

PanelList::PanelList(HVObj* panel, int x, int y, int width, int height, int rowHeight, const PanelListIds& ids)
    : ids_(ids), list_(std::make_unique<HoverList>(panel, x, y, width, height, SetupOf(ids, rowHeight))) {}

bool PanelList::IsOwnArea(const HVObj* object) const {
    const int id = CommandIdOf(object);
    if (id == 0) return false;
    return list_->IsOwnArea(id) || std::find(ownCommands_.begin(), ownCommands_.end(), id) != ownCommands_.end();
}

bool PanelList::OnHoverMove(const CTXObj* control, int, int y) {
    if (!control) return false;
    if (control->commandId == ids_.content) {
        HoverRow(list_->RowAt(y));
        return true;
    }
    if (control->commandId == ids_.selectionBar) {
        list_->MoveHover(list_->SelectedIndex());
        return true;
    }
    return false;
}

void PanelList::OnHoverLeave(const HVObj* next) {
    if (!IsOwnArea(next)) list_->HideHover();
}

void PanelList::HoverRow(int row) {
    if (row < 0 || row >= list_->RowCount()) {
        list_->HideHover();
        return;
    }
    list_->MoveHover(row);
}

void PanelList::Select(int row, bool scroll) {
    list_->Select(row >= 0 && row < list_->RowCount() ? row : HoverList::kNone);
    if (scroll && row >= 0) list_->ScrollToRow(row);
}

void PanelList::CountRows(int rows) {
    ScrollList& scroll = list_->Scroll();
    scroll.SetStep(ListArrowStep(scroll.TrackHeight(), scroll.ThumbHeight(), rows));
}

void PanelList::Wheel(int delta) {
    ScrollList& scroll = list_->Scroll();
    scroll.DragThumb(-scroll.Step() * delta / 120);
}
