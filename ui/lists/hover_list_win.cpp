#include "ui/lists/hover_list_win.h"

#include <algorithm>

#include "graphics/hv_state.h"
#include "resources/artwork_ids.h"
#include "ui/controls/control_factory_win.h"
#include "ui/controls/ctx_obj_win.h"
#include "ui/ui_metrics_win.h"

namespace {

constexpr int kBarMargin = 6;  // the bars' unscaled edges

CTXObj* CreateBar(CTXObj* content, int width, int height, int commandId, int artwork) {
    const int margin = Scaled(kBarMargin);
    CTXObj* bar = CreateStretchedImage(content, 0, 0, width, height, margin, margin, margin, margin, artwork);
    MakeClickable(bar, commandId, HVC_ARROW);
    bar->Hide();
    return bar;
}

}  // namespace

namespace {

std::vector<HoverList*>& Registry() {
    static std::vector<HoverList*> lists;
    return lists;
}

}  // namespace

const std::vector<HoverList*>& HoverList::All() {
    return Registry();
}

HoverList::~HoverList() {
    auto& lists = Registry();
    lists.erase(std::remove(lists.begin(), lists.end(), this), lists.end());
}

HoverList::HoverList(HVObj* parent, int x, int y, int width, int height, const HoverListSetup& setup)
    : setup_(setup), rowHeight_(std::max(setup.rowHeight, 1)) {
    Registry().push_back(this);
    scroll_ = std::make_unique<ScrollList>(parent, x, y, width, height, setup.scroll);
    hoverBar_ = CreateBar(Content(), RowWidth(), rowHeight_, setup.hoverBarId, IDP_LIST_HOVER);
    const int selectionWidth = setup.selectionBarWidth > 0 ? setup.selectionBarWidth : RowWidth();
    selectionBar_ = CreateBar(Content(), selectionWidth, rowHeight_, setup.selectionBarId, IDP_LIST_SELECTED);
}

void HoverList::ClearRows() {
    for (CTXObj* row : rows_) delete row;
    rows_.clear();
}

CTXObj* HoverList::AddRow(int commandId) {
    CTXObj* row = CreateArea(Content(), 0, rowHeight_ * RowCount(), RowWidth(), rowHeight_);
    row->kind = KIND_HOT_ROW;
    row->commandId = commandId;
    if (auto* state = row->CurrentVisual()) state->SetHitMode(HVH_NEVER);
    rows_.push_back(row);
    return row;
}

void HoverList::FinishRows(int contentHeight) {
    scroll_->SetContentHeight(contentHeight >= 0 ? contentHeight : rowHeight_ * RowCount());
}

void HoverList::MoveHover(int index) {
    if (setup_.hoverLimitExtra > 0 && index >= RowCount() + setup_.hoverLimitExtra) return;
    if (index < 0) return;
    hoverIndex_ = index;
    hoverBar_->Move(0, rowHeight_ * index);
    if (index == selectedIndex_)
        hoverBar_->Hide();
    else
        hoverBar_->Show();
}

void HoverList::HideHover() {
    hoverBar_->Hide();
}

void HoverList::Select(int index) {
    selectedIndex_ = index;
    if (index >= 0) {
        selectionBar_->Move(0, rowHeight_ * index);
        selectionBar_->Show();
    } else {
        selectionBar_->Hide();
    }
    hoverBar_->Hide();
}

bool HoverList::IsOwnArea(int commandId) const {
    return commandId != 0 && (commandId == setup_.scroll.contentId || commandId == setup_.hoverBarId ||
                              commandId == setup_.selectionBarId);
}

void HoverList::ScrollToRow(int index) {
    if (index < 0) return;
    scroll_->ScrollIntoView(rowHeight_ * index, rowHeight_ * (index + 1));
}
