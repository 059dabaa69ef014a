#pragma once
// Visual states: the named looks of an on-screen object. A state knows its frame size, the trims
// that mark the box that counts as the state inside a larger image (shadow margins), its drawing
// offset, how it is hit-tested, an opacity ramp over its frames, and how its frames advance in
// time: evenly (frame count and delay) or by a frame script played through an element tree.
//
// An animating state registers with the process-wide updater; destroying a state unregisters it.
// The state owns its script records and text and shares its element tree with its copies.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "graphics/animation_script.h"
#include "graphics/frame_script.h"
#include "graphics/updater.h"

#ifdef _WIN32
struct HDC__;
#endif

class HVBitmap;

// Mode flags of SetAnimation; other bits are stored and have no effect.
constexpr uint32_t HVS_REVERSE = 0x01;        // frames run backwards unless the reverse switch is on
constexpr uint32_t HVS_STYLE = 0x02;          // stored only (the theme's "animation style" switch)
constexpr uint32_t HVS_SAMEIMAGE = 0x04;      // every frame shows the same image (fades by opacity)
constexpr uint32_t HVS_LOOP = 0x08;           // an even animation starts over after its last frame
constexpr uint32_t HVS_INTERRUPTIBLE = 0x10;  // a state change may interrupt the animation
constexpr uint32_t HVS_FORWARD = 0x20;        // SetAnimation does not start it; frames always run forward

// Hit modes.
constexpr int HVH_OPAQUE = 0;  // opaque pixels inside the trimmed box (also any unknown mode)
constexpr int HVH_ALWAYS = 1;
constexpr int HVH_NEVER = 2;
constexpr int HVH_BOX = 4;  // anywhere inside the trimmed box

// Look kinds.
constexpr int HVL_NONE = 0;
constexpr int HVL_BITMAP = 1;
constexpr int HVL_RECTANGLE = 2;
constexpr int HVL_BLANK = 3;

// A named state without a look of its own.
class HVState {
public:
    explicit HVState(std::wstring name) : name_(std::move(name)) {}
    virtual ~HVState() = default;

    const std::wstring& Name() const { return name_; }
    void SetName(std::wstring name) { name_ = std::move(name); }
    bool IsVisual() const { return visual_ != 0; }

protected:
    int visual_ = 0;
    std::wstring name_;
};

class HVVisualState : public HVState, public Updateable {
public:
    static constexpr uint32_t kScriptedInterval = 9;  // updater interval of a scripted animation

    explicit HVVisualState(std::wstring name);
    ~HVVisualState() override;
    HVVisualState(const HVVisualState&) = delete;
    HVVisualState& operator=(const HVVisualState&) = delete;

    // Whether (x, y), relative to the state's frame, hits the state.
    virtual bool HitTest(int x, int y) const;
    // Sets frames, delay (ms per frame) and mode flags. With fewer than 2 frames the animation
    // stops and the result is false. Otherwise it starts unless HVS_FORWARD is given.
    virtual bool SetAnimation(int frames, int delay, uint32_t flags);
#ifdef _WIN32
    // Draws (srcX, srcY, width, height) of the state's frame at (x, y) of the device context.
    virtual bool Draw(HDC__* dc, int x, int y, int srcX, int srcY, int width, int height);
#endif

    // Updater callback: a state whose start tick is 0 takes the tick as its start.
    void update(uint32_t tick) override;

    // Stores the script text, appends its parsed records to the state's records, restarts the
    // clock and rebuilds the element tree from all records.
    void SetScript(const std::wstring& text);
    void Start();    // with more than one frame and not animating yet: animate and register
    void Stop();     // unregister; not animating
    void Restart();  // the clock starts now; nothing drawn yet

    // The frame the clock points at, before the direction rule: 0 unless animating with at least
    // 2 frames and a non-zero start tick.
    int CurrentFrame() const;
    // Even animations only: true once frames x delay milliseconds have passed. Scripts never end.
    bool IsFinished() const;
    // The current frame after the direction rule.
    int ShownFrame() const;
    // Horizontal offset of the shown frame in the image strip (0 for a still or HVS_SAMEIMAGE).
    int FrameOffset() const;
    // Opacity of frame f: the start opacity, or interpolated towards the end opacity.
    int OpacityAt(int frame) const;

