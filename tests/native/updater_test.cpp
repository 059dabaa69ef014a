#include "graphics/updater.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "tests/native/fake_tick.h"

namespace {

class Probe : public Updateable {
public:
    void update(uint32_t tick) override {
        ticks.push_back(tick);
        if (onUpdate) onUpdate();
    }
    std::vector<uint32_t> ticks;
    std::function<void()> onUpdate;
};

}  // namespace

TEST(Updater, RunsAnEntryOnlyOnceItsIntervalHasStrictlyPassed) {
    FakeTick tick(1000);
    HVUpdater updater;
    Probe early, due;
    updater.Register(&early, 50);
    updater.Register(&due, 49);
    tick.Advance(50);
    updater.Sweep();
    EXPECT_TRUE(early.ticks.empty());
    ASSERT_EQ(due.ticks.size(), 1u);
    EXPECT_EQ(due.ticks[0], 1050u);
    // Last-run moved to the sweep: the next run is due another interval later.
    tick.Advance(49);
    updater.Sweep();
    EXPECT_EQ(due.ticks.size(), 1u);
    EXPECT_EQ(early.ticks.size(), 1u);
}

TEST(Updater, SweepsCloserThanEightMillisecondsDoNothing) {
    FakeTick tick(1000);
    HVUpdater updater;
    Probe a, b;
    updater.Register(&a, 0);
    tick.Advance(10);
    updater.Sweep();
    EXPECT_EQ(a.ticks.size(), 1u);
    updater.Register(&b, 0);
    tick.Advance(7);
    updater.Sweep();
    EXPECT_EQ(a.ticks.size(), 1u);
    EXPECT_TRUE(b.ticks.empty());
    tick.Advance(1);
    updater.Sweep();
    EXPECT_EQ(a.ticks.size(), 2u);
    EXPECT_EQ(b.ticks.size(), 1u);
}

TEST(Updater, RegisteringAgainChangesOnlyANonZeroInterval) {
    FakeTick tick(1000);
    HVUpdater updater;
    Probe probe;
    updater.Register(&probe, 40);
    tick.Advance(30);
    updater.Register(&probe, 0);  // keeps 40 and the original last-run
    EXPECT_EQ(updater.IntervalOf(&probe), 40u);
    updater.Register(&probe, 20);
    EXPECT_EQ(updater.IntervalOf(&probe), 20u);
    updater.Sweep();  // 30 ms since registration: due at 20
    EXPECT_EQ(probe.ticks.size(), 1u);
    updater.Unregister(&probe);
    EXPECT_FALSE(updater.IsRegistered(&probe));
    EXPECT_EQ(updater.Count(), 0u);
}

TEST(Updater, EntryRemovingItselfRestartsTheSweepWithoutRunningAnyoneTwice) {
    FakeTick tick(1000);
    HVUpdater updater;
    std::vector<Probe> probes(5);
    for (Probe& p : probes) updater.Register(&p, 0);
    // Whichever entry comes second in the map removes itself (and another one) when run.
    Probe* second = nullptr;
    int order = 0;
    for (Probe& p : probes) {
        p.onUpdate = [&, self = &p] {
            if (++order == 2) {
                second = self;
                updater.Unregister(self);
            }
        };
    }
    tick.Advance(10);
    updater.Sweep();
    ASSERT_NE(second, nullptr);
    for (Probe& p : probes) EXPECT_EQ(p.ticks.size(), 1u);
    EXPECT_EQ(updater.Count(), 4u);
}

TEST(Updater, EntriesAddedOrRemovedByAnUpdateAreHandledSafely) {
    FakeTick tick(1000);
    HVUpdater updater;
    Probe first, other, added;
    updater.Register(&first, 0);
    updater.Register(&other, 0);
    auto onRun = [&] {
        updater.Unregister(&other);  // may be before or after in the map
        updater.Register(&added, 0);
    };
    first.onUpdate = onRun;
    other.onUpdate = [&] { updater.Unregister(&first); };
    tick.Advance(10);
    updater.Sweep();
    // Exactly one of the two ran first and removed the other; a newly added entry is not yet due.
    EXPECT_EQ(first.ticks.size() + other.ticks.size(), 1u);
    EXPECT_TRUE(added.ticks.empty());
}
