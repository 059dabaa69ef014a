#include "graphics/tick.h"

#include <atomic>
#include <chrono>

namespace hvtick {
namespace {

uint32_t SteadyClockTick() {
    auto since = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(since).count());
}

std::atomic<Source> gSource{&SteadyClockTick};

}  // namespace

uint32_t Now() {
    return gSource.load(std::memory_order_acquire)();
}

void SetSource(Source source) {
    gSource.store(source ? source : &SteadyClockTick, std::memory_order_release);
}

}  // namespace hvtick
