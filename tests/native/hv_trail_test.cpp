// The trail preview's sprites and their spawn rule, without a window: a hand-driven clock plays
// the sprites' animations and the rule is fed pointer moves as fast as a 1 ms clock allows.
#include "graphics/hv_trail.h"

#include <gtest/gtest.h>

#include <vector>

#include "graphics/hv_bitmap.h"
#include "graphics/hv_bitmap_state.h"
#include "tests/native/bitmap_test_util.h"
#include "tests/native/fake_tick.h"

namespace {

// Accepted spawn times when the pointer moves once per millisecond from 0 to until - 1.
std::vector<uint64_t> SpawnsOfMovesEveryMs(TrailSpawnClock& clock, uint64_t start, uint64_t until) {
    std::vector<uint64_t> spawned;
    for (uint64_t now = start; now < until; ++now)
        if (clock.TrySpawn(now)) spawned.push_back(now);
    return spawned;
}

TEST(TrailSpawnClock, RateTwentyKeepsSpritesMoreThanFiftyMsApartHoweverFastThePointerMoves) {
    TrailSpawnClock clock(20);
    EXPECT_EQ(clock.Interval(), 50);
    const std::vector<uint64_t> spawned = SpawnsOfMovesEveryMs(clock, 1000, 3000);
    // 1000, 1051, 1102, ... 2989: every 51 ms, the first move of each interval.
    ASSERT_EQ(spawned.size(), 40u);
    for (size_t i = 1; i < spawned.size(); ++i) EXPECT_EQ(spawned[i] - spawned[i - 1], 51u);

    // Exactly 50 ms later is refused, 51 ms is allowed; Reset lets the next one through at once.
    TrailSpawnClock edge(20);
    EXPECT_TRUE(edge.TrySpawn(500));
    EXPECT_FALSE(edge.TrySpawn(550));
    EXPECT_TRUE(edge.TrySpawn(551));
    EXPECT_FALSE(edge.TrySpawn(552));
    edge.Reset();
    EXPECT_TRUE(edge.TrySpawn(552));
    // A clock that went back counts as no time passed.
    EXPECT_FALSE(edge.TrySpawn(100));
}

TEST(TrailSpawnClock, ARateOfZeroOrLessSpawnsNothingAndOneAboveAThousandOnePerMillisecond) {
    for (int rate : {0, -1, -2147483647 - 1}) {
        TrailSpawnClock clock(rate);
        EXPECT_EQ(clock.Interval(), -1);
        EXPECT_TRUE(SpawnsOfMovesEveryMs(clock, 0, 200).empty()) << rate;
    }
    // 1000 / 7 = 142: integer division, as the interval is defined.
    EXPECT_EQ(TrailSpawnClock(7).Interval(), 142);
    TrailSpawnClock fast(5000);
    EXPECT_EQ(fast.Interval(), 0);
    EXPECT_EQ(SpawnsOfMovesEveryMs(fast, 10, 20).size(), 10u);
    EXPECT_FALSE(fast.TrySpawn(19));  // a second move in the same millisecond
    fast.SetRate(0);
    EXPECT_FALSE(fast.TrySpawn(1000));
}

// A frame strip of `frames` frames of 10 x 8, each frame filled with its own grey.
HVBitmapState* Strip(const wchar_t* name, int frames, int interval) {
    auto* bitmap = new HVBitmap(10 * frames, 8, HVB_ALPHA);
    for (int f = 0; f < frames; ++f)
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 10; ++x) Put(*bitmap, f * 10 + x, y, {uint8_t(f * 40), uint8_t(f * 40), 0, 255});
    auto* state = new HVBitmapState(name, bitmap);
    state->SetAnimation(frames, interval, HVS_INTERRUPTIBLE);
    state->SetOffset(-3, -2);  // the hot spot at (3, 2) of a frame
    return state;
}

std::vector<CHVTrail*> gEnded;
void RecordEnd(CHVTrail* sprite) {
    gEnded.push_back(sprite);
}

class TrailSprite : public ::testing::Test {
protected:
    void SetUp() override {
        gEnded.clear();
        SetTrailEndHandler(&RecordEnd);
        area = new HVObj(HVK_CHILD);
        auto* blank = new HVBlankState(L"Default");
        blank->SetSize(200, 150);
        blank->SetHitMode(HVH_ALWAYS);
        area->AddState(blank);
        area->Create();
        area->Show();
    }
    void TearDown() override {
        delete area;
        SetTrailEndHandler(nullptr);
        gHVObjects = HVObjLibrary{};
    }
    // Runs the sprite's update every 10 ms for the given time.
    void Play(HVObj* sprite, uint32_t ms) {
        for (uint32_t t = 0; t < ms; t += 10) {
            tick.Advance(10);
            if (HVObj::IsLive(sprite)) sprite->update(tick.Now());
        }
    }

