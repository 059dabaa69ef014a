#include "graphics/halvix_win.h"

#include "graphics/dc_pool_win.h"
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

    // The root object (the invisible container of every on-screen object) is created here and
    // made visible.

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
