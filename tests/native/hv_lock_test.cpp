#include "graphics/hv_lock.h"

#include <gtest/gtest.h>

#include <thread>

namespace {

int gAcquired = 0;
int gReleased = 0;
bool gRefuse = false;

bool CountingAcquire(uint32_t) {
    if (gRefuse) return false;
    ++gAcquired;
    return true;
}

void CountingRelease() {
    ++gReleased;
}

class LibraryLock : public ::testing::Test {
protected:
    void SetUp() override {
        gAcquired = gReleased = 0;
        gRefuse = false;
        hvlock::Install(&CountingAcquire, &CountingRelease);
    }
    void TearDown() override { hvlock::Install(nullptr, nullptr); }
};

TEST_F(LibraryLock, NestedGuardsTakeAndGiveBackThePlatformLockOnce) {
    {
        hvlock::Guard outer(100);
        ASSERT_TRUE(outer.Held());
        for (int i = 0; i < 5; ++i) {
            hvlock::Guard inner(100);
            EXPECT_TRUE(inner.Held());
        }
        EXPECT_EQ(gAcquired, 1);
        EXPECT_EQ(gReleased, 0);
    }
    EXPECT_EQ(gReleased, 1);
    // Taken again afterwards: a fresh acquisition.
    { hvlock::Guard again(100); }
    EXPECT_EQ(gAcquired, 2);
    EXPECT_EQ(gReleased, 2);
}

TEST_F(LibraryLock, ARefusedLockIsNotCountedAndAnotherThreadWaitsForItsOwn) {
    gRefuse = true;
    {
        hvlock::Guard refused(10);
        EXPECT_FALSE(refused.Held());
    }
    EXPECT_EQ(gReleased, 0);  // nothing was held, nothing is given back
    gRefuse = false;
    hvlock::Guard mine(100);
    ASSERT_TRUE(mine.Held());
    // Holding it here does not let another thread through without its own wait.
    std::thread other([] { hvlock::Guard theirs(100); });
    other.join();
    EXPECT_EQ(gAcquired, 2);
    EXPECT_EQ(gReleased, 1);
}

}  // namespace
