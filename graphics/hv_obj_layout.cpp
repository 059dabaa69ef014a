// HVObj: positioning, showing and hiding, invalidation, raising and grouping, restacking and the
// default drag handling.
#include <algorithm>

#include "base/text_compare.h"
#include "graphics/hv_bitmap.h"
#include "graphics/hv_bitmap_state.h"
#include "graphics/hv_lock.h"
#include "graphics/hv_obj.h"
#include "graphics/hv_window_host.h"

namespace {

bool SameNonEmpty(const std::wstring& a, const std::wstring& b) {
    return !a.empty() && textcmp::EqualIgnoringCase(a, b);
}

}  // namespace

bool HVObj::Move(int x, int y) {
    return SetPositionFlags(x, y, HVP_MOVE);
}

bool HVObj::MoveAligned(int x, int y) {
    // (x, y) is the anchor itself: convert it to the box origin SetPosition expects.
    int width, height, tl, tt, tr, tb;
    StateSize(&width, &height);
    Trims(&tl, &tt, &tr, &tb);
    return SetPosition(x - AlignShiftX(width - tl - tr), y - AlignShiftY(height - tt - tb), HVP_MOVE);
}

bool HVObj::MoveAligned2(int x, int y) {
    return MoveAligned(x, y);
}

bool HVObj::SetPositionFlags(int x, int y, uint32_t flags) {
    return SetPosition(x, y, flags);
}

bool HVObj::Show() {
    return SetPositionFlags(0, 0, HVP_SHOW);
}

bool HVObj::Hide() {
    return SetPositionFlags(0, 0, HVP_HIDE);
}

void HVObj::OnMoved() {}

bool HVObj::SetPosition(int x, int y, uint32_t flags) {
    if (kind_ == HVK_ROOT) {
        // The root is never placed; it only shows or hides.
        if (flags & (HVP_SHOW | HVP_HIDE)) visible_ = (flags & HVP_SHOW) ? 1 : 0;
        return true;
    }
    hvlock::Guard lock(hvlock::kPositionTimeout);
    if (!lock.Held()) return false;

    if (flags & HVP_MOVE) {
        int width, height, tl, tt, tr, tb;
        StateSize(&width, &height);
        Trims(&tl, &tt, &tr, &tb);
        anchorX_ = x + AlignShiftX(width - tl - tr);
        anchorY_ = y + AlignShiftY(height - tt - tb);
    }
    const HVRect oldRect = lastRect_;
    bool moved = false, resized = false, boxChanged = false;
    RecomputeRects(&moved, &resized, &boxChanged);
    const int wasVisible = visible_;
    if (flags & (HVP_SHOW | HVP_HIDE)) visible_ = (flags & HVP_SHOW) ? 1 : 0;

    if (!(flags & HVP_QUIET) && (moved || resized || boxChanged || wasVisible != visible_)) OnMoved();

    const bool asked = (flags & (HVP_REDRAW | HVP_SHOW | HVP_HIDE)) != 0 || moved || resized;
    if (!OwnsWindow() && parent_ && initialised_ && asked) {
        const HVRect newRect = GetRect();
        if (flags & HVP_HIDE) {
            if (wasVisible && !oldRect.IsEmpty()) parent_->InvalidateChildSpace(oldRect, HVI_NOW);
        } else if (flags & HVP_SHOW) {
            parent_->InvalidateChildSpace(newRect, HVI_NOW);
        } else if (visible_) {
            if (oldRect.Overlaps(newRect)) {
                parent_->InvalidateChildSpace(oldRect.Union(newRect), HVI_NOW);
            } else {
                if (!oldRect.IsEmpty()) parent_->InvalidateChildSpace(oldRect, HVI_NOW);
                parent_->InvalidateChildSpace(newRect, HVI_NOW);
            }
        }
    }
    lastRect_ = GetRect();
    lastStateRect_ = GetStateRect();
    return true;
}

void HVObj::SyncFromWindow() {
    if (!OwnsWindow() || !host_) return;
    int width = 0, height = 0;
    host_->ClientSize(&width, &height);
    auto* blank = dynamic_cast<HVBitmapState*>(FindState(hvstate::kBlank));
    if (blank && (blank->Width() != width || blank->Height() != height) && width > 0 && height > 0) {
        blank->Bitmap()->Resize(width, height, true);
        blank->Bitmap()->Clear();
        blank->SetSize(width, height);
    }
    lastRect_ = GetRect();
    lastStateRect_ = GetStateRect();
}

// --- invalidation ---

void HVObj::InvalidateChildSpace(const HVRect& rect, int mode) {
    int tl, tt, tr, tb;
    Trims(&tl, &tt, &tr, &tb);
    Invalidate(rect.left + tl, rect.top + tt, rect.Width(), rect.Height(), mode);
}

