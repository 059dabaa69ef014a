#pragma once
// What a panel of the window answers: the commands of its controls, its sliders, the pointer over
// its lists, the wheel while it is shown, and a change of the theme library. The window hands each
// event to the handlers in the order they were registered until one takes it.
class CTXObj;
class HVObj;

class PanelHandler {
public:
    virtual ~PanelHandler() = default;
    // True when the command was this panel's.
    virtual bool OnCommand(CTXObj* control, int commandId) { return false; }
    virtual bool OnSliderValue(int commandId, int value) { return false; }
    virtual void OnHoverEnter(CTXObj* control) {}
    virtual void OnHoverMove(CTXObj* control, int x, int y) {}
    virtual void OnHoverLeave(CTXObj* control, HVObj* next) {}
    // The wheel turned; true when this panel is shown and scrolled.
    virtual bool OnWheel(int delta) { return false; }
    // The Themes folder changed and the library was scanned again: rebuild the lists.
    virtual void OnLibraryChanged() {}
};

// Handlers live as long as the window; registering twice does nothing.
void RegisterPanelHandler(PanelHandler* handler);
void UnregisterPanelHandlers();
