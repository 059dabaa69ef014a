#pragma once
// The nine mouse events as the first list of the effects and sounds panels: one row per event with
// its label and, at the row's right end, a slot box (a light rectangle) in which the panel shows
// what the event has. The rows and boxes belong to the list's content.
#include "ui/panels/panel_list_win.h"

class MouseEventList {
public:
    static constexpr int kEvents = 9;
    static constexpr int kRowHeight = 45;  // design pixels, also the slot box's size
    // Below the last row, as the content's height counts it.
    static constexpr int kContentPadding = 10;

    // slotCommand is the command of the slot objects the panel puts into the boxes: they count as
    // part of the list, and the hover bar goes to a slot's row when the pointer is over it.
    MouseEventList(HVObj* panel, int x, int y, int width, int height, const PanelListIds& ids, int slotCommand);

    PanelList& List() { return list_; }
    int SlotCommand() const { return slotCommand_; }
    int SlotSize() const;
    CTXObj* SlotBox(int event) const { return event >= 0 && event < kEvents ? slotBoxes_[event] : nullptr; }
    // The event whose slot box holds the object, or -1.
    int EventOfSlot(const HVObj* object) const;

private:
    PanelList list_;
    int slotCommand_;
    CTXObj* slotBoxes_[kEvents] = {};
};
