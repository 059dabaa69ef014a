#pragma once
// The themes panel's list: row 0 for the system's own pointers, then one row per installed cursor
// theme with its animated arrow and its name, filled from the theme library in loading batches.
// It owns the rows, the scroll list with its two bars, and the hovered row; which row is selected
// and which one is in use belong to the selection bar and the panel.
#include <memory>
#include <string>

#include "ui/lists/hover_list_win.h"

struct THEME_INFO;
class CTXObj;
class HVObj;

struct ThemeListSetup {
    int x = 0, y = 0;  // the viewport's place in the panel
    int rowWidth = 0;
    int height = 0;
    int selectionBarWidth = 0;
};

// What a fill found: the row whose theme is named like the theme in use (the last one; -1 for
// none) and how many records were left out because their file could not be loaded any more.
struct FilledThemeList {
    int inUseRow = -1;
    int leftOut = 0;
    std::string names;  // "|name" per listed theme, "(no preview)" after a name without its arrow
};

class ThemeList {
public:
    static constexpr int kNone = HoverList::kNone;
    static constexpr int kEntryAbove = -1;  // the in-use box above the list
    static constexpr int kRowBase = 300;    // command id of row r: kRowBase + r

    ThemeList(HVObj* panel, const ThemeListSetup& setup);

    // Rebuilds every row from the library's cursor themes. A record whose theme cannot be loaded
    // any more is left out of the list and out of the library, so that row i keeps showing record
    // i - 1. inUseName (when given) is compared with each theme's name, ignoring case.
    FilledThemeList Fill(const std::wstring* inUseName);

    HoverList& List() { return *list_; }
    int RowCount() const { return list_->RowCount(); }
    // The library record of a theme row (1 ..), or null.
    const THEME_INFO* Record(int row) const;
    // The row listing the theme file (the path compared without regard to case), or kNone.
    int RowOfFile(const std::wstring& path) const;
    // The last row whose theme has that name (ignoring case), or kEntryAbove.
    int RowNamed(const std::wstring& name) const;

    // The row the pointer is over (kEntryAbove over the in-use box), kNone before the first move.
    int Hovered() const { return hover_; }
    // The pointer moved over the list's content, a row or the selection bar (selectedRow is where
    // the bar is): the hover bar follows.
    void OnPointerMove(int commandId, int kind, int contentY, int selectedRow);
    // The pointer entered the in-use box: the entry above the list is hovered.
    void HoverEntryAbove();
    // The row keys act on: the hover bar's while it shows, else the selected row.
    int KeyRow(int selectedRow) const;

    // A click on the scroll track moves the thumb 5·s towards the pointer.
    void TrackClick();
    void Wheel(int delta);

private:
    void HoverRow(int row);

    std::unique_ptr<HoverList> list_;
    int hover_ = kNone;
};
