#pragma once
// A scrolling list: a viewport rectangle, the list content (an area that moves inside it,
// clipped by it), and a scroll bar of a track image with an up arrow, a down arrow and a thumb.
// Dragging the thumb, pressing an arrow (one step at once, then a 20 ms repeat from 300 ms on)
// and the wheel move the content; the content's offset follows the thumb's place between the
// arrows. The objects belong to the parent given; the list only arranges them.
#include <windows.h>

#include <cstdint>

class HVObj;
class CTXObj;

struct ScrollListSetup {
    int thumbId = 0;  // command ids of the bar's parts
    int upId = 0;     // 0: no arrows
    int downId = 0;
    int trackId = 0;
    int contentId = 0;  // command id of the list content
    UINT upTimer = 0;   // repeat timers of the arrows, on the control window
    UINT downTimer = 0;
    int step = 5;                // pixels of thumb travel per arrow press and wheel notch
    bool repeatByPixel = false;  // the repeat moves the thumb by 1 pixel instead of the step
    uint32_t fillColour = 0xE6E6E6;
    uint32_t borderColour = 0xFFFFFF;
};

class ScrollList {
public:
    static constexpr UINT kRepeatPeriodMs = 20;
    static constexpr ULONGLONG kRepeatDelayMs = 300;

    // Builds the viewport at (x, y) of parent, width x height including the bar at its right.
    ScrollList(HVObj* parent, int x, int y, int width, int height, const ScrollListSetup& setup);
    ~ScrollList();
    ScrollList(const ScrollList&) = delete;
    ScrollList& operator=(const ScrollList&) = delete;

    CTXObj* Viewport() const { return viewport_; }
    CTXObj* Content() const { return content_; }
    CTXObj* Thumb() const { return thumb_; }
    CTXObj* Track() const { return track_; }
    int ViewportHeight() const { return viewportHeight_; }
    int ContentWidth() const { return contentWidth_; }
    int ContentHeight() const { return contentHeight_; }
    int ContentOffset() const;  // how far the content is scrolled up, >= 0

    // The content becomes that tall; the bar shows only when it is taller than the viewport; the
    // thumb goes to the top.
    void SetContentHeight(int height);
    int Step() const { return step_; }
    void SetStep(int step) { step_ = step; }
    // The track's height, the thumb's height and the thumb's travel between the arrows.
    int TrackHeight() const;
    int ThumbHeight() const;
    int ThumbLowerBound() const;
    int ThumbUpperBound() const;
    int ThumbY() const;  // relative to the track

    // Moves the thumb by dy pixels (clamped) and the content with it.
    void DragThumb(int dy);
    // Scrolls as little as needed for content rows top..bottom to be inside the viewport.
    void ScrollIntoView(int top, int bottom);

    void PressArrow(int arrowId);
    void ReleaseArrow(int arrowId);
    // A repeat timer fired; false when it is not one of this list's.
    bool OnTimer(UINT timer);

    static ScrollList* ForThumb(int thumbId);
    static ScrollList* ForArrow(int arrowId);
    static ScrollList* ForTimer(UINT timer);

private:
    void PlaceThumb(int y);
    void MoveContent();

    ScrollListSetup setup_;
    int step_;
    CTXObj* viewport_ = nullptr;
    CTXObj* content_ = nullptr;
    CTXObj* track_ = nullptr;
    CTXObj* up_ = nullptr;
    CTXObj* down_ = nullptr;
    CTXObj* thumb_ = nullptr;
    int viewportHeight_ = 0;
    int contentWidth_ = 0;
    int contentHeight_ = 0;
    int thumbY_ = 0;
    int pressedArrow_ = 0;
    ULONGLONG pressTime_ = 0;
};
