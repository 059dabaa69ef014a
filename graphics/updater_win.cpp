#include "graphics/updater_win.h"

#include <windows.h>

#include "graphics/updater.h"

namespace hvupdater {
namespace {

UINT_PTR gTimer = 0;

void CALLBACK SweepTimerProc(HWND, UINT, UINT_PTR, DWORD) {
    GlobalUpdater().Sweep();
}

}  // namespace

bool StartSweepTimer() {
    if (gTimer) return true;
    gTimer = SetTimer(nullptr, 0, kSweepPeriodMs, &SweepTimerProc);
    return gTimer != 0;
}

void StopSweepTimer() {
    if (!gTimer) return;
    KillTimer(nullptr, gTimer);
    gTimer = 0;
}

}  // namespace hvupdater
