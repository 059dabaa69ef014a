// HVObj: construction and destruction, the tree of children, the list of states, Create, the
// update call and the boxes. Positioning and drawing order are in hv_obj_layout.cpp, input in
// hv_obj_input.cpp, state changes in hv_obj_state.cpp, drawing and the window in hv_obj_win.cpp.
#include "graphics/hv_obj.h"

#include <algorithm>
#include <mutex>
#include <unordered_set>

#include "graphics/hv_bitmap.h"
#include "graphics/hv_bitmap_state.h"
#include "graphics/hv_window_host.h"
#include "base/text_compare.h"

HVObjLibrary gHVObjects;

const int kHVSystemPointers[kHVPointerCount] = {32512, 32651, 32650, 32514, 32515, 32513, 32631, 32648,
                                                32645, 32644, 32642, 32643, 32646, 32516, 32649};

namespace {

// Every live object, so that a pointer kept in a library slot can be checked before use without
// reading memory that may have been freed.
std::mutex gLiveLock;
std::unordered_set<const HVObj*>& LiveObjects() {
    static std::unordered_set<const HVObj*> live;
    return live;
}

}  // namespace

bool HVObj::IsLive(const HVObj* object) {
    if (!object) return false;
    std::lock_guard<std::mutex> hold(gLiveLock);
    return LiveObjects().count(object) != 0 && object->signature_ == kHVObjSignature;
}

HVObj::HVObj(uint32_t kind) {
    Init(kind);
}

HVObj::HVObj(uint32_t kind, HVWindowHost* host) : host_(host) {
    Init(kind);
}

void HVObj::Init(uint32_t kind) {
    kind_ = kind;
    {
        std::lock_guard<std::mutex> hold(gLiveLock);
        LiveObjects().insert(this);
    }
    GlobalUpdater().Register(this, kUpdateInterval);
}

HVObj::~HVObj() {
    GlobalUpdater().Unregister(this);
    if (gHVObjects.focus == this) gHVObjects.focus = nullptr;
    if (gHVObjects.hover == this) gHVObjects.hover = nullptr;
    if (gHVObjects.lastClicked == this) gHVObjects.lastClicked = nullptr;
    if (gHVObjects.root == this) gHVObjects.root = nullptr;
    const bool wasVisible = visible_ != 0 && initialised_;
    const HVRect last = lastRect_;
    DestroyWindow();
    HVObj* parent = parent_;
    if (parent) parent->RemoveChild(this);
    // Children belong to their parent: they go with it.
    DestroyChildren();
    if (!keepStates_) {
        for (HVState* state : states_) delete state;
    }
    states_.clear();
    current_ = pending_ = nullptr;
    queue_.clear();
    if (parent && wasVisible && !last.IsEmpty()) parent->InvalidateChildSpace(last, HVI_NOW | HVI_LATER);
    delete host_;
    {
        std::lock_guard<std::mutex> hold(gLiveLock);
        LiveObjects().erase(this);
    }
    signature_ = 0;
}

void HVObj::DestroyChildren() {
    while (!children_.empty()) delete children_.back();
}

// --- tree ---

void HVObj::RemoveChild(HVObj* child) {
    auto found = std::find(children_.begin(), children_.end(), child);
    if (found == children_.end()) return;
    children_.erase(found);
    child->parent_ = nullptr;
    if (gHVObjects.hover == child) gHVObjects.hover = nullptr;
    if (child->visible_ && child->initialised_ && !child->lastRect_.IsEmpty())
        InvalidateChildSpace(child->lastRect_, HVI_NOW | HVI_LATER);
}

void HVObj::AddChild(HVObj* child, bool atFront) {
    if (!child || child == this) return;
    if (std::find(children_.begin(), children_.end(), child) != children_.end()) return;
    child->parent_ = this;
    if (atFront)
        children_.insert(children_.begin(), child);
    else
        children_.push_back(child);
}

void HVObj::AddChildLast(HVObj* child) {
    AddChild(child, false);
}

void HVObj::SetParent(HVObj* parent, bool atFront) {
    if (parent_) parent_->RemoveChild(this);
    if (parent) parent->AddChild(this, atFront);
}

