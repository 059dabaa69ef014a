#pragma once
// A hand-driven animation clock for tests: installed for the lifetime of the object.
#include <cstdint>

#include "graphics/tick.h"

class FakeTick {
public:
    explicit FakeTick(uint32_t start = 100000) {
        now_ = start;
        hvtick::SetSource(&Read);
    }
    ~FakeTick() { hvtick::SetSource(nullptr); }
    FakeTick(const FakeTick&) = delete;
    FakeTick& operator=(const FakeTick&) = delete;

    void Set(uint32_t now) { now_ = now; }
    void Advance(uint32_t ms) { now_ += ms; }
    uint32_t Now() const { return now_; }

private:
    static uint32_t Read() { return now_; }
    static inline uint32_t now_ = 0;
};
