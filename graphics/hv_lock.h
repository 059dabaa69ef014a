#pragma once
// The library lock: state changes, positioning and raising wait for it with bounded time-outs so
// that loader threads and the window thread never change one object at the same time. On Windows
// the start-up installs the named mutex of the library (or the application's handle); without an
// installed lock every wait succeeds at once. Tests install their own to simulate a busy lock.
#include <cstdint>

namespace hvlock {

// Time-outs of the operations that take the lock, in milliseconds.
constexpr uint32_t kEnqueueTimeout = 100;
constexpr uint32_t kRaiseTimeout = 100;
constexpr uint32_t kPositionTimeout = 250;
constexpr uint32_t kChangeTimeout = 1000;

using AcquireFunction = bool (*)(uint32_t timeoutMs);
using ReleaseFunction = void (*)();

// Installs the lock's two operations; nulls remove it.
void Install(AcquireFunction acquire, ReleaseFunction release);

// Whether the caller runs on the thread that owns the library's windows; installed by the
// platform start-up (without one, every thread counts as that thread).
using ThreadCheckFunction = bool (*)();
void InstallThreadCheck(ThreadCheckFunction check);
bool OnLibraryThread();

// Waits at most timeoutMs; true when the lock is held (or no lock is installed).
bool Acquire(uint32_t timeoutMs);
void Release();

// Holds the lock for a scope when it could be taken in time.
class Guard {
public:
    explicit Guard(uint32_t timeoutMs) : held_(Acquire(timeoutMs)) {}
    ~Guard() {
        if (held_) Release();
    }
    Guard(const Guard&) = delete;
    Guard& operator=(const Guard&) = delete;
    bool Held() const { return held_; }

private:
    bool held_;
};

}  // namespace hvlock
