#pragma once
// The settings window's process-wide state, owned by the UI thread: the window and its language
// box, the adopted root object, the eight panels and seven navigation tabs, and the click and list
// bookkeeping the panels share.
#include <windows.h>

class CTXObj;

enum class Panel { MoreThemes, Effects, Trails, Sounds, Options, About, Themes, Details };
constexpr int kPanelCount = 8;
constexpr int kTabCount = 7;

struct UiState {
    HWND window = nullptr;
    HWND languageBox = nullptr;  // the dialog's combo box, control 1005
    CTXObj* root = nullptr;      // adopts the dialog; every control descends from it
    CTXObj* panels[kPanelCount] = {};
    CTXObj* tabs[kTabCount] = {};
    // System tick count (ms) of the last click that the list bars' click guards compare with.
    ULONGLONG lastClickTime = 0;
    // Which list of the effects and sounds panels the user worked in last: 0 none, 1 the events,
    // 2 the effects or sound files. Read by the wheel.
    int currentSubList = 0;
    bool glass = false;          // desktop composition is on: the glass check box shows
    bool frameExtended = false;  // the frame is extended into the client area (glass chosen)
};

extern UiState gUi;

inline CTXObj* PanelObject(Panel panel) {
    return gUi.panels[static_cast<int>(panel)];
}
// Shown and not fading out.
bool IsPanelShown(Panel panel);
