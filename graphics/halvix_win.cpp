#include "graphics/halvix_win.h"

#include "graphics/dc_pool_win.h"
#include "graphics/hv_lock.h"
#include "graphics/hv_obj.h"
#include "graphics/tick_win.h"
#include "graphics/updater_win.h"

HalvixLibrary gHalvix;

namespace {

constexpr wchar_t kDefaultName[] = L"Halvix";

void LookUpOptionalFunctions() {
    // user32 is always loaded; msimg32 may be missing on a stripped-down system.
    if (HMODULE user32 = GetModuleHandleW(L"User32.dll"))
        gHalvix.getPhysicalCursorPos =
            reinterpret_cast<GetPhysicalCursorPosFunction>(GetProcAddress(user32, "GetPhysicalCursorPos"));
    if (HMODULE msimg32 = LoadLibraryW(L"msimg32.dll"))
        gHalvix.alphaBlend = reinterpret_cast<AlphaBlendFunction>(GetProcAddress(msimg32, "AlphaBlend"));
}

// The library lock: the mutex in the lock slot. Win32 mutexes are recursive, so the window thread,
// which owns the application's mutex, may take it again inside a held section.
bool AcquireLibraryLock(uint32_t timeoutMs) {
    HANDLE lock = HalvixLock();
    if (!lock) return true;
    const DWORD result = WaitForSingleObject(lock, timeoutMs);
    return result == WAIT_OBJECT_0 || result == WAIT_ABANDONED;
}

void ReleaseLibraryLock() {
    if (HANDLE lock = HalvixLock()) ReleaseMutex(lock);
}

}  // namespace

int NormalizeTextSupersampling(int factor) {
    return factor >= 1 && factor <= 4 ? factor : 3;
}

int HalvixStart(HINSTANCE instance, const wchar_t* name, uint32_t flags) {
    gHalvix.name = name && *name ? name : kDefaultName;
    gHalvix.noTimer = (flags & HALVIX_NO_TIMER) != 0;
    CreateSharedDcPool();
    QueryPerformanceFrequency(&gHalvix.frequency);
    gHalvix.instance = instance;
    LookUpOptionalFunctions();
    gHalvix.textSupersampling = NormalizeTextSupersampling(gHalvix.textSupersampling);
    if (!(flags & HALVIX_NO_LOCK) && !gHalvix.ownLock) {
        // A failed creation leaves the library without a lock: its waits then succeed at once.
        const std::wstring lockName = gHalvix.name + L"Mutex";
        gHalvix.ownLock = CreateMutexW(nullptr, FALSE, lockName.c_str());
        gHalvix.applicationLock = nullptr;
        gHalvix.libraryThread = GetCurrentThreadId();
    }
    gHalvix.startThread = GetCurrentThreadId();
    gHalvix.started = true;

    // The updater (the 10 ms timer driving objects and animated states, unless gHalvix.noTimer)
    // is started here, once everything above is ready.
    hvtick::InstallPerformanceCounterTick();
    if (!gHalvix.noTimer) hvupdater::StartSweepTimer();

    hvlock::Install(&AcquireLibraryLock, &ReleaseLibraryLock);
    hvlock::InstallThreadCheck(&HalvixOnUiThread);
    // The invisible container of every on-screen object.
    CreateRootObject();

    return 1;
}

void HalvixUseLock(HANDLE* applicationLock) {
    gHalvix.applicationLock = applicationLock;
}

HANDLE HalvixLock() {
    return gHalvix.applicationLock ? *gHalvix.applicationLock : gHalvix.ownLock;
}

bool HalvixOnUiThread() {
    return gHalvix.started && GetCurrentThreadId() == gHalvix.startThread;
}

BOOL HalvixGetCursorPos(POINT* point) {
    if (gHalvix.getPhysicalCursorPos) return gHalvix.getPhysicalCursorPos(point);
    return GetCursorPos(point);
}