HVObj* HVObj::WindowOwner() {
    HVObj* object = this;
    while (object && !object->OwnsWindow()) object = object->parent_;
    return object;
}

// --- states ---

void HVObj::AddState(HVState* state) {
    if (state) states_.push_back(state);
}

HVState* HVObj::FindState(const std::wstring& name) const {
    for (HVState* state : states_)
        if (textcmp::EqualIgnoringCase(state->Name(), name)) return state;
    return nullptr;
}

HVVisualState* HVObj::FindVisualState(const std::wstring& name) const {
    HVState* state = FindState(name);
    return state && state->IsVisual() ? static_cast<HVVisualState*>(state) : nullptr;
}

void HVObj::RemoveState(const std::wstring& name, bool keep) {
    auto found = std::find_if(states_.begin(), states_.end(),
                              [&](HVState* state) { return textcmp::EqualIgnoringCase(state->Name(), name); });
    if (found == states_.end()) return;
    HVState* state = *found;
    states_.erase(found);
    if (current_ == state) {
        current_ = nullptr;
        currentAnimated_ = false;
    }
    if (pending_ == state) pending_ = nullptr;
    for (HVStateRequest& request : queue_)
        if (request.state == state) request.state = nullptr;
    if (!keep) delete state;
}

HVVisualState* HVObj::CurrentVisual() const {
    return current_ && current_->IsVisual() ? static_cast<HVVisualState*>(current_) : nullptr;
}

std::wstring HVObj::CurrentStateName() const {
    return current_ ? current_->Name() : std::wstring();
}

bool HVObj::IsInState(const std::wstring& name) const {
    return current_ && textcmp::EqualIgnoringCase(current_->Name(), name);
}

// --- Create and update ---

void HVObj::Create() {
    if (initialised_) return;
    if (kind_ == HVK_WRAPPED && host_) {
        int width = 0, height = 0;
        host_->ClientSize(&width, &height);
        left_ = top_ = 0;
        movable_ = 0;
        // The window's own look: an opaque blank of the client size, which the children cover.
        auto* blank = new HVBitmap(std::max(width, 1), std::max(height, 1), HVB_ALPHA);
        blank->SetOpaque(true);
        blank->Clear();
        auto* state = new HVBitmapState(hvstate::kBlank, blank);
        state->SetOpaque(true);
        state->SetSize(width, height);
        AddState(state);
        ChangeState(hvstate::kBlank);
        host_->Adopt(this);
        initialised_ = true;
        RecomputeRects(nullptr, nullptr, nullptr);
        lastRect_ = GetRect();
        lastStateRect_ = GetStateRect();
        return;
    }
    initialised_ = true;
    if (kind_ != HVK_ROOT && !current_) {
        for (HVState* state : states_) {
            if (state->IsVisual()) {
                ChangeState(state->Name());
                break;
            }
        }
    }
}

void HVObj::DestroyWindow() {
    initialised_ = false;
    if (OwnsWindow() && host_) host_->Release();
}

int HVObj::GetCurrentFrame() const {
    const HVVisualState* state = CurrentVisual();
    return state ? state->CurrentFrame() : -1;
}

void HVObj::update(uint32_t) {
    HVVisualState* state = CurrentVisual();
    if (!state) return;
    // A frame other than the one drawn last is due: repaint. (The shown frame is compared, so a
    // reversed animation does not repaint on every tick.)
    if (state->FrameCount() > 1 && state->ShownFrame() != state->LastDrawnFrame()) Redraw(HVI_NOW);
    // An even animation that has played once reports its end, once; a looping one never ends.
    if (currentAnimated_ && state->IsAnimating() && state->FrameCount() > 1 && !(state->ModeFlags() & HVS_LOOP) &&
        state->IsFinished())
        FinishAnimation();
}

// --- boxes ---

void HVObj::StateSize(int* width, int* height) const {
    const HVVisualState* state = CurrentVisual();
    *width = state ? state->Width() : 0;
    *height = state ? state->Height() : 0;
}

