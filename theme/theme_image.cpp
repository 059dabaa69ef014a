#include "theme/theme_image.h"

#include <climits>

#include "graphics/hv_bitmap_state.h"

namespace {

// -value without overflow for INT_MIN.
int Negated(int value) {
    return value == INT_MIN ? INT_MAX : -value;
}

}  // namespace

uint32_t AnimationModeFlags(const CAnimation& animation, bool allowLoop) {
    uint32_t flags = HVS_INTERRUPTIBLE;
    if (animation.style) flags |= HVS_STYLE;
    if (animation.reverse) flags |= HVS_REVERSE;
    if (allowLoop && animation.loop) flags |= HVS_LOOP;
    return flags;
}

std::unique_ptr<HVBitmapState> MakeAnimationState(const std::wstring& name, HVBitmap* bitmap,
                                                  const CAnimation& animation, bool allowLoop) {
    auto state = std::make_unique<HVBitmapState>(name, bitmap);
    state->SetAnimation(animation.frames, animation.interval, AnimationModeFlags(animation, allowLoop));
    state->SetOffset(Negated(animation.hotSpotX), Negated(animation.hotSpotY));
    state->SetHitMode(HVH_NEVER);
    if (!animation.frameScript.empty()) state->SetScript(animation.frameScript);
    return state;
}

std::wstring CursorStateName(uint32_t role, uint32_t event) {
    return std::to_wstring(role) + L"-" + std::to_wstring(event);
}
