#include "ui/controls/control_events_win.h"

namespace {

ControlEvents* gEvents = nullptr;
HWND gWindow = nullptr;

}  // namespace

void SetControlEvents(ControlEvents* events) {
    gEvents = events;
}

ControlEvents* GetControlEvents() {
    return gEvents;
}

void SetControlWindow(HWND window) {
    gWindow = window;
}

HWND ControlWindow() {
    return gWindow;
}
