#pragma once
// Where the controls send what they cannot decide themselves. Controls carry a command id and
// react to the mouse on their own (button looks, list item looks, slider knobs, scroll thumbs);
// what a command does, which list a hover belongs to and what a slider value means is the
// window's business. The window (or the gallery) installs one handler for the whole process.
#include <windows.h>

class HVObj;
class CTXObj;
class CTXSliderObj;

class ControlEvents {
public:
    virtual ~ControlEvents() = default;

    // A click released over the control without a drag: run the command of its id.
    virtual void OnCommand(CTXObj* control, int commandId) = 0;
    // A slider reports a value (while dragging, or once at the end for a deferred slider).
    virtual void OnSliderValue(CTXSliderObj* slider, int commandId, int value) = 0;
    // The pointer entered, moved over (local coordinates) or left a control.
    virtual void OnHoverEnter(CTXObj* control) {}
    virtual void OnHoverMove(CTXObj* control, int x, int y) {}
    virtual void OnHoverLeave(CTXObj* control, HVObj* next) {}
    // The wheel turned over the window; delta in multiples of 120, positive away from the user.
    virtual void OnWheel(int delta) {}
    // A key went down while the control (or the window's own object) had the focus; true when
    // it was used.
    virtual bool OnKey(HVObj* target, unsigned key) { return false; }
    // A control with the about panel's id starts to hide (false) or has been shown (true): the
    // window's language box follows it.
    virtual void OnLanguageBoxPanel(bool shown) {}
};

// The process's handler; null until one is installed (then events are dropped).
void SetControlEvents(ControlEvents* events);
ControlEvents* GetControlEvents();

// The window that owns the controls' timers (the scroll arrows' repeat).
void SetControlWindow(HWND window);
HWND ControlWindow();
