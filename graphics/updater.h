#pragma once
// The updater drives everything that changes with time: on-screen objects and animated visual
// states register with an interval and receive update(tick) when it has passed. One updater exists
// per process (GlobalUpdater); a platform timer sweeps it every 10 ms on the window thread.
//
// Register and Unregister may be called from any thread, and from inside an update call (the lock
// is recursive): an entry that unregisters itself during its update makes the sweep start over
// from the beginning, where every entry already run this sweep is no longer due.
#include <cstddef>
#include <cstdint>
#include <map>
#include <mutex>

// Anything the updater can drive.
class Updateable {
public:
    virtual ~Updateable() = default;
    virtual void update(uint32_t tick) = 0;
};

class HVUpdater {
public:
    // Sweeps closer together than this are skipped.
    static constexpr uint32_t kMinSweepGap = 8;

    // Adds the entry with last-run = now. An entry already present keeps its last-run; a non-zero
    // interval replaces its interval.
    void Register(Updateable* updateable, uint32_t interval);
    void Unregister(Updateable* updateable);

    // Runs update(now) for every entry whose interval is less than the time since its last run.
    void Sweep();

    bool IsRegistered(const Updateable* updateable) const;
    uint32_t IntervalOf(const Updateable* updateable) const;  // 0 when not registered
    size_t Count() const;

private:
    struct Entry {
        uint32_t interval;
        uint32_t lastRun;
    };

    mutable std::recursive_mutex lock_;  // guards both members below
    std::map<Updateable*, Entry> entries_;
    uint32_t lastSweep_ = 0;
};

// The process-wide updater, made on first use.
HVUpdater& GlobalUpdater();
