#pragma once
// The platform timer that sweeps the process-wide updater: a 10 ms thread timer on the calling
// thread, which must be the window thread (its message loop dispatches the timer).

namespace hvupdater {

constexpr unsigned kSweepPeriodMs = 10;

// Starts the timer once; later calls do nothing. False when the timer could not be made.
bool StartSweepTimer();
void StopSweepTimer();

}  // namespace hvupdater
