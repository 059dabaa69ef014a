#pragma once
// HVObj: every on-screen thing of the library. Objects form a tree inside one adopted window: the
// window's own object (the wrapped kind) is the top, every button, label, list row and preview a
// windowless child drawn into it. An object owns its children, its named visual states (one of
// which is current), and its queue of state requests. It draws its current state, then its
// children in order (the last on top).
//
// Coordinates: an object's children live in the coordinate space of its current state's trimmed
// box (the box without shadow margins); GetRect and GetStateRect answer in the parent's space.
// "Local" coordinates handed to the event operations are in the object's own child space.
//
// Threads: objects live on the thread that owns the adopted window. State requests and positioning
// may come from other threads; they take the library lock (hv_lock.h) with bounded waits.
//
// The event operations return whether the object handled the event; the defaults return false
// unless said otherwise.
#include <cstdint>
#include <string>
#include <vector>

#include "graphics/hv_rect.h"
#include "graphics/hv_state.h"
#include "graphics/updater.h"

#ifdef _WIN32
struct HDC__;
struct HWND__;
#endif

class HVWindowHost;

// Object kinds. Bit 0x10 marks an object that owns a window.
constexpr uint32_t HVK_ROOT = 0x10000000;
constexpr uint32_t HVK_WRAPPED = 0x10000010;
constexpr uint32_t HVK_CHILD = 0x00000001;
constexpr uint32_t HVK_OWNS_WINDOW = 0x10;

constexpr uint32_t kHVObjSignature = 0x684C0FA1;

// Alignments of the anchor against the current state's box.
constexpr int HVA_LEFT = 0, HVA_CENTRE = 1, HVA_RIGHT = 2;
constexpr int HVA_TOP = 0, HVA_MIDDLE = 1, HVA_BOTTOM = 2;

// SetPosition flags.
constexpr uint32_t HVP_MOVE = 0x01;  // a new anchor is given
constexpr uint32_t HVP_SHOW = 0x04;
constexpr uint32_t HVP_HIDE = 0x08;
constexpr uint32_t HVP_QUIET = 0x10;    // no OnMoved
constexpr uint32_t HVP_REDRAW = 0x400;  // redraw even when nothing moved (a new state)

// Invalidate and Redraw modes.
constexpr int HVI_NOW = 0x01;    // paint at once on the calling (window) thread
constexpr int HVI_LATER = 0x02;  // post the repaint to the window thread

// Restack directions.
constexpr uint32_t HVR_LAST = 0x01, HVR_LATER = 0x02, HVR_EARLIER = 0x04, HVR_FIRST = 0x08;

// State request flags.
constexpr uint32_t HVC_NO_ANIMATION = 0x01;  // show the new state still (unless requests are queued)
constexpr uint32_t HVC_FORCE = 0x02;         // apply now, discarding the queue, even during a change
constexpr uint32_t HVC_SILENT = 0x04;        // no OnStateChanging / OnStateChanged

// Results of InternalChangeState.
constexpr int HVS_UNCHANGED = 0, HVS_PLAIN_STATE = 1, HVS_CHANGED = 2;

// The pointer shown over an object: an index into the system pointer table.
constexpr int HVC_ARROW = 0, HVC_SIZE_WE = 9, HVC_HAND = 14;
constexpr int kHVPointerCount = 15;
// The platform's system pointer identifiers, by index.
extern const int kHVSystemPointers[kHVPointerCount];

// The state names every part of the window shares (compared without regard to case).
namespace hvstate {
constexpr wchar_t kDefault[] = L"Default";
constexpr wchar_t kOver[] = L"Over";
constexpr wchar_t kDown[] = L"Down";
constexpr wchar_t kSelected[] = L"Selected";
constexpr wchar_t kUnselected[] = L"Unselected";
constexpr wchar_t kAway[] = L"Away";
constexpr wchar_t kShow[] = L"Show";
constexpr wchar_t kHide[] = L"Hide";
constexpr wchar_t kEnabled[] = L"Enabled";
constexpr wchar_t kBlank[] = L"Blank";
constexpr wchar_t kMouseAway[] = L"Mouse away";
}  // namespace hvstate

