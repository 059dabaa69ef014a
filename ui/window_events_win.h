#pragma once
// The settings window's handler of control events: it hands commands, slider values, hovers and
// the wheel to the panels (panel_handler_win.h), and keeps the language box with the about panel.
#include <vector>

#include "ui/controls/control_events_win.h"

class WindowEvents : public ControlEvents {
public:
    void OnCommand(CTXObj* control, int commandId) override;
    void OnSliderValue(CTXSliderObj* slider, int commandId, int value) override;
    void OnHoverEnter(CTXObj* control) override;
    void OnHoverMove(CTXObj* control, int x, int y) override;
    void OnHoverLeave(CTXObj* control, HVObj* next) override;
    void OnWheel(int delta) override;
    void OnLanguageBoxPanel(bool shown) override;
    bool OnKey(HVObj* target, unsigned key) override;
};

// Tells every panel that the library was scanned again.
void NotifyLibraryChanged();

// The commands that reached no panel, in order (the command table grows with the panels).
const std::vector<int>& UnhandledCommands();
