#include "ui/controls/ctx_obj_win.h"

#include "base/text_compare.h"
#include "ui/controls/control_events_win.h"
#include "ui/controls/scroll_list_win.h"

namespace {

bool Is(const std::wstring& name, const wchar_t* state) {
    return textcmp::EqualIgnoringCase(name, state);
}

}  // namespace

CTXObj::CTXObj(uint32_t objectKind) : HVObj(objectKind) {}

CTXObj::CTXObj(uint32_t objectKind, HVWindowHost* host) : HVObj(objectKind, host) {}

int CommandIdOf(const HVObj* object) {
    const auto* control = dynamic_cast<const CTXObj*>(object);
    return control ? control->commandId : 0;
}

void CTXObj::OnStateChanging(const std::wstring& name, uint32_t flags) {
    if (commandId == kAboutPanelCommand && Is(name, hvstate::kHide))
        if (ControlEvents* events = GetControlEvents()) events->OnLanguageBoxPanel(false);
    HVObj::OnStateChanging(name, flags);
}

void CTXObj::OnStateChanged(const std::wstring& name, uint32_t flags) {
    // A panel hides itself once its fade-out has played: hidden, not merely transparent, so it
    // is neither drawn nor hit.
    if (kind == KIND_FADE_PANEL && Is(name, hvstate::kHide)) Hide();
    if (commandId == kAboutPanelCommand && Is(name, hvstate::kShow))
        if (ControlEvents* events = GetControlEvents()) events->OnLanguageBoxPanel(true);
    HVObj::OnStateChanged(name, flags);
}

bool CTXObj::OnLButtonDown(int x, int y) {
    if (kind == KIND_BUTTON) ChangeState(hvstate::kDown);
    if (ScrollList* list = ScrollList::ForArrow(commandId)) list->PressArrow(commandId);
    return HVObj::OnLButtonDown(x, y);
}

bool CTXObj::OnLButtonUp(int x, int y, bool dragged) {
    if (kind == KIND_BUTTON) ChangeState(hvstate::kOver);
    if (ScrollList* list = ScrollList::ForArrow(commandId)) list->ReleaseArrow(commandId);
    if (!dragged && commandId != 0) {
        // The command may destroy this control (a list rebuilt): nothing of it is used after.
        if (ControlEvents* events = GetControlEvents()) events->OnCommand(this, commandId);
        return true;
    }
    return HVObj::OnLButtonUp(x, y, dragged);
}

bool CTXObj::OnRButtonUp(int, int, bool) {
    return true;  // the right button does nothing on a control
}

bool CTXObj::OnMouseMove(int x, int y) {
    if (ControlEvents* events = GetControlEvents()) events->OnHoverMove(this, x, y);
    return HVObj::OnMouseMove(x, y);
}

bool CTXObj::OnMouseEnter() {
    if (kind == KIND_LIST_ITEM && !IsInState(hvstate::kSelected)) ChangeState(hvstate::kOver);
    if (kind == KIND_BUTTON) ChangeState(hvstate::kOver);
    if (ControlEvents* events = GetControlEvents()) events->OnHoverEnter(this);
    return HVObj::OnMouseEnter();
}

bool CTXObj::OnMouseLeave(HVObj* next) {
    if (kind == KIND_BUTTON) ChangeState(hvstate::kDefault);
    if (kind == KIND_LIST_ITEM && !IsInState(hvstate::kSelected)) ChangeState(hvstate::kAway);
    if (ControlEvents* events = GetControlEvents()) events->OnHoverLeave(this, next);
    return HVObj::OnMouseLeave(next);
}

bool CTXObj::OnDrag(int x, int y, int deltaX, int deltaY) {
    if (ScrollList* list = ScrollList::ForThumb(commandId)) {
        list->DragThumb(deltaY);
        return true;
    }
    return HVObj::OnDrag(x, y, deltaX, deltaY);
}

bool CTXObj::OnDragEnd() {
    return HVObj::OnDragEnd();
}

bool CTXObj::OnPressCancelled() {
    // What the press started ends as a release would end it, but no command runs.
    if (kind == KIND_BUTTON) ChangeState(hvstate::kDefault);
    if (ScrollList* list = ScrollList::ForArrow(commandId)) list->ReleaseArrow(commandId);
    return HVObj::OnPressCancelled();
}

bool CTXObj::OnKeyDown(unsigned key, uint32_t data) {
    if (ControlEvents* events = GetControlEvents(); events && events->OnKey(this, key)) return true;
    return HVObj::OnKeyDown(key, data);
}

bool CTXObj::OnMouseWheel(int delta) {
    if (ControlEvents* events = GetControlEvents()) events->OnWheel(delta);
    return HVObj::OnMouseWheel(delta);
}