void HVObj::Trims(int* left, int* top, int* right, int* bottom) const {
    const HVVisualState* state = CurrentVisual();
    *left = state ? state->TrimLeft() : 0;
    *top = state ? state->TrimTop() : 0;
    *right = state ? state->TrimRight() : 0;
    *bottom = state ? state->TrimBottom() : 0;
}

int HVObj::AlignShiftX(int trimmedWidth) const {
    if (hAlign_ == HVA_CENTRE) return trimmedWidth / 2;
    if (hAlign_ == HVA_RIGHT) return trimmedWidth;
    return 0;
}

int HVObj::AlignShiftY(int trimmedHeight) const {
    if (vAlign_ == HVA_MIDDLE) return trimmedHeight / 2;
    if (vAlign_ == HVA_BOTTOM) return trimmedHeight;
    return 0;
}

HVRect HVObj::GetStateRect() const {
    int width, height, tl, tt, tr, tb;
    StateSize(&width, &height);
    Trims(&tl, &tt, &tr, &tb);
    const int trimmedWidth = width - tl - tr;
    const int trimmedHeight = height - tt - tb;
    const HVVisualState* state = CurrentVisual();
    const int x = anchorX_ - AlignShiftX(trimmedWidth) + (state ? state->OffsetX() : 0);
    const int y = anchorY_ - AlignShiftY(trimmedHeight) + (state ? state->OffsetY() : 0);
    return HVRect::FromSize(x, y, std::max(trimmedWidth, 0), std::max(trimmedHeight, 0));
}

HVRect HVObj::GetRect() const {
    int width, height, tl, tt, tr, tb;
    StateSize(&width, &height);
    Trims(&tl, &tt, &tr, &tb);
    const HVRect box = GetStateRect();
    return HVRect::FromSize(box.left - tl, box.top - tt, width, height);
}

void HVObj::RecomputeRects(bool* moved, bool* resized, bool* boxChanged) {
    const HVRect rect = GetRect();
    const HVRect stateRect = GetStateRect();
    if (moved) *moved = rect != lastRect_;
    if (resized) *resized = rect.Width() != lastRect_.Width() || rect.Height() != lastRect_.Height();
    if (boxChanged) *boxChanged = stateRect != lastStateRect_;
    left_ = rect.left;
    top_ = rect.top;
}

void HVObj::LocalOrigin(int* x, int* y) const {
    int ox = 0, oy = 0;
    for (const HVObj* object = this; object && !object->OwnsWindow(); object = object->parent_) {
        const HVRect box = object->GetStateRect();
        ox += box.left;
        oy += box.top;
    }
    *x = ox;
    *y = oy;
}

void HVObj::ClientToLocal(int* x, int* y) const {
    int ox, oy;
    LocalOrigin(&ox, &oy);
    *x -= ox;
    *y -= oy;
}

bool HVObj::HitState(int x, int y) const {
    const HVVisualState* state = CurrentVisual();
    return visible_ && state && state->HitTest(x, y);
}

HVObj* HVObj::HitObject(int x, int y) {
    if (!visible_) return nullptr;
    if (!OwnsWindow() && !GetStateRect().Contains(x, y)) return nullptr;
    const HVRect rect = OwnsWindow() ? HVRect{} : GetRect();
    int tl, tt, tr, tb;
    Trims(&tl, &tt, &tr, &tb);
    // (x, y) in this object's frame, then in its children's space.
    const int frameX = x - rect.left, frameY = y - rect.top;
    for (auto it = children_.rbegin(); it != children_.rend(); ++it) {
        if (HVObj* hit = (*it)->HitObject(frameX - tl, frameY - tt)) return hit;
    }
    return HitState(frameX, frameY) ? this : nullptr;
}

HVObj* CreateRootObject() {
    if (!gHVObjects.root) {
        gHVObjects.root = new HVObj(HVK_ROOT);
        gHVObjects.root->Create();
        gHVObjects.root->Show();
    }
    return gHVObjects.root;
}

void DestroyRootObject() {
    delete gHVObjects.root;
    gHVObjects.root = nullptr;
}
