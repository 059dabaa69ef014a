#pragma once
// A list of the window: a scroll list whose content holds rows of one height, with a hover bar
// that follows the pointer from row to row and a selection bar on the chosen row. The bars lie
// under the rows' pictures and texts; the rows themselves let the pointer through, so the content
// (between bars) or a bar takes it, and the content's mouse moves place the hover bar.
#include <memory>
#include <vector>

#include "ui/controls/scroll_list_win.h"

class CTXObj;
class HVObj;

struct HoverListSetup {
    ScrollListSetup scroll;
    int hoverBarId = 0;
    int selectionBarId = 0;
    int rowHeight = 0;  // screen pixels
    // MoveHover ignores rows at or past row count + this (0: any row count).
    int hoverLimitExtra = 0;
    // The selection bar's width when it differs from the rows' (0: as wide as a row).
    int selectionBarWidth = 0;
};

class HoverList {
public:
    static constexpr int kNone = -2;

    // Builds the viewport at (x, y) of parent, width x height with the bar.
    HoverList(HVObj* parent, int x, int y, int width, int height, const HoverListSetup& setup);
    ~HoverList();
    HoverList(const HoverList&) = delete;
    HoverList& operator=(const HoverList&) = delete;

    // Every list of the window, for the keyboard.
    static const std::vector<HoverList*>& All();
    const HoverListSetup& Setup() const { return setup_; }

    ScrollList& Scroll() { return *scroll_; }
    CTXObj* Content() const { return scroll_->Content(); }
    CTXObj* HoverBar() const { return hoverBar_; }
    CTXObj* SelectionBar() const { return selectionBar_; }
    int RowHeight() const { return rowHeight_; }
    int RowWidth() const { return scroll_->ContentWidth(); }

    // Destroys every row (not the bars).
    void ClearRows();
    // Appends a row at y = row height x its index: an area of the row's size, kind KIND_HOT_ROW,
    // that lets the pointer through. Pictures and texts go inside it.
    CTXObj* AddRow(int commandId);
    const std::vector<CTXObj*>& Rows() const { return rows_; }
    int RowCount() const { return static_cast<int>(rows_.size()); }
    // The content becomes as tall as the rows (or contentHeight when given); the thumb goes up.
    void FinishRows(int contentHeight = -1);

    int HoverIndex() const { return hoverIndex_; }
    int SelectedIndex() const { return selectedIndex_; }
    // The hover bar goes to the row and shows, unless the row is the selected one.
    void MoveHover(int index);
    void HideHover();
    // The selection bar goes to the row; the hover bar hides.
    void Select(int index);
    // The row under a y of the content.
    int RowAt(int contentY) const { return rowHeight_ > 0 ? contentY / rowHeight_ : 0; }
    // The content, the hover bar or the selection bar.
    bool IsOwnArea(int commandId) const;
    // Scrolls as little as needed for the row to be fully in view.
    void ScrollToRow(int index);

private:
    HoverListSetup setup_;
    std::unique_ptr<ScrollList> scroll_;
    CTXObj* hoverBar_ = nullptr;
    CTXObj* selectionBar_ = nullptr;
    std::vector<CTXObj*> rows_;
    int rowHeight_ = 0;
    int hoverIndex_ = kNone;
    int selectedIndex_ = kNone;
};
