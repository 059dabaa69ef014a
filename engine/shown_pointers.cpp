#include "engine/shown_pointers.h"

PointerPlan ShownPointers::Plan(const std::vector<CursorFile>& files, PointerShow show) {
    // What each system cursor should show: a held file while held (else the normal one), the
    // normal file, or the system's own.
    std::array<const CursorFile*, kSystemCursorCount> wanted{};
    std::array<Shown, kSystemCursorCount> wantedKind{};
    if (show != PointerShow::kSystem) {
        for (const CursorFile& file : files) {
            if (file.index < 0 || file.index >= kSystemCursorCount) continue;
            const size_t i = size_t(file.index);
            const bool better = file.held ? show == PointerShow::kThemeHeld : !wanted[i];
            if (better) {
                wanted[i] = &file;
                wantedKind[i] = file.held ? kHeld : kNormal;
            }
        }
    }
    PointerPlan plan;
    for (size_t i = 0; i < shown_.size(); ++i)
        if (shown_[i] != kSystemCursor && !wanted[i]) plan.restoreFirst = true;
    for (size_t i = 0; i < shown_.size(); ++i) {
        if (!wanted[i]) continue;
        // After a restore every theme cursor goes back in; otherwise only what changes.
        if (plan.restoreFirst || shown_[i] != wantedKind[i] || stale_[i]) plan.set.push_back(wanted[i]);
    }
    for (size_t i = 0; i < shown_.size(); ++i) {
        shown_[i] = wanted[i] ? wantedKind[i] : kSystemCursor;
        stale_[i] = false;
    }
    return plan;
}

void ShownPointers::FileChanged(int index, bool held) {
    if (index < 0 || index >= kSystemCursorCount) return;
    if (shown_[size_t(index)] == (held ? kHeld : kNormal)) stale_[size_t(index)] = true;
}

void ShownPointers::SystemRestored() {
    shown_.fill(kSystemCursor);
    stale_.fill(false);
}

bool ShownPointers::AnyReplaced() const {
    for (Shown shown : shown_)
        if (shown != kSystemCursor) return true;
    return false;
}
