#include "graphics/tick_win.h"

#include <windows.h>

#include "graphics/tick.h"

namespace hvtick {
namespace {

LONGLONG gFrequency = 0;

uint32_t PerformanceCounterTick() {
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    // Split the multiplication so that counter x 1000 cannot overflow on long-running machines.
    LONGLONG seconds = counter.QuadPart / gFrequency;
    LONGLONG rest = counter.QuadPart % gFrequency;
    return static_cast<uint32_t>(seconds * 1000 + rest * 1000 / gFrequency);
}

}  // namespace

void InstallPerformanceCounterTick() {
    LARGE_INTEGER frequency;
    if (!QueryPerformanceFrequency(&frequency) || frequency.QuadPart <= 0) return;  // keep the steady clock
    gFrequency = frequency.QuadPart;
    SetSource(&PerformanceCounterTick);
}

}  // namespace hvtick
