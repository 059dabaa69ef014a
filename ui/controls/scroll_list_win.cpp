#include "ui/controls/scroll_list_win.h"

#include <algorithm>
#include <vector>

#include "graphics/hv_bitmap_state.h"
#include "resources/artwork_ids.h"
#include "ui/controls/control_events_win.h"
#include "ui/controls/control_factory_win.h"
#include "ui/ui_metrics_win.h"

namespace {

std::vector<ScrollList*>& Lists() {
    static std::vector<ScrollList*> lists;
    return lists;
}

constexpr int kBarWidth = 17;     // the bar's artwork width, and the arrows' height
constexpr int kThumbHeight = 48;  // the thumb's artwork height
constexpr int kBarGap = 2;        // between the viewport and the bar
constexpr int kTrackMargin = 6;   // unscaled ends of the track and thumb images

void ResizeArea(CTXObj* area, int width, int height) {
    if (auto* state = dynamic_cast<HVVisualState*>(area->CurrentState())) state->SetSize(width, height);
    area->SetPositionFlags(0, 0, HVP_REDRAW);
}

}  // namespace

ScrollList::ScrollList(HVObj* parent, int x, int y, int width, int height, const ScrollListSetup& setup)
    : setup_(setup), step_(setup.step) {
    const int bar = Scaled(kBarWidth);
    const int viewportWidth = width - bar - Scaled(kBarGap);
    viewportHeight_ = height;
    contentWidth_ = viewportWidth - 2;
    viewport_ = CreateRectangle(parent, x, y, viewportWidth, height, setup.fillColour, setup.borderColour);
    content_ = CreateArea(viewport_, 1, 1, contentWidth_, std::max(height - 2, 1));
    content_->commandId = setup.contentId;
    contentHeight_ = height - 2;

    const int barX = x + viewportWidth + Scaled(kBarGap);
    const int margin = Scaled(kTrackMargin);
    track_ = CreateStretchedImage(parent, barX, y, bar, height, 0, 0, margin, margin, IDP_SCROLL_TRACK);
    if (setup.trackId) MakeClickable(track_, setup.trackId, HVC_ARROW);
    if (setup.upId) {
        up_ = CreateSizedImage(track_, 0, 0, bar, bar, IDP_SCROLL_UP);
        MakeClickable(up_, setup.upId, HVC_ARROW);
        down_ = CreateSizedImage(track_, 0, height - bar, bar, bar, IDP_SCROLL_DOWN);
        MakeClickable(down_, setup.downId, HVC_ARROW);
    }
    thumb_ = CreateStretchedImage(track_, 0, bar, bar, Scaled(kThumbHeight), 0, 0, margin, margin, IDP_SCROLL_THUMB);
    MakeClickable(thumb_, setup.thumbId, HVC_ARROW);
    thumbY_ = ThumbLowerBound();
    Lists().push_back(this);
    SetContentHeight(contentHeight_);
}

ScrollList::~ScrollList() {
    if (pressedArrow_) ReleaseArrow(pressedArrow_);
    auto& lists = Lists();
    lists.erase(std::remove(lists.begin(), lists.end(), this), lists.end());
}

int ScrollList::TrackHeight() const {
    return ControlHeight(track_);
}

int ScrollList::ThumbHeight() const {
    return ControlHeight(thumb_);
}

int ScrollList::ThumbLowerBound() const {
    return Scaled(kBarWidth);
}

int ScrollList::ThumbUpperBound() const {
    return TrackHeight() - Scaled(kBarWidth) - ThumbHeight();
}

int ScrollList::ThumbY() const {
    return thumbY_;
}

int ScrollList::ContentOffset() const {
    return 1 - content_->GetStateRect().top;
}

void ScrollList::SetContentHeight(int height) {
    contentHeight_ = std::max(height, 1);
    ResizeArea(content_, contentWidth_, contentHeight_);
    if (contentHeight_ > viewportHeight_ - 2)
        track_->Show();
    else
        track_->Hide();
    PlaceThumb(ThumbLowerBound());
}

void ScrollList::DragThumb(int dy) {
    PlaceThumb(thumbY_ + dy);
}

void ScrollList::PlaceThumb(int y) {
    const int lower = ThumbLowerBound();
    const int upper = std::max(ThumbUpperBound(), lower);
    thumbY_ = std::clamp(y, lower, upper);
    MoveContent();
    thumb_->Move(0, thumbY_);
}

void ScrollList::MoveContent() {
    const int lower = ThumbLowerBound();
    const int upper = ThumbUpperBound();
    const int hidden = std::max(contentHeight_ - (viewportHeight_ - 2), 0);
    int offset = 0;
    if (upper > lower) offset = static_cast<int>(int64_t(hidden) * (thumbY_ - lower) / (upper - lower));
    content_->Move(1, 1 - offset);
}

void ScrollList::ScrollIntoView(int top, int bottom) {
    const int visible = viewportHeight_ - 2;
    const int hidden = std::max(contentHeight_ - visible, 0);
    const int offset = ContentOffset();
    int wanted = offset;
    if (top < offset)
        wanted = top;
    else if (bottom > offset + visible)
        wanted = bottom - visible;
    wanted = std::clamp(wanted, 0, hidden);
    if (wanted == offset || hidden == 0) return;
    // The thumb place whose offset is at least the wanted one (rounding up), so the row is fully in.
    const int lower = ThumbLowerBound();
    const int upper = ThumbUpperBound();
    if (upper <= lower) return;
    const int64_t span = upper - lower;
    PlaceThumb(lower + static_cast<int>((int64_t(wanted) * span + hidden - 1) / hidden));
    if (ContentOffset() > wanted && top < ContentOffset()) PlaceThumb(thumbY_ - 1);
}

void ScrollList::PressArrow(int arrowId) {
    const bool up = arrowId == setup_.upId;
    DragThumb(up ? -step_ : step_);
    pressedArrow_ = arrowId;
    pressTime_ = GetTickCount64();
    if (HWND window = ControlWindow())
        SetTimer(window, up ? setup_.upTimer : setup_.downTimer, kRepeatPeriodMs, nullptr);
}

void ScrollList::ReleaseArrow(int arrowId) {
    if (HWND window = ControlWindow()) KillTimer(window, arrowId == setup_.upId ? setup_.upTimer : setup_.downTimer);
    if (pressedArrow_ == arrowId) pressedArrow_ = 0;
}

bool ScrollList::OnTimer(UINT timer) {
    if (timer != setup_.upTimer && timer != setup_.downTimer) return false;
    if (GetTickCount64() - pressTime_ > kRepeatDelayMs) {
        const int amount = setup_.repeatByPixel ? 1 : step_;
        DragThumb(timer == setup_.upTimer ? -amount : amount);
    }
    return true;
}

ScrollList* ScrollList::ForThumb(int thumbId) {
    if (thumbId == 0) return nullptr;
    for (ScrollList* list : Lists())
        if (list->setup_.thumbId == thumbId) return list;
    return nullptr;
}

ScrollList* ScrollList::ForArrow(int arrowId) {
    if (arrowId == 0) return nullptr;
    for (ScrollList* list : Lists())
        if (list->setup_.upId == arrowId || list->setup_.downId == arrowId) return list;
    return nullptr;
}

ScrollList* ScrollList::ForTimer(UINT timer) {
    if (timer == 0) return nullptr;
    for (ScrollList* list : Lists())
        if (list->setup_.upTimer == timer || list->setup_.downTimer == timer) return list;
    return nullptr;
}