// One queued state request.
struct HVStateRequest {
    static constexpr size_t kNameChars = 200;  // names are cut to 199 characters
    HVState* state = nullptr;                  // null when the name matched no state
    std::wstring name;
    bool noAnimation = false;
};

class HVObj : public Updateable {
public:
    static constexpr size_t kMaxQueuedRequests = 26;
    static constexpr int kDragThreshold = 6;         // pixels in x or y before a press drags
    static constexpr uint32_t kDoubleClickMs = 500;  // second click on the same object within
    static constexpr uint32_t kUpdateInterval = 10;  // ms between update calls

    // A root or child object. Registers with the updater.
    explicit HVObj(uint32_t kind = HVK_CHILD);
    // An object adopting a window through host (which it owns); Create takes the window over.
    HVObj(uint32_t kind, HVWindowHost* host);
    ~HVObj() override;
    HVObj(const HVObj&) = delete;
    HVObj& operator=(const HVObj&) = delete;

    // --- virtual operations, in the library's slot order ---
    void update(uint32_t tick) override;
    virtual HVRect GetRect() const;       // the current state's full box, in the parent's space
    virtual HVRect GetStateRect() const;  // the trimmed box, in the parent's space
    virtual void RemoveChild(HVObj* child);
    virtual void AddChild(HVObj* child, bool atFront);
    virtual void AddChildLast(HVObj* child);
    virtual int GetCurrentFrame() const;  // -1 without a current visual state
    virtual void OnStateChanging(const std::wstring& name, uint32_t flags);
    virtual void OnStateChanged(const std::wstring& name, uint32_t flags);
    virtual void Create();
    virtual void DestroyWindow();
    virtual bool Move(int x, int y);         // the trimmed box's origin goes to (x, y)
    virtual bool MoveAligned(int x, int y);  // (x, y) is the new anchor
    virtual bool MoveAligned2(int x, int y);
    virtual bool SetPosition(int x, int y, uint32_t flags);
    virtual bool SetPositionFlags(int x, int y, uint32_t flags);
    virtual void OnMoved();
    virtual bool Show();
    virtual bool Hide();
    virtual bool OnTop();
    virtual void Restack(uint32_t how);
    virtual void PlaceWindow(HVObj* insertAfter);
    virtual void Redraw(int mode);
    virtual void Invalidate(int x, int y, int width, int height, int mode);
    virtual bool HitState(int x, int y) const;
#ifdef _WIN32
    // Draws the part (x, y, width, height) of this object's frame, whose origin lands at
    // (offsetX, offsetY) of the device context, then its children, at an opacity factor of 0..255.
    virtual void Render(HDC__* dc, int offsetX, int offsetY, int x, int y, int width, int height, float factor);
    virtual void RenderFull(HDC__* dc, int offsetX, int offsetY, int x, int y, int width, int height);
#endif
    virtual void SyncFromWindow();
    virtual bool OnLButtonDown(int x, int y);
    virtual bool OnLButtonUp(int x, int y, bool dragged);
    virtual bool OnDoubleClick(int x, int y);
    virtual bool OnRButtonDown(int x, int y);
    virtual bool OnRButtonUp(int x, int y, bool dragged);
    virtual bool OnMouseMove(int x, int y);
    virtual bool OnMouseEnter();
    virtual bool OnMouseLeave(HVObj* next);
    virtual bool OnKeyDown(unsigned key, uint32_t data);
    virtual bool OnKeyUp(unsigned key, uint32_t data);
    virtual bool OnChar(unsigned character, uint32_t data);
    virtual void SetFocus();
    virtual void KillFocus();
    virtual bool OnDrag(int x, int y, int deltaX, int deltaY);
    virtual bool OnDragEnd();
    // The button pressed on this object will not be released here: the window lost the mouse.
    // Ends a drag; controls also end what the press started.
    virtual bool OnPressCancelled();
    // The dispatchers: called on the window's own object with client coordinates.
    virtual void MouseDown(int x, int y, bool right);
    virtual void MouseUp(int x, int y, bool right);
    virtual void MouseMove(int x, int y);
    virtual bool OnMouseWheel(int delta);
    virtual void MouseLeave();
    // The window lost the mouse while a button was held (another window took the capture, or the
    // system cancelled the mode): the press ends without a release, and hover resumes.
    virtual void CancelPress();
#ifdef _WIN32
    // Paints the invalid area of the adopted window through the shared off-screen bitmap.
    virtual void Paint(HWND__* window);
#endif

