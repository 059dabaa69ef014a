#pragma once
// What the engine shows, from the tool's messages, the hot key and the mouse buttons. One owner
// (the engine's thread); every input is a call, every answer a question, so that the rules can be
// checked without a window.
//
// The order of the tool's messages: it posts "settings changing" and then sends "reload". A sent
// message overtakes posted ones still waiting, so the pause may be handled after the reload that
// followed it. The engine's window removes the pauses still queued when a reload runs (they were
// posted before it); here a reload ends any pause, so that whatever the order the engine ends in
// the state of the last reload.
#include <cstdint>

enum class PointerShow {
    kSystem,     // the system's own pointers
    kTheme,      // the theme's normal pointers
    kThemeHeld,  // the theme's pointers with the button-held ones in place
};

class EngineModes {
public:
    // "Settings changing": what plays stops until the next reload; the pointers stay.
    void SettingsChanging() { paused_ = true; }
    // A reload applied the theme: playing resumes, and the theme's pointers show again even when
    // the hot key had switched them off (applying a theme asks to see it).
    void Reloaded();
    // The hot key: between the theme's pointers and the system's. Answers whether the theme's now
    // show.
    bool ToggleTheme();
    // The mouse buttons held now (any bit: a button is down).
    void SetButtons(uint32_t mask) { buttons_ = mask; }
    // The tool's trail preview box has the pointer: the engine's own trail stays out of it.
    void SetOverTrailPreview(bool inside) { overTrailPreview_ = inside; }

    bool Paused() const { return paused_; }
    bool ThemeShown() const { return themeShown_; }
    bool OverTrailPreview() const { return overTrailPreview_; }
    uint32_t Buttons() const { return buttons_; }
    PointerShow Show() const;
    // Whether the pointer's moves matter now (the dynamic shadow follows them).
    bool FollowsPointer() const { return themeShown_ && !paused_; }

private:
    bool paused_ = false;
    bool themeShown_ = true;
    bool overTrailPreview_ = false;
    uint32_t buttons_ = 0;
};
