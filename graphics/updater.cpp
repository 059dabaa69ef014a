#include "graphics/updater.h"

#include "graphics/tick.h"

void HVUpdater::Register(Updateable* updateable, uint32_t interval) {
    if (!updateable) return;
    std::lock_guard<std::recursive_mutex> hold(lock_);
    auto found = entries_.find(updateable);
    if (found != entries_.end()) {
        if (interval != 0) found->second.interval = interval;
        return;
    }
    entries_.emplace(updateable, Entry{interval, hvtick::Now()});
}

void HVUpdater::Unregister(Updateable* updateable) {
    std::lock_guard<std::recursive_mutex> hold(lock_);
    entries_.erase(updateable);
}

void HVUpdater::Sweep() {
    uint32_t now = hvtick::Now();
    std::lock_guard<std::recursive_mutex> hold(lock_);
    if (hvtick::Elapsed(now, lastSweep_) < kMinSweepGap) return;
    auto it = entries_.begin();
    while (it != entries_.end()) {
        if (it->second.interval >= hvtick::Elapsed(now, it->second.lastRun)) {
            ++it;
            continue;
        }
        it->second.lastRun = now;
        Updateable* current = it->first;
        current->update(now);
        // The call may have unregistered its own entry (invalidating the iterator); entries already
        // run carry last-run = now and are not due again, so starting over runs nothing twice.
        it = entries_.find(current);
        it = (it == entries_.end()) ? entries_.begin() : std::next(it);
    }
    lastSweep_ = now;
}

bool HVUpdater::IsRegistered(const Updateable* updateable) const {
    std::lock_guard<std::recursive_mutex> hold(lock_);
    return entries_.count(const_cast<Updateable*>(updateable)) != 0;
}

uint32_t HVUpdater::IntervalOf(const Updateable* updateable) const {
    std::lock_guard<std::recursive_mutex> hold(lock_);
    auto found = entries_.find(const_cast<Updateable*>(updateable));
    return found == entries_.end() ? 0 : found->second.interval;
}

size_t HVUpdater::Count() const {
    std::lock_guard<std::recursive_mutex> hold(lock_);
    return entries_.size();
}

HVUpdater& GlobalUpdater() {
    static HVUpdater updater;
    return updater;
}