    // --- tree ---
    void SetParent(HVObj* parent, bool atFront = false);
    HVObj* Parent() const {
        return parent_;
    }
    const std::vector<HVObj*>& Children() const {
        return children_;
    }
    // Destroys every child (and theirs).
    void DestroyChildren();
    // The nearest object, this one included, that owns a window; null when none.
    HVObj* WindowOwner();
    // The object under (x, y) of the parent's space, this one or a descendant; null when none.
    HVObj* HitObject(int x, int y);
    // Converts (x, y) from the window's client space to this object's local space.
    void ClientToLocal(int* x, int* y) const;
    // This object's local origin in the window's client space.
    void LocalOrigin(int* x, int* y) const;

    // --- states ---
    void AddState(HVState* state);  // takes ownership
    // Removes the state of that name (case-insensitive); destroys it unless keep.
    void RemoveState(const std::wstring& name, bool keep = false);
    HVState* FindState(const std::wstring& name) const;
    HVVisualState* FindVisualState(const std::wstring& name) const;
    const std::vector<HVState*>& States() const {
        return states_;
    }
    HVState* CurrentState() const {
        return current_;
    }
    HVVisualState* CurrentVisual() const;
    HVState* PendingState() const {
        return pending_;
    }
    // The current state's name, empty without one.
    std::wstring CurrentStateName() const;
    bool IsInState(const std::wstring& name) const;

    // --- state changes ---
    int ChangeState(const std::wstring& name) {
        return ChangeState(name, 0, 0);
    }
    int ChangeState(const std::wstring& name, uint32_t flags, uint32_t extra = 0);
    int EnqueueState(const std::wstring& name, uint32_t flags);
    int InternalChangeState(const std::wstring& name, uint32_t flags);
    const std::vector<HVStateRequest>& Queue() const {
        return queue_;
    }
    bool IsChanging() const {
        return changing_;
    }
    bool CurrentAnimated() const {
        return currentAnimated_;
    }

    // --- fields ---
    uint32_t Kind() const {
        return kind_;
    }
    bool OwnsWindow() const {
        return (kind_ & HVK_OWNS_WINDOW) != 0;
    }
    uint32_t Signature() const {
        return signature_;
    }
    bool IsVisible() const {
        return visible_ != 0;
    }
    bool IsInitialised() const {
        return initialised_;
    }
    int AnchorX() const {
        return anchorX_;
    }
    int AnchorY() const {
        return anchorY_;
    }
    int Left() const {
        return left_;
    }
    int Top() const {
        return top_;
    }
    void SetAlignment(int horizontal, int vertical) {
        hAlign_ = horizontal;
        vAlign_ = vertical;
    }
    int HorizontalAlignment() const {
        return hAlign_;
    }
    int VerticalAlignment() const {
        return vAlign_;
    }
    bool Movable() const {
        return movable_ != 0;
    }
    void SetMovable(bool movable) {
        movable_ = movable ? 1 : 0;
    }
    bool Pressed() const {
        return pressed_ != 0;
    }
    void SetPressed(bool pressed) {
        pressed_ = pressed ? 1 : 0;
    }
    bool GroupFollows() const {
        return groupFollows_ != 0;
    }
    void SetGroupFollows(bool on) {
        groupFollows_ = on ? 1 : 0;
    }
    bool RaiseDisabled() const {
        return raiseDisabled_ != 0;
    }
    void SetRaiseDisabled(bool on) {
        raiseDisabled_ = on ? 1 : 0;
    }
    bool KeepStates() const {
        return keepStates_ != 0;
    }
    void SetKeepStates(bool on) {
        keepStates_ = on ? 1 : 0;
    }
    const std::wstring& GroupName() const {
        return groupName_;
    }
    void SetGroupName(const std::wstring& name) {
        groupName_ = name;
    }
    const std::wstring& LinkName() const {
        return linkName_;
    }
    void SetLinkName(const std::wstring& name) {
        linkName_ = name;
    }
    const std::wstring& ClassName() const {
        return className_;
    }
    void SetClassName(const std::wstring& name) {
        className_ = name;
    }
    int Pointer() const {
        return pointer_;
    }
    void SetPointer(int index) {
        pointer_ = index;
    }
    int RaiseIndex() const {
        return raiseIndex_;
    }
    bool IsPainting() const {
        return painting_ != 0;
    }
    void SetPainting(bool on) {
        painting_ = on ? 1 : 0;
    }
    bool IsHovered() const {
        return hover_ != 0;
    }
    bool DragStarted() const {
        return dragStarted_ != 0;
    }
    const HVRect& LastRect() const {
        return lastRect_;
    }
    HVWindowHost* Host() const {
        return host_;
    }

