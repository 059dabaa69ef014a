#include "graphics/hv_lock.h"

#include <atomic>

namespace hvlock {
namespace {

std::atomic<AcquireFunction> gAcquire{nullptr};
std::atomic<ReleaseFunction> gRelease{nullptr};
std::atomic<ThreadCheckFunction> gThreadCheck{nullptr};

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
    AcquireFunction acquire = gAcquire;
    return acquire ? acquire(timeoutMs) : true;
}

void Release() {
    ReleaseFunction release = gRelease;
    if (release) release();
}

}  // namespace hvlock
