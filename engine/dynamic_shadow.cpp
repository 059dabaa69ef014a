#include "engine/dynamic_shadow.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kSmoothMsPerStep = 5.0;
// The followed point snaps to the pointer once this close: the rounded offset no longer moves.
constexpr double kSnapDistance = 0.5;

int RoundedOffset(double value) {
    if (!(value == value)) return 0;  // NaN
    return int(std::lround(std::clamp(value, double(-kMaxShadowOffset), double(kMaxShadowOffset))));
}

}  // namespace

ShadowOffset LightShadowOffset(const LightSetup& light, double x, double y) {
    // Similar triangles: the shadow lies as far beyond the pointer, seen from the light, as the
    // pointer's height is to the light's height above the pointer. A light at or below the pointer
    // casts no shadow on the screen; it counts as one pixel above, which throws the shadow to the
    // edge of the range.
    const double height = std::max(light.cursorHeight, 0);
    const double above = std::max(double(light.lightHeight) - height, 1.0);
    const double factor = height / above;
    return {RoundedOffset((x - light.lightX) * factor), RoundedOffset((y - light.lightY) * factor)};
}

void DynamicShadow::Reset(const LightSetup& light, double x, double y, int64_t now) {
    light_ = light;
    timeConstantMs_ = std::clamp(light.movSmooth, 0, 100) * kSmoothMsPerStep;
    targetX_ = x_ = x;
    targetY_ = y_ = y;
    // The build that goes with a reset counts as a rebuild.
    lastAdvance_ = lastMove_ = lastRebuild_ = now;
    shown_ = rest_ = LightShadowOffset(light, x, y);
}

ShadowWork DynamicShadow::Moved(double x, double y, int64_t now) {
    targetX_ = x;
    targetY_ = y;
    lastMove_ = now;
    return Step(now);
}

ShadowWork DynamicShadow::Wake(int64_t now) {
    return Step(now);
}

ShadowWork DynamicShadow::Step(int64_t now) {
    // The followed point closes the part 1 - e^(-t/T) of its distance in t ms.
    if (timeConstantMs_ > 0 && now > lastAdvance_) {
        const double part = 1.0 - std::exp(-double(now - lastAdvance_) / timeConstantMs_);
        x_ += (targetX_ - x_) * part;
        y_ += (targetY_ - y_) * part;
    }
    if (timeConstantMs_ <= 0 ||
        (std::fabs(targetX_ - x_) < kSnapDistance && std::fabs(targetY_ - y_) < kSnapDistance)) {
        x_ = targetX_;
        y_ = targetY_;
    }
    lastAdvance_ = std::max(lastAdvance_, now);

    ShadowWork work;
    work.offset = LightShadowOffset(light_, x_, y_);
    auto wakeAt = [&work](int64_t when) { work.wakeAt = work.wakeAt < 0 ? when : std::min(work.wakeAt, when); };
    if (work.offset != shown_) {
        if (now - lastRebuild_ >= kShadowRebuildMs) {
            work.rebuildShown = true;
            shown_ = work.offset;
            lastRebuild_ = now;
        } else {
            wakeAt(lastRebuild_ + kShadowRebuildMs);
        }
    }
    const bool following = x_ != targetX_ || y_ != targetY_;
    if (following) wakeAt(now + kShadowRebuildMs);
    if (!following && work.offset == shown_ && rest_ != shown_) {
        if (now - lastMove_ >= kShadowRestMs) {
            work.rebuildRest = true;
            rest_ = shown_;
        } else {
            wakeAt(lastMove_ + kShadowRestMs);
        }
    }
    return work;
}
