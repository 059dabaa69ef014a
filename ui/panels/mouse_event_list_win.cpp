#include "ui/panels/mouse_event_list_win.h"

#include "services/ui_text_ids.h"
#include "ui/controls/control_factory_win.h"
#include "ui/panels/panel_layout_win.h"
#include "ui/ui_metrics_win.h"

MouseEventList::MouseEventList(HVObj* panel, int x, int y, int width, int height, const PanelListIds& ids,
                               int slotCommand)
    : list_(panel, x, y, width, height, Scaled(kRowHeight), ids), slotCommand_(slotCommand) {
    using namespace panelstyle;
    list_.AddOwnCommand(slotCommand);
    HoverList& list = list_.List();
    const int slot = SlotSize();
    const int labelLeft = Scaled(10);
    // Long labels (some languages) wrap to a second line rather than run under the slot.
    const int labelWidth = list.RowWidth() - slot - labelLeft - Scaled(6);
    for (int event = 0; event < kEvents; ++event) {
        CTXObj* row = list.AddRow(0);
        CTXObj* label = CreateAlignedTextLabel(row, labelLeft, 0, Text(uitext::MouseEventText(event)),
                                               panelstyle::Text(kSmallPoints, kLabelInk), labelWidth);
        label->Move(labelLeft, (list.RowHeight() - ControlHeight(label)) / 2);
        slotBoxes_[event] = CreateRectangle(row, list.RowWidth() - slot, 0, slot, slot, kBoxFill, kBoxBorder);
    }
    list.FinishRows(list.RowHeight() * kEvents + Scaled(kContentPadding));
}

int MouseEventList::SlotSize() const {
    return Scaled(kRowHeight);
}

int MouseEventList::EventOfSlot(const HVObj* object) const {
    for (const HVObj* at = object; at; at = at->Parent())
        for (int event = 0; event < kEvents; ++event)
            if (at == slotBoxes_[event]) return event;
    return -1;
}
