#include <gtest/gtest.h>

#include "graphics/hv_state.h"
#include "graphics/updater.h"
#include "tests/native/fake_tick.h"

// Timing of visual states, on a blank state (the clock rules do not depend on the look).

TEST(VisualStateTiming, EvenAnimationWithoutLoopHoldsTheLastFrame) {
    FakeTick tick;
    HVBlankState state(L"Default");
    ASSERT_TRUE(state.SetAnimation(4, 100, 0));
    EXPECT_TRUE(state.IsAnimating());
    EXPECT_TRUE(GlobalUpdater().IsRegistered(&state));
    EXPECT_EQ(GlobalUpdater().IntervalOf(&state), 100u);
    EXPECT_EQ(state.CurrentFrame(), 0);
    tick.Advance(99);
    EXPECT_EQ(state.CurrentFrame(), 0);
    tick.Set(tick.Now() - 99 + 350);
    EXPECT_EQ(state.CurrentFrame(), 3);
    tick.Advance(50);  // 400 ms: not yet finished
    EXPECT_FALSE(state.IsFinished());
    tick.Advance(1);
    EXPECT_TRUE(state.IsFinished());
    tick.Advance(599);
    EXPECT_EQ(state.CurrentFrame(), 3);
}

TEST(VisualStateTiming, LoopFlagStartsOver) {
    FakeTick tick;
    HVBlankState state(L"Default");
    state.SetAnimation(4, 100, HVS_LOOP);
    tick.Advance(450);
    EXPECT_EQ(state.CurrentFrame(), 0);
    tick.Advance(100);
    EXPECT_EQ(state.CurrentFrame(), 1);
}

TEST(VisualStateTiming, DirectionRule) {
    FakeTick tick;
    HVBlankState state(L"Default");
    state.SetAnimation(4, 100, HVS_REVERSE);
    EXPECT_EQ(state.ShownFrame(), 3);  // flag 0x01 with reverse 0 runs backwards
    state.SetReverse(1);
    EXPECT_EQ(state.ShownFrame(), 0);
    HVBlankState plain(L"Default");
    plain.SetAnimation(4, 100, 0);
    plain.SetReverse(1);
    EXPECT_EQ(plain.ShownFrame(), 3);  // no flag, reverse on: backwards
    HVBlankState forward(L"Default");
    forward.SetAnimation(4, 100, HVS_FORWARD | HVS_REVERSE);
    forward.SetReverse(1);
    forward.Start();
    EXPECT_EQ(forward.ShownFrame(), 0);  // 0x20 always runs forward
}

TEST(VisualStateTiming, ForwardFlagDoesNotStartAndFewFramesStop) {
    FakeTick tick;
    HVBlankState state(L"Default");
    EXPECT_TRUE(state.SetAnimation(3, 100, HVS_FORWARD));
    EXPECT_FALSE(state.IsAnimating());
    EXPECT_FALSE(GlobalUpdater().IsRegistered(&state));
    state.Start();
    EXPECT_TRUE(GlobalUpdater().IsRegistered(&state));
    EXPECT_FALSE(state.SetAnimation(1, 100, 0));
    EXPECT_FALSE(state.IsAnimating());
    EXPECT_EQ(state.FrameCount(), 1);
    EXPECT_FALSE(GlobalUpdater().IsRegistered(&state));
}

TEST(VisualStateTiming, EndOpacityIsInterpolatedWithTruncation) {
    HVBlankState state(L"Fade");
    state.SetAnimation(5, 50, HVS_SAMEIMAGE);
    state.SetEndOpacity(0);
    const int expected[] = {255, 192, 128, 64, 0};
    for (int f = 0; f < 5; ++f) EXPECT_EQ(state.OpacityAt(f), expected[f]) << f;
    EXPECT_EQ(state.FrameOffset(), 0);
}

TEST(VisualStateTiming, ScriptDrivesTheFramesAndRegistersAtNineMilliseconds) {
    FakeTick tick;
    HVBlankState state(L"Default");
    state.SetAnimation(5, 100, 0);
    state.SetScript(L"1-3,100;5,50");
    EXPECT_EQ(GlobalUpdater().IntervalOf(&state), HVVisualState::kScriptedInterval);
    tick.Advance(320);
    EXPECT_EQ(state.CurrentFrame(), 4);
    tick.Advance(40);
    EXPECT_EQ(state.CurrentFrame(), 0);
    tick.Advance(100000);
    EXPECT_FALSE(state.IsFinished());
}

TEST(VisualStateTiming, ScriptFramesBeyondTheStripAreHeldToIt) {
    FakeTick tick;
    HVBlankState state(L"Default");
    state.SetAnimation(3, 100, 0);
    state.SetScript(L"9,100");
    EXPECT_EQ(state.CurrentFrame(), 2);
}

TEST(VisualStateTiming, ZeroDelayDoesNotDivideByZero) {
    FakeTick tick;
    HVBlankState state(L"Default");
    state.SetAnimation(4, 0, 0);
    tick.Advance(2);
    EXPECT_EQ(state.CurrentFrame(), 2);
    tick.Advance(2);
    EXPECT_FALSE(state.IsFinished());  // 4 frames x 1 ms is not less than 4 ms
    tick.Advance(1);
    EXPECT_TRUE(state.IsFinished());
}

TEST(VisualStateTiming, StateWithStartTickZeroTakesTheUpdatersTick) {
    FakeTick tick(5000);
    HVBlankState state(L"Default");
    state.SetAnimation(4, 100, 0);
    state.SetStartTick(0);
    EXPECT_EQ(state.CurrentFrame(), 0);
    state.update(4800);
    EXPECT_EQ(state.StartTick(), 4800u);
    EXPECT_EQ(state.CurrentFrame(), 2);
    state.Restart();
    EXPECT_EQ(state.StartTick(), 5000u);
    EXPECT_EQ(state.LastDrawnFrame(), -1);
}

TEST(VisualStateTiming, DestroyingAStateUnregistersIt) {
    auto* state = new HVBlankState(L"Default");
    state->SetAnimation(2, 10, 0);
    ASSERT_TRUE(GlobalUpdater().IsRegistered(state));
    const Updateable* key = state;
    delete state;
    EXPECT_FALSE(GlobalUpdater().IsRegistered(key));
}

TEST(VisualStateHits, BlankStateHitsOnlyInModeAlways) {
    HVBlankState blank(L"Blank");
    EXPECT_FALSE(blank.HitTest(0, 0));
    blank.SetHitMode(HVH_ALWAYS);
    EXPECT_TRUE(blank.HitTest(0, 0));
    HVRectangularState rect(L"Box", 0xFFFFFF, 255, 0xE6E6E6, 255);
    rect.SetHitMode(HVH_ALWAYS);
    EXPECT_FALSE(rect.HitTest(0, 0));
}