void HVObj::Invalidate(int x, int y, int width, int height, int mode) {
    if (!initialised_ || !visible_) return;
    int boxWidth, boxHeight;
    StateSize(&boxWidth, &boxHeight);
    const HVRect area = HVRect::FromSize(x, y, width, height).Intersect(HVRect::FromSize(0, 0, boxWidth, boxHeight));
    if (area.IsEmpty()) return;
    if (OwnsWindow()) {
        if (!host_) return;
        if (mode & HVI_LATER) {
            host_->PaintLater(area);
        } else {
            painting_ = 1;
            host_->PaintNow(area);
            painting_ = 0;
        }
        return;
    }
    if (!parent_) return;
    const HVRect rect = GetRect();
    parent_->InvalidateChildSpace(area.Offset(rect.left, rect.top), mode);
}

void HVObj::Redraw(int mode) {
    int width, height;
    StateSize(&width, &height);
    Invalidate(0, 0, width, height, mode);
}

// --- raising, grouping and order ---

int HVObj::MarkGroup(int mark, bool counting) {
    raiseIndex_ = mark;
    int next = counting ? mark + 1 : mark;
    if (!parent_) return next;
    for (HVObj* sibling : parent_->children_) {
        if (sibling == this || sibling->raiseIndex_ != 0) continue;
        const bool linked = !className_.empty() && textcmp::EqualIgnoringCase(sibling->linkName_, className_);
        const bool follows = groupFollows_ && sibling->groupFollows_;
        const bool grouped = SameNonEmpty(groupName_, sibling->groupName_);
        if (linked || follows || grouped) next = sibling->MarkGroup(next, counting);
    }
    return next;
}

bool HVObj::OnTop() {
    hvlock::Guard lock(hvlock::kRaiseTimeout);
    if (!lock.Held() || raiseDisabled_) return false;
    if (!parent_) {
        PlaceWindow(nullptr);
        return true;
    }
    if (SameNonEmpty(groupName_, parent_->groupName_)) return parent_->OnTop();

    std::vector<HVObj*>& siblings = parent_->children_;
    const int count = static_cast<int>(siblings.size());
    for (HVObj* sibling : siblings) sibling->raiseIndex_ = 0;
    MarkGroup(count, true);
    // The others keep their order below the raised group.
    int down = count - 1;
    for (auto it = siblings.rbegin(); it != siblings.rend(); ++it)
        if ((*it)->raiseIndex_ == 0) (*it)->raiseIndex_ = down--;
    std::stable_sort(siblings.begin(), siblings.end(),
                     [](const HVObj* a, const HVObj* b) { return a->raiseIndex_ < b->raiseIndex_; });
    for (HVObj* sibling : siblings)
        if (sibling->raiseIndex_ >= count) sibling->Redraw(HVI_NOW);
    return true;
}

void HVObj::Restack(uint32_t how) {
    if (!parent_) return;
    std::vector<HVObj*>& siblings = parent_->children_;
    auto it = std::find(siblings.begin(), siblings.end(), this);
    if (it == siblings.end()) return;
    const size_t index = static_cast<size_t>(it - siblings.begin());
    siblings.erase(it);
    size_t place = index;
    if (how & HVR_LAST)
        place = siblings.size();
    else if (how & HVR_LATER)
        place = std::min(index + 1, siblings.size());
    else if (how & HVR_EARLIER)
        place = index > 0 ? index - 1 : 0;
    else if (how & HVR_FIRST)
        place = 0;
    siblings.insert(siblings.begin() + static_cast<std::ptrdiff_t>(place), this);
    if (!OwnsWindow()) Redraw(HVI_NOW);
}

void HVObj::PlaceWindow(HVObj*) {
    if (OwnsWindow()) return;
    Redraw(hvlock::OnLibraryThread() ? HVI_NOW : HVI_LATER);
}

// --- default dragging ---

bool HVObj::OnDrag(int x, int y, int deltaX, int deltaY) {
    if (!movable_) return false;
    if (parent_ && SameNonEmpty(groupName_, parent_->groupName_)) return parent_->OnDrag(x, y, deltaX, deltaY);
    if (!parent_) return MoveAligned2(anchorX_ + deltaX, anchorY_ + deltaY);
    for (HVObj* sibling : parent_->children_) sibling->raiseIndex_ = 0;
    MarkGroup(1, false);
    // Moving may reorder nothing, but copy the list: a move can run application code.
    const std::vector<HVObj*> siblings = parent_->children_;
    for (HVObj* sibling : siblings)
        if (sibling->raiseIndex_ != 0) sibling->MoveAligned2(sibling->anchorX_ + deltaX, sibling->anchorY_ + deltaY);
    return true;
}

bool HVObj::OnDragEnd() {
    if (parent_ && SameNonEmpty(groupName_, parent_->groupName_)) return parent_->OnDragEnd();
    return false;
}