    void SetHitMode(int mode) {
        hitMode_ = mode;
    }
    int HitMode() const {
        return hitMode_;
    }
    // Non-positive values leave a dimension unchanged.
    void SetSize(int width, int height);
    int Width() const {
        return width_;
    }
    int Height() const {
        return height_;
    }
    void SetTrims(int left, int top, int right, int bottom);
    int TrimLeft() const {
        return trimLeft_;
    }
    int TrimTop() const {
        return trimTop_;
    }
    int TrimRight() const {
        return trimRight_;
    }
    int TrimBottom() const {
        return trimBottom_;
    }
    void SetOffset(int x, int y);
    int OffsetX() const {
        return offsetX_;
    }
    int OffsetY() const {
        return offsetY_;
    }
    void SetOpacity(int start) {
        startOpacity_ = start;
    }
    void SetEndOpacity(int end) {
        endOpacity_ = end;
    }  // -1: no ramp
    int StartOpacity() const {
        return startOpacity_;
    }
    int EndOpacity() const {
        return endOpacity_;
    }
    void SetReverse(int reverse) {
        reverse_ = reverse;
    }
    int Reverse() const {
        return reverse_;
    }

    int LookKind() const {
        return lookKind_;
    }
    uint32_t ModeFlags() const {
        return modeFlags_;
    }
    int FrameCount() const {
        return frameCount_;
    }
    int FrameDelay() const {
        return frameDelay_;
    }
    bool IsAnimating() const {
        return animating_ != 0;
    }
    int LastDrawnFrame() const {
        return lastDrawnFrame_;
    }
    void SetLastDrawnFrame(int frame) {
        lastDrawnFrame_ = frame;
    }
    uint32_t StartTick() const {
        return startTick_;
    }
    void SetStartTick(uint32_t tick) {
        startTick_ = tick;
    }
    bool HasScript() const {
        return root_ != nullptr;
    }
    const std::wstring& ScriptText() const {
        return scriptText_;
    }
    const std::vector<FrameScriptRecord>& ScriptRecords() const {
        return scriptRecords_;
    }
    const std::shared_ptr<RepeatElement>& ScriptRoot() const {
        return root_;
    }

protected:
    // Takes every visual field of other (not its name, look kind or registration); the element
    // tree is shared.
    void CopyVisualFields(const HVVisualState& other);
    void RegisterAnimation();
    // Whether the shown frame runs forward under the direction rule.
    bool RunsForward() const;

    int hitMode_ = HVH_OPAQUE;
    int trimLeft_ = 0;
    int trimTop_ = 0;
    int trimRight_ = 0;
    int trimBottom_ = 0;
    int offsetX_ = 0;
    int offsetY_ = 0;
    int width_ = 0;
    int height_ = 0;
    int startOpacity_ = 255;
    int endOpacity_ = -1;
    int lookKind_ = HVL_NONE;
    uint32_t modeFlags_ = 0;
    int lastDrawnFrame_ = -1;
    int frameCount_ = 0;
    int reverse_ = 0;
    int animating_ = 0;
    int frameDelay_ = 50;
    std::vector<FrameScriptRecord> scriptRecords_;
    std::wstring scriptText_;
    uint32_t startTick_;
    std::shared_ptr<RepeatElement> root_;
};

// A state that draws nothing; hit only in HVH_ALWAYS.
class HVBlankState : public HVVisualState {
public:
    explicit HVBlankState(std::wstring name);
#ifdef _WIN32
    bool Draw(HDC__* dc, int x, int y, int srcX, int srcY, int width, int height) override;
#endif
};

// A filled rectangle with a one-pixel border, both blended with their own opacity. The fill and
// border are 64 x 64 premultiplied bitmaps of one colour (made only for a non-zero opacity), which
// drawing stretches over the area. Never hit: clicks go through to what lies below.
class HVRectangularState : public HVVisualState {
public:
    // Colours are 0x00BBGGRR.
    HVRectangularState(std::wstring name, uint32_t borderColour, int borderOpacity, uint32_t fillColour,
                       int fillOpacity);
    ~HVRectangularState() override;

    bool HitTest(int x, int y) const override;
#ifdef _WIN32
    bool Draw(HDC__* dc, int x, int y, int srcX, int srcY, int width, int height) override;
#endif

    uint32_t BorderColour() const {
        return borderColour_;
    }
    int BorderOpacity() const {
        return borderOpacity_;
    }
    uint32_t FillColour() const {
        return fillColour_;
    }
    int FillOpacity() const {
        return fillOpacity_;
    }
    HVBitmap* BorderBitmap() const {
        return borderBitmap_;
    }
    HVBitmap* FillBitmap() const {
        return fillBitmap_;
    }
    bool ClickThrough() const {
        return clickThrough_;
    }

    static constexpr int kSwatchSize = 64;

private:
    uint32_t borderColour_;
    int borderOpacity_;
    uint32_t fillColour_;
    int fillOpacity_;
    HVBitmap* borderBitmap_ = nullptr;  // one reference held
    HVBitmap* fillBitmap_ = nullptr;    // one reference held
    bool clickThrough_ = true;
};
