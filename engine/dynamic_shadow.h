#pragma once
// The dynamic shadow: a light above the screen casts the pointer's shadow, so its offset follows
// where the pointer is. The light stands at (LightX, LightY) from the primary display's centre, at
// LightHeight above the screen; the pointer floats CursorHeight above it. The shadow falls where
// the line from the light through the pointer meets the screen.
//
// Redrawing a cursor costs a render, a file and a system call, so the shadow is redrawn sparingly:
//  - the shown still cursor is rebuilt when the rounded offset changes, at most 30 times a second
//    (a change within 1/30 s of the last rebuild waits for the rest of that time);
//  - every other cursor, and an animated one in any case, takes the new offset once the pointer
//    has rested for kShadowRestMs: replacing an animated cursor restarts its animation, so it is
//    never replaced while the pointer moves;
//  - "MovSmooth" smooths the pointer position the shadow follows: the followed point moves towards
//    the pointer with a time constant of MovSmooth x 5 ms (0: at once; 100: half a second), so
//    that the shadow glides after a jerky hand instead of jumping.
// Nothing waits once the offsets are current: the owner sets a timer only for the wake-up time
// a step answers, and none when it answers none.
#include <cstdint>

struct LightSetup {
    int lightX = -65;  // from the primary display's centre, in pixels
    int lightY = -700;
    int lightHeight = 9303;  // above the screen, in pixels
    int cursorHeight = 26;
    int movSmooth = 0;  // 0 to 100
};

struct ShadowOffset {
    int x = 0;
    int y = 0;
    bool operator==(const ShadowOffset& other) const { return x == other.x && y == other.y; }
    bool operator!=(const ShadowOffset& other) const { return !(*this == other); }
};

// The offsets stay within the static shadow's range.
constexpr int kMaxShadowOffset = 100;
// At most 30 rebuilds a second: rebuilds at least this far apart.
constexpr int64_t kShadowRebuildMs = 34;
// The pointer counts as resting after this long without moving.
constexpr int64_t kShadowRestMs = 300;

// The offset of the shadow of a pointer at (x, y) from the display's centre, rounded.
ShadowOffset LightShadowOffset(const LightSetup& light, double x, double y);

struct ShadowWork {
    bool rebuildShown = false;  // redraw the shown still cursor with offset
    bool rebuildRest = false;   // redraw every cursor with offset
    ShadowOffset offset;
    int64_t wakeAt = -1;  // call Wake then; -1 when nothing is pending
};

class DynamicShadow {
public:
    // The cursors were just built for a pointer at (x, y) with Offset(): nothing is pending.
    void Reset(const LightSetup& light, double x, double y, int64_t now);
    // The offset the cursors were built with at the last Reset.
    ShadowOffset Offset() const { return shown_; }

    ShadowWork Moved(double x, double y, int64_t now);
    ShadowWork Wake(int64_t now);

private:
    ShadowWork Step(int64_t now);

    LightSetup light_;
    double timeConstantMs_ = 0;
    double targetX_ = 0, targetY_ = 0;  // the pointer
    double x_ = 0, y_ = 0;              // the followed point
    int64_t lastAdvance_ = 0;
    int64_t lastMove_ = 0;
    int64_t lastRebuild_ = 0;
    ShadowOffset shown_;  // the shown cursor's offset
    ShadowOffset rest_;   // every other cursor's
};
