// The dynamic shadow: where the light throws the shadow, and how seldom the engine redraws for it.
#include <gtest/gtest.h>

#include <vector>

#include "engine/dynamic_shadow.h"

namespace {

LightSetup Light(int x, int y, int height, int cursorHeight, int smooth = 0) {
    LightSetup light;
    light.lightX = x;
    light.lightY = y;
    light.lightHeight = height;
    light.cursorHeight = cursorHeight;
    light.movSmooth = smooth;
    return light;
}

TEST(LightShadowOffset, FallsAwayFromTheLightInProportionToTheHeights) {
    // Light 300 above the screen, pointer 100 above it: the shadow lies half as far beyond the
    // pointer as the pointer is from the light (100 / (300 − 100)).
    const LightSetup light = Light(0, -100, 300, 100);
    EXPECT_EQ(LightShadowOffset(light, 0, 0), (ShadowOffset{0, 50}));
    EXPECT_EQ(LightShadowOffset(light, 60, -100), (ShadowOffset{30, 0}));
    EXPECT_EQ(LightShadowOffset(light, -61, -100), (ShadowOffset{-31, 0}));  // rounded half away from zero
    // The stored defaults: a high light, a faint shift.
    EXPECT_EQ(LightShadowOffset(Light(-65, -700, 9303, 26), 0, 0), (ShadowOffset{0, 2}));
    // Never beyond the static shadow's range, even with the light at or below the pointer.
    EXPECT_EQ(LightShadowOffset(light, 10000, 0), (ShadowOffset{100, 50}));
    EXPECT_EQ(LightShadowOffset(Light(0, 0, 50, 100), 3, -3), (ShadowOffset{100, -100}));
    EXPECT_EQ(LightShadowOffset(Light(0, 0, 300, 0), 500, 500), (ShadowOffset{0, 0}));
}

// Moves the pointer one pixel to the right every stepMs for durationMs, waking the shadow when it
// asks; answers the times of the shown cursor's rebuilds.
std::vector<int64_t> Sweep(DynamicShadow& shadow, int64_t start, int64_t stepMs, int64_t durationMs, int& lastX,
                           int64_t& pendingWake) {
    std::vector<int64_t> rebuilds;
    pendingWake = -1;
    auto take = [&](const ShadowWork& work, int64_t now) {
        if (work.rebuildShown) rebuilds.push_back(now);
        pendingWake = work.wakeAt;
    };
    for (int64_t now = start; now < start + durationMs; ++now) {
        if (pendingWake >= 0 && now >= pendingWake) take(shadow.Wake(now), now);
        if ((now - start) % stepMs == 0) take(shadow.Moved(++lastX, 0, now), now);
    }
    return rebuilds;
}

TEST(DynamicShadow, RebuildsAtMostThirtyTimesASecondAndOnlyForANewOffset) {
    DynamicShadow shadow;
    shadow.Reset(Light(-1000, 0, 200, 100), 0, 0, 0);
    EXPECT_EQ(shadow.Offset(), (ShadowOffset{100, 0}));  // held to the range: far from the light
    // Two pixels of pointer move the offset by one pixel.
    const LightSetup light = Light(0, 0, 300, 100);
    shadow.Reset(light, 0, 0, 0);
    int x = 0;
    int64_t wake = -1;
    // A move every 5 ms for a second: 100 new offsets, but rebuilds at least 34 ms apart.
    const std::vector<int64_t> rebuilds = Sweep(shadow, 1, 5, 1000, x, wake);
    ASSERT_GE(rebuilds.size(), 25u);
    EXPECT_LE(rebuilds.size(), 30u);
    for (size_t i = 1; i < rebuilds.size(); ++i) EXPECT_GE(rebuilds[i] - rebuilds[i - 1], kShadowRebuildMs);
    EXPECT_GE(rebuilds.front(), kShadowRebuildMs);  // the reset's build counts
    // The last offset is caught up once the pointer stops, then the rest follow after a rest.
    ASSERT_GE(wake, 0);
    ShadowWork work = shadow.Wake(wake);
    EXPECT_TRUE(work.rebuildShown);
    EXPECT_EQ(work.offset, LightShadowOffset(light, x, 0));
    EXPECT_FALSE(work.rebuildRest);
    ASSERT_GE(work.wakeAt, 0);
    work = shadow.Wake(work.wakeAt);
    EXPECT_TRUE(work.rebuildRest);
    EXPECT_FALSE(work.rebuildShown);
    // Nothing more is pending: no timer runs at rest.
    EXPECT_EQ(work.wakeAt, -1);
    EXPECT_EQ(shadow.Wake(work.wakeAt + 5000).wakeAt, -1);
    // A move that keeps the rounded offset rebuilds nothing and asks for no wake-up.
    shadow.Reset(light, 0, 0, 10000);
    work = shadow.Moved(0.4, 0.4, 10100);
    EXPECT_FALSE(work.rebuildShown);
    EXPECT_EQ(work.wakeAt, -1);
}

TEST(DynamicShadow, SmoothingGlidesTowardsThePointerAndThenStops) {
    DynamicShadow shadow;
    // MovSmooth 20: a time constant of 100 ms.
    shadow.Reset(Light(0, 0, 200, 100, 20), 0, 0, 0);
    ShadowWork work = shadow.Moved(60, 0, 0);
    EXPECT_FALSE(work.rebuildShown);  // no time has passed: the followed point has not moved
    ASSERT_EQ(work.wakeAt, kShadowRebuildMs);
    int64_t now = work.wakeAt;
    work = shadow.Wake(now);
    // After 34 ms, 1 − e^(−0.34) of the way: 17 of 60 pixels.
    EXPECT_TRUE(work.rebuildShown);
    EXPECT_EQ(work.offset, (ShadowOffset{17, 0}));
    // It keeps waking while it glides, reaches the pointer, rests, and then asks for nothing.
    int wakes = 0;
    while (work.wakeAt >= 0 && wakes < 100) {
        now = work.wakeAt;
        work = shadow.Wake(now);
        ++wakes;
    }
    EXPECT_LT(wakes, 100);
    EXPECT_EQ(shadow.Wake(now + 1000).offset, (ShadowOffset{60, 0}));
    EXPECT_EQ(shadow.Wake(now + 1000).wakeAt, -1);
    EXPECT_LT(now, 1000);  // settled within a second (ln(120) time constants)
}

}  // namespace
