#pragma once
// The Windows tick source: performance counter x 1000 / performance frequency, 32 bits.

namespace hvtick {

// Reads the performance frequency once and installs the performance-counter tick.
void InstallPerformanceCounterTick();

}  // namespace hvtick