    FakeTick tick;
    HVObj* area = nullptr;
};

TEST_F(TrailSprite, IsADeepCopyOfTheImageWithItsHotSpotAtThePointAndNeverHit) {
    HVBitmapState* image = Strip(L"Trail", 3, 40);
    CHVTrail* sprite = SpawnTrailSprite(area, *image, 50, 60);
    ASSERT_EQ(area->Children().size(), 1u);
    EXPECT_EQ(area->Children()[0], sprite);
    EXPECT_TRUE(sprite->IsVisible());
    EXPECT_EQ(sprite->CurrentStateName(), L"Trail");
    EXPECT_EQ(sprite->GetStateRect(), HVRect::FromSize(47, 58, 10, 8));
    // The pointer passes through it to the area below.
    EXPECT_EQ(area->HitObject(50, 60), area);

    auto* copy = dynamic_cast<HVBitmapState*>(sprite->CurrentState());
    ASSERT_NE(copy, nullptr);
    ASSERT_NE(copy->Bitmap(), image->Bitmap());
    EXPECT_EQ(At(*copy->Bitmap(), 25, 4), (Bgra{80, 80, 0, 255}));
    // Later changes to the theme's image leave the sprite alone.
    Put(*image->Bitmap(), 25, 4, {1, 2, 3, 4});
    EXPECT_EQ(At(*copy->Bitmap(), 25, 4), (Bgra{80, 80, 0, 255}));
    delete image;
}

TEST_F(TrailSprite, AnEvenAnimationAsksOnceToBeDestroyedAfterItHasPlayed) {
    HVBitmapState* image = Strip(L"Trail", 3, 40);
    CHVTrail* sprite = SpawnTrailSprite(area, *image, 5, 5);
    delete image;  // the sprite owns its copy
    Play(sprite, 110);
    EXPECT_TRUE(gEnded.empty());
    Play(sprite, 30);  // 3 frames x 40 ms have passed
    ASSERT_EQ(gEnded.size(), 1u);
    EXPECT_EQ(gEnded[0], sprite);
    Play(sprite, 500);
    EXPECT_EQ(gEnded.size(), 1u);
    // The handler only asked: the sprite stays until the window destroys it. A hovered sprite
    // destroyed then leaves no hover behind.
    gHVObjects.hover = sprite;
    delete sprite;
    EXPECT_EQ(gHVObjects.hover, nullptr);
    EXPECT_TRUE(area->Children().empty());
}

TEST_F(TrailSprite, AScriptedImageNeverEndsSoItsSpritesStayUntilTheAreaGoes) {
    HVBitmapState* image = Strip(L"Trail", 3, 40);
    image->SetScript(L"1-3,40");
    CHVTrail* first = SpawnTrailSprite(area, *image, 5, 5);
    CHVTrail* second = SpawnTrailSprite(area, *image, 9, 9);
    delete image;
    Play(first, 5000);
    Play(second, 100);
    EXPECT_TRUE(gEnded.empty());
    EXPECT_EQ(area->Children().size(), 2u);
    area->DestroyChildren();
    EXPECT_FALSE(HVObj::IsLive(first));
    EXPECT_FALSE(HVObj::IsLive(second));
}

TEST_F(TrailSprite, SpritesThatNeverEndAreCappedTheOldestGoingFirst) {
    HVBitmapState* image = Strip(L"Trail", 3, 40);
    image->SetScript(L"1-3,40");
    std::vector<CHVTrail*> spawned;
    for (size_t i = 0; i < kMaxLiveTrailSprites + 25; ++i)
        spawned.push_back(SpawnTrailSprite(area, *image, int(i % 200), 5));
    delete image;
    ASSERT_EQ(area->Children().size(), kMaxLiveTrailSprites);
    for (size_t i = 0; i < spawned.size(); ++i) EXPECT_EQ(HVObj::IsLive(spawned[i]), i >= 25) << i;
    EXPECT_EQ(area->Children().front(), spawned[25]);
    EXPECT_EQ(area->Children().back(), spawned.back());
}

TEST_F(TrailSprite, AStillImageAsksToBeDestroyedAtOnce) {
    HVBitmapState* image = Strip(L"Dot", 1, 40);
    CHVTrail* sprite = SpawnTrailSprite(area, *image, 5, 5);
    delete image;
    ASSERT_EQ(gEnded.size(), 1u);
    EXPECT_EQ(gEnded[0], sprite);
}

}  // namespace
