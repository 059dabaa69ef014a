#pragma once
// Ties a panel's own state (its lists' arrangement, a theme loaded for a preview) to the window's
// objects: an invisible object in the panel's tree owns it, so it goes when the window's objects
// go, while the graphics library and the lists' bookkeeping still exist, rather than with the
// process's static objects after them.
#include <memory>

class HVObj;

class PanelState {
public:
    virtual ~PanelState() = default;
};

// Hands state to a new, never shown child of panel.
void AttachPanelState(HVObj* panel, std::unique_ptr<PanelState> state);
