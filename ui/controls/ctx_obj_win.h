#pragma once
// CTXObj: the control class of the settings window. Every button, link, list row, tab head,
// panel, image and label is one, built by the factories of control_factory_win.h. A control
// carries a command id and a kind; its event operations change its look by kind and hand
// commands, hovers and the wheel to the window through ControlEvents.
#include "graphics/hv_obj.h"

// Interaction styles.
constexpr int KIND_PLAIN = 0;         // no automatic state changes (labels, images, areas, panels)
constexpr int KIND_LIST_ITEM = 101;   // "Over" / "Away" on hover unless "Selected"
constexpr int KIND_FADE_PANEL = 102;  // hides itself once its "Hide" fade has played
constexpr int KIND_BUTTON = 103;      // "Default", "Over", "Down"
constexpr int KIND_HOT_ROW = 104;     // a list row: hovering it moves its list's hover bar

// The command id of the about panel, whose visibility the window's language box follows.
constexpr int kAboutPanelCommand = 101;

class CTXObj : public HVObj {
public:
    explicit CTXObj(uint32_t objectKind = HVK_CHILD);
    CTXObj(uint32_t objectKind, HVWindowHost* host);

    int commandId = 0;
    int kind = KIND_PLAIN;

    void OnStateChanging(const std::wstring& name, uint32_t flags) override;
    void OnStateChanged(const std::wstring& name, uint32_t flags) override;
    bool OnLButtonDown(int x, int y) override;
    bool OnLButtonUp(int x, int y, bool dragged) override;
    bool OnRButtonUp(int x, int y, bool dragged) override;
    bool OnMouseMove(int x, int y) override;
    bool OnMouseEnter() override;
    bool OnMouseLeave(HVObj* next) override;
    bool OnDrag(int x, int y, int deltaX, int deltaY) override;
    bool OnDragEnd() override;
    bool OnPressCancelled() override;
    bool OnMouseWheel(int delta) override;
    bool OnKeyDown(unsigned key, uint32_t data) override;
};

// The control's command id, or 0 for an object that is not a control.
int CommandIdOf(const HVObj* object);
