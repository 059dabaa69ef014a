#include "graphics/updater_win.h"

#include <windows.h>

#include "graphics/hv_window_host_win.h"
#include "graphics/updater.h"

namespace hvupdater {
namespace {

UINT_PTR gTimer = 0;

void CALLBACK SweepTimerProc(HWND, UINT, UINT_PTR, DWORD) {
    PaintBatch batch;  // every repaint the sweep asks for reaches the windows in one paint each
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