    // A live object of this process: constructed and not yet destroyed, with a good signature.
    static bool IsLive(const HVObj* object);

protected:
    // The box of the current state in the object's frame: (0, 0, width, height).
    void StateSize(int* width, int* height) const;
    void Trims(int* left, int* top, int* right, int* bottom) const;
    // The anchor shift of the current alignment for a trimmed width and height.
    int AlignShiftX(int trimmedWidth) const;
    int AlignShiftY(int trimmedHeight) const;
    // Marks this object and the siblings that move and rise with it; returns the next mark.
    int MarkGroup(int mark, bool counting);
    // Invalidates a rectangle given in this object's child space.
    void InvalidateChildSpace(const HVRect& rect, int mode);

private:
    friend struct HVObjAccess;  // tests
    void Init(uint32_t kind);
    void RecomputeRects(bool* moved, bool* resized, bool* boxChanged);
    // Finished even animation of the current state: notify once, then let queued requests run.
    void FinishAnimation();

    uint32_t signature_ = kHVObjSignature;
    uint32_t kind_ = HVK_CHILD;
    int hAlign_ = HVA_LEFT;
    int vAlign_ = HVA_TOP;
    int anchorX_ = 0;
    int anchorY_ = 0;
    int left_ = 0;
    int top_ = 0;
    HVRect lastRect_;
    HVRect lastStateRect_;
    int visible_ = 0;
    int groupFollows_ = 0;
    int raiseDisabled_ = 0;
    int movable_ = 1;
    int pressed_ = 0;
    HVObj* parent_ = nullptr;
    std::vector<HVObj*> children_;
    int keepStates_ = 0;
    std::wstring groupName_;
    std::wstring linkName_;
    std::wstring className_;
    HVState* pending_ = nullptr;
    HVState* current_ = nullptr;
    HVWindowHost* host_ = nullptr;  // owned; only the wrapped kind has one
    bool currentAnimated_ = false;
    bool changing_ = false;
    bool initialised_ = false;
    std::vector<HVState*> states_;  // owned unless keep-states is set
    int raiseIndex_ = 0;
    int painting_ = 0;
    int pointer_ = HVC_ARROW;
    int dragStarted_ = 0;
    std::vector<HVStateRequest> queue_;
    int hover_ = 0;
    int tracking_ = 0;
};

// Process-wide state of the object model, owned by the window thread.
struct HVObjLibrary {
    HVObj* root = nullptr;         // the invisible container made at start-up
    HVObj* hover = nullptr;        // the object under the pointer
    HVObj* focus = nullptr;        // receives keys
    HVObj* lastClicked = nullptr;  // for the double click and the press-point shift
    uint32_t lastClickTick = 0;
    int buttonState = 0;         // 0 none, 1 left, 2 right
    int pressX = 0, pressY = 0;  // where the button went down, in the pressed object's space
    bool focusLost = false;      // the window lost the focus: dragging stops
};
extern HVObjLibrary gHVObjects;

// Makes the root object once (library start-up); later calls return the same root.
HVObj* CreateRootObject();
// Destroys the root and everything below it.
void DestroyRootObject();
