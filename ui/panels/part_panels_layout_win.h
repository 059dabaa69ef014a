#pragma once
// Where things sit in the effects, sounds and trails panels, in design pixels from the panel's top
// left (the panel is 551 wide). The event lists are tall enough for their nine rows, so they never
// need their scroll bar at any scale.
#include "ui/controls/ctx_obj_win.h"

namespace partlayout {

constexpr int kPanelWidth = 551;
constexpr int kPanelHeight = 600;
constexpr int kIntroTop = 62;
constexpr int kListTop = 100;
constexpr int kListHeight = 420;
constexpr int kFirstListWidth = 262;
constexpr int kGap = 4;
constexpr int kSecondListLeft = 16 + kFirstListWidth + kGap;          // 282
constexpr int kSecondListWidth = kPanelWidth - 16 - kSecondListLeft;  // 253
constexpr int kButtonWidth = 100;
constexpr int kButtonHeight = 27;

}  // namespace partlayout

// The panel's one-line introduction under its heading.
CTXObj* CreatePanelIntro(HVObj* panel, int textId);
// The apply button at the panel's lower right.
CTXObj* CreateApplyButton(HVObj* panel, int commandId);
