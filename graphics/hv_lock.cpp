#include "graphics/hv_lock.h"

#include <atomic>

namespace hvlock {
namespace {

std::atomic<AcquireFunction> gAcquire{nullptr};
std::atomic<ReleaseFunction> gRelease{nullptr};
std::atomic<ThreadCheckFunction> gThreadCheck{nullptr};

// The lock is recursive for the thread that holds it: nested acquisitions only count, so a caller
// may hold it around many operations that each take it (building a list's rows) and the platform
// lock is waited for and released once. Under Wine each wait on the mutex is a round trip to the
// server, which made a hundred rows cost tens of milliseconds.
thread_local int tDepth = 0;
thread_local ReleaseFunction tHeldRelease = nullptr;

}  // namespace

void Install(AcquireFunction acquire, ReleaseFunction release) {
    gRelease = release;
    gAcquire = acquire;
}

void InstallThreadCheck(ThreadCheckFunction check) {
    gThreadCheck = check;
}

bool OnLibraryThread() {
    ThreadCheckFunction check = gThreadCheck;
    return check ? check() : true;
}

bool Acquire(uint32_t timeoutMs) {
    if (tDepth > 0) {
        ++tDepth;
        return true;
    }
    AcquireFunction acquire = gAcquire;
    if (acquire && !acquire(timeoutMs)) return false;
    tDepth = 1;
    tHeldRelease = acquire ? gRelease.load() : nullptr;
    return true;
}

void Release() {
    if (tDepth <= 0 || --tDepth > 0) return;
    // The lock that was taken is the one given back, even if another was installed meanwhile.
    ReleaseFunction release = tHeldRelease;
    tHeldRelease = nullptr;
    if (release) release();
}

}  // namespace hvlock
