#pragma once
// Which cursor file each system cursor shows, and what to hand the system to show another set:
// the theme's normal cursors, its button-held ones, or the system's own. The system takes its own
// pointers back only all at once, so a cursor that must go back to the system's makes every
// other one be set again after the restore; otherwise only the cursors that change are set.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/dynamic_shadow.h"
#include "engine/engine_modes.h"
#include "engine/system_cursors.h"

// A cursor file in the cache, as the engine built it.
struct CursorFile {
    int index = 0;  // the system cursor
    bool held = false;
    bool animated = false;
    std::wstring path;
    ShadowOffset offset;  // the shadow it was drawn with
};

struct PointerPlan {
    bool restoreFirst = false;           // give the system all its own pointers back first
    std::vector<const CursorFile*> set;  // then hand it these
};

class ShownPointers {
public:
    // What to do so that the system cursors show `show` with these files; the state then counts
    // the plan as done.
    PointerPlan Plan(const std::vector<CursorFile>& files, PointerShow show);
    // One file was written again (the dynamic shadow): set again by the next plan if it shows.
    void FileChanged(int index, bool held);
    // The system's own pointers came back by other means (another program reloaded them).
    void SystemRestored();
    // Whether any system cursor shows a file of the theme.
    bool AnyReplaced() const;

private:
    enum Shown : int8_t { kSystemCursor, kNormal, kHeld };
    std::array<Shown, kSystemCursorCount> shown_{};
    std::array<bool, kSystemCursorCount> stale_{};
};
