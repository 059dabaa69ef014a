// HVObj: changing the current state. A request either switches at once, waits in the object's
// queue while a state animation that may not be interrupted plays, or is refused when the queue
// is full. Requests held back are applied, oldest first, when that animation has played.
#include "base/text_compare.h"
#include "graphics/hv_lock.h"
#include "graphics/hv_obj.h"

namespace {

std::wstring CutName(const std::wstring& name) {
    return name.size() < HVStateRequest::kNameChars ? name : name.substr(0, HVStateRequest::kNameChars - 1);
}

bool IsInterruptible(const HVState* state) {
    return state && state->IsVisual() &&
           (static_cast<const HVVisualState*>(state)->ModeFlags() & HVS_INTERRUPTIBLE) != 0;
}

}  // namespace

void HVObj::OnStateChanging(const std::wstring&, uint32_t) {}

void HVObj::OnStateChanged(const std::wstring&, uint32_t) {}

int HVObj::ChangeState(const std::wstring& name, uint32_t flags, uint32_t) {
    const bool force = (flags & HVC_FORCE) != 0;
    if (changing_ && !force) {
        EnqueueState(name, flags);
        return 1;
    }
    if (!current_ || force || (queue_.empty() && !currentAnimated_)) {
        queue_.clear();
        InternalChangeState(name, flags);
        return 1;
    }
    if (!queue_.empty() || !IsInterruptible(current_))
        EnqueueState(name, flags);
    else
        InternalChangeState(name, flags);
    return 1;
}

int HVObj::EnqueueState(const std::wstring& name, uint32_t flags) {
    if (queue_.size() >= kMaxQueuedRequests) return 0;
    hvlock::Guard lock(hvlock::kEnqueueTimeout);
    if (!lock.Held()) return 1;  // dropped: the library was busy
    HVState* state = FindState(name);
    // Consecutive requests for states that may be interrupted collapse: only the last one counts.
    if (state && !queue_.empty() && IsInterruptible(queue_.back().state)) {
        queue_.back().state = state;
    } else {
        queue_.push_back(HVStateRequest{state, std::wstring(), false});
    }
    queue_.back().name = CutName(name);
    queue_.back().noAnimation = (flags & HVC_NO_ANIMATION) != 0;
    return 1;
}

int HVObj::InternalChangeState(const std::wstring& name, uint32_t flags) {
    const bool force = (flags & HVC_FORCE) != 0;
    const bool silent = (flags & HVC_SILENT) != 0;
    if (!force && textcmp::EqualIgnoringCase(name, hvstate::kMouseAway) && current_ &&
        textcmp::EqualIgnoringCase(current_->Name(), hvstate::kMouseAway))
        return HVS_UNCHANGED;

    const std::wstring requested = CutName(name);
    changing_ = true;
    if (!silent) OnStateChanging(requested, flags);
    if (requested.empty()) {
        changing_ = false;
        return HVS_UNCHANGED;
    }
    HVState* state = FindState(requested);
    pending_ = state;
    if (!state) {
        if (!silent) OnStateChanged(requested, flags);
        changing_ = false;
        return HVS_UNCHANGED;
    }
    if (!state->IsVisual()) {
        if (!silent) OnStateChanged(state->Name(), flags);
        changing_ = false;
        return HVS_PLAIN_STATE;
    }

    const HVRect oldBox = GetStateRect();
    {
        hvlock::Guard lock(hvlock::kChangeTimeout);
        if (!lock.Held()) {
            changing_ = false;
            return HVS_UNCHANGED;
        }
        current_ = state;
        auto* visual = static_cast<HVVisualState*>(state);
        const bool multiFrame = visual->FrameCount() > 1;
        if (!multiFrame) {
            // A still look is reached at once.
            if (!silent) OnStateChanged(visual->Name(), flags);
        } else if ((flags & HVC_NO_ANIMATION) && queue_.empty()) {
            visual->Stop();
        } else {
            // An animation plays from its first frame; its end is reported by the update.
            visual->Start();
            visual->Restart();
        }
        currentAnimated_ = multiFrame && visual->IsAnimating();
    }

    // Re-lay out for the new state's box; a press in progress on this object keeps its place.
    SetPositionFlags(0, 0, HVP_REDRAW);
    if (gHVObjects.lastClicked == this) {
        const HVRect newBox = GetStateRect();
        gHVObjects.pressX += oldBox.left - newBox.left;
        gHVObjects.pressY += oldBox.top - newBox.top;
    }
    changing_ = false;
    return HVS_CHANGED;
}

void HVObj::FinishAnimation() {
    currentAnimated_ = false;
    OnStateChanged(CurrentStateName(), 0);
    while (!queue_.empty() && !currentAnimated_ && !changing_) {
        const HVStateRequest request = queue_.front();
        queue_.erase(queue_.begin());
        InternalChangeState(request.name, request.noAnimation ? HVC_NO_ANIMATION : 0);
    }
}
