#include <algorithm>
#include <limits>

#include "graphics/hv_state.h"
#include "graphics/tick.h"

namespace {

// Delays below 1 ms (a zero or negative interval in a theme file) count as 1 ms in the frame
// arithmetic, so no division by zero can happen.
int64_t EffectiveDelay(int delay) {
    return delay > 0 ? delay : 1;
}

}  // namespace

HVVisualState::HVVisualState(std::wstring name) : HVState(std::move(name)), startTick_(hvtick::Now()) {
    visual_ = 1;
}

HVVisualState::~HVVisualState() {
    GlobalUpdater().Unregister(this);
}

void HVVisualState::CopyVisualFields(const HVVisualState& other) {
    hitMode_ = other.hitMode_;
    trimLeft_ = other.trimLeft_;
    trimTop_ = other.trimTop_;
    trimRight_ = other.trimRight_;
    trimBottom_ = other.trimBottom_;
    offsetX_ = other.offsetX_;
    offsetY_ = other.offsetY_;
    width_ = other.width_;
    height_ = other.height_;
    startOpacity_ = other.startOpacity_;
    endOpacity_ = other.endOpacity_;
    modeFlags_ = other.modeFlags_;
    frameCount_ = other.frameCount_;
    reverse_ = other.reverse_;
    animating_ = other.animating_;  // the copy follows the clock without being registered itself
    frameDelay_ = other.frameDelay_;
    scriptRecords_ = other.scriptRecords_;
    scriptText_ = other.scriptText_;
    startTick_ = other.startTick_;
    root_ = other.root_;
}

bool HVVisualState::HitTest(int, int) const {
    return hitMode_ == HVH_ALWAYS;
}

void HVVisualState::RegisterAnimation() {
    uint32_t interval = root_ ? kScriptedInterval : static_cast<uint32_t>(std::max(frameDelay_, 0));
    GlobalUpdater().Register(this, interval);
}

bool HVVisualState::SetAnimation(int frames, int delay, uint32_t flags) {
    if (frames <= 1) {
        frameCount_ = 1;
        GlobalUpdater().Unregister(this);
        animating_ = 0;
        return false;
    }
    frameCount_ = frames;
    modeFlags_ = flags;
    frameDelay_ = delay;
    if (!(flags & HVS_FORWARD) && !animating_) {
        animating_ = 1;
        RegisterAnimation();
    }
    return true;
}

void HVVisualState::update(uint32_t tick) {
    if (startTick_ == 0) startTick_ = tick;
}

void HVVisualState::SetScript(const std::wstring& text) {
    scriptText_ = text.substr(0, text.find(L'\0'));
    std::vector<FrameScriptRecord> parsed = ParseFrameScript(scriptText_);
    scriptRecords_.insert(scriptRecords_.end(), parsed.begin(), parsed.end());
    startTick_ = hvtick::Now();
    lastDrawnFrame_ = -1;
    root_ = BuildAnimationTree(scriptRecords_);
    if (animating_) GlobalUpdater().Register(this, kScriptedInterval);
}

void HVVisualState::Start() {
    if (frameCount_ <= 1 || animating_) return;
    animating_ = 1;
    RegisterAnimation();
}

void HVVisualState::Stop() {
    GlobalUpdater().Unregister(this);
    animating_ = 0;
}

void HVVisualState::Restart() {
    startTick_ = hvtick::Now();
    lastDrawnFrame_ = -1;
}

int HVVisualState::CurrentFrame() const {
    if (!animating_ || frameCount_ < 2 || startTick_ == 0) return 0;
    int64_t elapsed = hvtick::Elapsed(hvtick::Now(), startTick_);
    if (root_) {
        // Scripts come from theme files: a frame the strip does not have is held to the strip.
        return std::clamp(root_->FrameAt(elapsed), 0, frameCount_ - 1);
    }
    int64_t frame = elapsed / EffectiveDelay(frameDelay_);
    if (modeFlags_ & HVS_LOOP) frame %= frameCount_;
    return static_cast<int>(std::min<int64_t>(frame, frameCount_ - 1));
}

bool HVVisualState::IsFinished() const {
    if (root_) return false;
    int64_t elapsed = hvtick::Elapsed(hvtick::Now(), startTick_);
    return static_cast<int64_t>(frameCount_) * EffectiveDelay(frameDelay_) < elapsed;
}

bool HVVisualState::RunsForward() const {
    if (modeFlags_ & HVS_FORWARD) return true;
    bool reverseFlag = (modeFlags_ & HVS_REVERSE) != 0;
    return reverseFlag ? reverse_ != 0 : reverse_ == 0;
}

int HVVisualState::ShownFrame() const {
    if (!animating_ || frameCount_ < 2) return 0;
    int frame = CurrentFrame();
    return RunsForward() ? frame : frameCount_ - 1 - frame;
}

int HVVisualState::FrameOffset() const {
    if (frameCount_ < 2 || (modeFlags_ & HVS_SAMEIMAGE)) return 0;
    return width_ * ShownFrame();
}

int HVVisualState::OpacityAt(int frame) const {
    if (endOpacity_ == -1 || frameCount_ <= 1) return startOpacity_;
    int64_t step = static_cast<int64_t>(endOpacity_ - startOpacity_) * frame / (frameCount_ - 1);
    return static_cast<int>(startOpacity_ + step);
}

void HVVisualState::SetSize(int width, int height) {
    if (width > 0) width_ = width;
    if (height > 0) height_ = height;
}

void HVVisualState::SetTrims(int left, int top, int right, int bottom) {
    trimLeft_ = left;
    trimTop_ = top;
    trimRight_ = right;
    trimBottom_ = bottom;
}

void HVVisualState::SetOffset(int x, int y) {
    offsetX_ = x;
    offsetY_ = y;
}

HVBlankState::HVBlankState(std::wstring name) : HVVisualState(std::move(name)) {
    lookKind_ = HVL_BLANK;
}
