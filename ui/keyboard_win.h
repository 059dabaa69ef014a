#pragma once
// The window from the keyboard. Tab and Shift+Tab move a focus through the sidebar, then the shown
// panel's lists, buttons, check boxes, sliders and links in reading order; a ring in the window's
// style marks it after a key and hides at the next mouse click. The keys call the same commands as
// the mouse: Enter and Space act as a click, the arrows move a list's selection (the theme list's
// hover bar, which Enter then applies) or a slider, Ctrl+Tab switches panels, Delete on the theme
// list asks to delete the theme, Esc closes the window.
#include <string>
#include <vector>

class HVObj;

namespace keyboard {

// Prepares the focus ring and the language box's keys (after the window is built).
void Attach();
// Forgets everything (before the window's objects go).
void Detach();

// A key went down; true when it was used.
bool HandleKey(HVObj* target, unsigned key);

// The mouse was pressed in the window: the ring hides until the next key.
void OnMouseInput();

// One place the focus can be, as the focus order lists it.
struct FocusStop {
    std::string kind;   // "tabs", "list", "button", "slider", "language"
    int commandId = 0;  // the control's (the hover bar's for a list; 0 for the tabs and the box)
    int x = 0, y = 0;   // its top left in client pixels
};
// The focus order of what is shown now.
std::vector<FocusStop> FocusOrder();

}  // namespace keyboard
