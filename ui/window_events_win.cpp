#include "ui/window_events_win.h"

#include <algorithm>
#include <vector>

#include "ui/keyboard_win.h"
#include "ui/panel_handler_win.h"
#include "ui/window_state_win.h"

namespace {

std::vector<PanelHandler*>& Handlers() {
    static std::vector<PanelHandler*> handlers;
    return handlers;
}

std::vector<int>& Unhandled() {
    static std::vector<int> commands;
    return commands;
}

}  // namespace

void RegisterPanelHandler(PanelHandler* handler) {
    auto& handlers = Handlers();
    if (std::find(handlers.begin(), handlers.end(), handler) == handlers.end()) handlers.push_back(handler);
}

void UnregisterPanelHandlers() {
    Handlers().clear();
}

void WindowEvents::OnCommand(CTXObj* control, int commandId) {
    // A handler may rebuild the control's list: the control is not used after its command.
    for (PanelHandler* handler : std::vector<PanelHandler*>(Handlers()))
        if (handler->OnCommand(control, commandId)) return;
    Unhandled().push_back(commandId);
}

void WindowEvents::OnSliderValue(CTXSliderObj*, int commandId, int value) {
    for (PanelHandler* handler : Handlers())
        if (handler->OnSliderValue(commandId, value)) return;
}

void WindowEvents::OnHoverEnter(CTXObj* control) {
    for (PanelHandler* handler : Handlers()) handler->OnHoverEnter(control);
}

void WindowEvents::OnHoverMove(CTXObj* control, int x, int y) {
    for (PanelHandler* handler : Handlers()) handler->OnHoverMove(control, x, y);
}

void WindowEvents::OnHoverLeave(CTXObj* control, HVObj* next) {
    for (PanelHandler* handler : Handlers()) handler->OnHoverLeave(control, next);
}

void WindowEvents::OnWheel(int delta) {
    for (PanelHandler* handler : Handlers())
        if (handler->OnWheel(delta)) return;
}

void WindowEvents::OnLanguageBoxPanel(bool shown) {
    if (!gUi.languageBox) return;
    if (shown) {
        EnableWindow(gUi.languageBox, TRUE);
        ShowWindow(gUi.languageBox, SW_SHOW);
    } else {
        ShowWindow(gUi.languageBox, SW_HIDE);
        EnableWindow(gUi.languageBox, FALSE);
        SetFocus(gUi.window);
    }
}

bool WindowEvents::OnKey(HVObj* target, unsigned key) {
    return keyboard::HandleKey(target, key);
}

void NotifyLibraryChanged() {
    for (PanelHandler* handler : std::vector<PanelHandler*>(Handlers())) handler->OnLibraryChanged();
}

const std::vector<int>& UnhandledCommands() {
    return Unhandled();
}
