#pragma once
// The trail preview's pieces: CHVTrail, one sprite dropped at the pointer that plays its image
// once and then asks to be destroyed, and TrailSpawnClock, the rule that keeps sprites at least
// one emission interval apart however fast the pointer moves.
//
// A sprite belongs to the object it was spawned into and owns its one state (a deep copy of the
// trail image, so later changes to the theme leave it alone). It cannot destroy itself: its end is
// reported from inside the updater's sweep, so the end handler must destroy it later, outside the
// sweep (the Windows build posts it to the window, hv_trail_win.h). A sprite whose image never
// finishes (a frame script) stays until its parent destroys it.
#include <cstddef>
#include <cstdint>
#include <string>

#include "graphics/hv_obj.h"

class HVBitmapState;
class CHVTrail;

class CHVTrail : public HVObj {
public:
    CHVTrail();
    ~CHVTrail() override;

    // Hands the sprite to the end handler once its animation has played, then does what HVObj does.
    void OnStateChanged(const std::wstring& name, uint32_t flags) override;
};

// The most sprites one parent holds: a sprite whose image never finishes stays until its parent
// destroys it, and each holds a bitmap copy and an updater entry.
constexpr size_t kMaxLiveTrailSprites = 100;

// Makes a sprite under parent with the image's hot spot at (x, y) of the parent's child space:
// a copy of image under the same name with its own bitmap, never hit by the pointer (the area
// below keeps the hover), started from its first frame and shown. When the parent holds
// kMaxLiveTrailSprites sprites already, the oldest go first.
CHVTrail* SpawnTrailSprite(HVObj* parent, const HVBitmapState& image, int x, int y);

// Receives each sprite whose animation has ended; it must not destroy the sprite during the call.
// Null (the default) leaves finished sprites in place.
using TrailEndHandler = void (*)(CHVTrail* sprite);
void SetTrailEndHandler(TrailEndHandler handler);

// Allows a new sprite only when more than 1000 / rate milliseconds (integer division) have passed
// since the previous one, on a 64-bit millisecond clock. A rate of 0 or less allows none.
class TrailSpawnClock {
public:
    explicit TrailSpawnClock(int rate = 20) : rate_(rate) {}

    void SetRate(int rate) { rate_ = rate; }
    int Rate() const { return rate_; }
    // Milliseconds that must be exceeded between two sprites; -1 for a rate that allows none.
    int64_t Interval() const { return rate_ > 0 ? 1000 / rate_ : -1; }

    // True when a sprite may be made at now, which then counts as the previous one.
    bool TrySpawn(uint64_t now);
    // Forgets the previous sprite: the next TrySpawn succeeds.
    void Reset() { hasPrevious_ = false; }

private:
    int rate_;
    bool hasPrevious_ = false;
    uint64_t previous_ = 0;
};
