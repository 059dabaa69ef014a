#pragma once
// A list of the effects, sounds or trails panel: a HoverList with the command ids of its parts and
// the pointer rules these lists share. A move over the content puts the hover bar on the row under
// the pointer (it hides past the last row), a move over the selection bar puts it back on the
// selected row (where it hides), and it hides when the pointer leaves the list for anything that is
// not part of it. The list's objects belong to the panel; PanelList only arranges them.
#include <windows.h>

#include <memory>
#include <vector>

#include "ui/lists/hover_list_win.h"

class CTXObj;
class HVObj;

// In order: content, hover bar, selection bar, thumb, up and down arrows, track, the arrows' repeat
// timers, first arrow step.
struct PanelListIds {
    int content = 0;
    int hoverBar = 0;
    int selectionBar = 0;
    int thumb = 0;
    int up = 0;
    int down = 0;
    int track = 0;
    UINT upTimer = 0;
    UINT downTimer = 0;
    int step = 5;  // arrow step in pixels until the rows are counted

    // The scroll bar's parts: their clicks need nothing more (the arrows act on the press, the
    // thumb on the drag, the track on nothing).
    bool IsScrollPart(int commandId) const {
        return commandId != 0 && (commandId == thumb || commandId == up || commandId == down || commandId == track);
    }
};

// The arrow step of a list of n rows or records: max(1, ((track − thumb − 18) / max(1, n)) / 2),
// all in screen pixels except the 18, which is not scaled.
int ListArrowStep(int trackHeight, int thumbHeight, int rows);

class PanelList {
public:
    PanelList(HVObj* panel, int x, int y, int width, int height, int rowHeight, const PanelListIds& ids);

    HoverList& List() { return *list_; }
    const HoverList& List() const { return *list_; }
    const PanelListIds& Ids() const { return ids_; }

    // Objects with this command id count as part of the list (the slots of the event rows).
    void AddOwnCommand(int commandId) { ownCommands_.push_back(commandId); }
    bool IsOwnArea(const HVObj* object) const;

    // The pointer over a control; true when the control was the content or the selection bar.
    bool OnHoverMove(const CTXObj* control, int x, int y);
    void OnHoverLeave(const HVObj* next);
    // The hover bar on a row (ignored past the last row).
    void HoverRow(int row);

    // The selection bar on a row (-1 or less: none). With scroll the list scrolls as little as
    // needed to show it; a click never scrolls, so the second click of a double click stays on it.
    void Select(int row, bool scroll = false);
    int Selected() const { return list_->SelectedIndex(); }

    // Sets the arrow step from the count of rows or records.
    void CountRows(int rows);
    // The wheel: the thumb moves up by the arrow step for each notch away from the user.
    void Wheel(int delta);

private:
    PanelListIds ids_;
    std::unique_ptr<HoverList> list_;
    std::vector<int> ownCommands_;
};
