#include "theme/cursor_render.h"

#include <algorithm>

#include "graphics/animation_script.h"
#include "graphics/frame_script.h"
#include "graphics/hv_bitmap.h"
#include "graphics/hv_bitmap_state.h"
#include "graphics/kernels/pixel_math.h"

namespace {

// The steps of one pass of a group: its children in the order of their start times, a nested
// group once.
void AppendGroupSteps(const RepeatElement& group, std::vector<CursorStep>& steps, size_t limit) {
    for (const auto& [start, child] : group.Children()) {
        if (steps.size() >= limit) return;
        if (const auto* run = dynamic_cast<const FrameElement*>(child.get())) {
            if (run->Delay() <= 0) continue;  // a run of 0 ms is never shown
            for (int64_t i = 0; i < run->FrameCount() && steps.size() < limit; ++i)
                steps.push_back({run->FrameIndex(i), run->Delay()});
        } else if (const auto* nested = dynamic_cast<const RepeatElement*>(child.get())) {
            AppendGroupSteps(*nested, steps, limit);
        }
    }
}

// A script may name a run of millions of frames; no cursor file holds that many steps, and the
// pass is cut after this many (the file then repeats the part it has).
constexpr size_t kMaxSteps = 4096;

// Straight alpha from what the bitmap holds: colour-keyed magenta and 24-bit images get an alpha,
// premultiplied colours are divided back.
void ToStraightBgra(const HVBitmap& bitmap, int frame, int frameWidth, std::vector<uint8_t>& out) {
    const int height = bitmap.Height();
    const size_t stride = size_t(bitmap.Width()) * 4;
    out.assign(size_t(frameWidth) * height * 4, 0);
    const uint8_t* bits = bitmap.Bits();
    for (int y = 0; y < height; ++y) {
        const uint8_t* src = bits + stride * size_t(height - 1 - y) + size_t(frame) * frameWidth * 4;
        uint8_t* dst = out.data() + size_t(y) * frameWidth * 4;
        for (int x = 0; x < frameWidth; ++x, src += 4, dst += 4) {
            uint8_t b = src[0], g = src[1], r = src[2], a = src[3];
            if (!bitmap.HasAlpha()) {
                a = bitmap.IsColorKeyed() && r == 0xFF && g == 0 && b == 0xFF ? 0 : 0xFF;
            } else if (bitmap.IsPremultiplied() && a != 0xFF) {
                if (a == 0) {
                    b = g = r = 0;
                } else {
                    b = uint8_t(std::min(255, (b * 255 + a / 2) / a));
                    g = uint8_t(std::min(255, (g * 255 + a / 2) / a));
                    r = uint8_t(std::min(255, (r * 255 + a / 2) / a));
                }
            }
            if (a == 0) b = g = r = 0;  // no colour hides in a transparent pixel
            dst[0] = b;
            dst[1] = g;
            dst[2] = r;
            dst[3] = a;
        }
    }
}

}  // namespace

CursorTiming CursorAnimationSteps(const CAnimation& animation, int frameCount) {
    CursorTiming timing;
    const int frames = std::max(frameCount, 1);
    const bool reversed = animation.reverse != 0;
    auto shown = [&](int frame) {
        frame = std::clamp(frame, 0, frames - 1);
        return reversed ? frames - 1 - frame : frame;
    };
    if (frames < 2) {
        timing.steps.push_back({0, 0});
        return timing;
    }
    if (!animation.frameScript.empty()) {
        const std::shared_ptr<RepeatElement> root = BuildAnimationTree(ParseFrameScript(animation.frameScript));
        AppendGroupSteps(*root, timing.steps, kMaxSteps);
        for (CursorStep& step : timing.steps) step.frame = shown(step.frame);
        if (timing.steps.empty()) timing.steps.push_back({shown(0), 0});  // a pass of 0 ms shows frame 0
        timing.loops = timing.steps.size() > 1 || timing.steps[0].milliseconds > 0;
        return timing;
    }
    const int64_t delay = std::max(animation.interval, 1);
    for (int i = 0; i < frames; ++i) timing.steps.push_back({shown(i), delay});
    timing.loops = animation.loop != 0;
    return timing;
}

void RescaleLoadedTheme(CTheme& theme, double scale) {
    theme.currentScale = 0;
    theme.Rescale(scale);
}

bool RenderCursor(const CCursor& cursor, const CursorAppearance& appearance, RenderedCursor& out, std::string& reason) {
    out = RenderedCursor();
    if (cursor.standard || !cursor.image || !cursor.image->Bitmap() || !cursor.image->Bitmap()->IsValid()) {
        reason = "the cursor has no image of its own";
        return false;
    }
    // The operations change the bitmap in place: they run on a copy, as the options preview does.
    HVBitmapState state(L"render", *cursor.image, true);
    int hotSpotX = cursor.hotSpotX, hotSpotY = cursor.hotSpotY;
    ApplyCursorAppearance(state, appearance, &hotSpotX, &hotSpotY);
    const HVBitmap* bitmap = state.Bitmap();
    if (!bitmap || !bitmap->IsValid() || bitmap->FrameWidth() <= 0 || bitmap->Height() <= 0) {
        reason = "the cursor cannot be drawn at that size";
        return false;
    }
    out.width = bitmap->FrameWidth();
    out.height = bitmap->Height();
    out.hotSpotX = std::clamp(hotSpotX, 0, out.width - 1);
    out.hotSpotY = std::clamp(hotSpotY, 0, out.height - 1);
    const int images = state.IsOneFrameBitmap() ? 1 : std::max(bitmap->FrameCount(), 1);
    out.frames.resize(size_t(images));
    for (int i = 0; i < images; ++i) ToStraightBgra(*bitmap, i, out.width, out.frames[size_t(i)]);
    if (appearance.opacity < 255) {
        const int opacity = std::max(appearance.opacity, 0);
        for (std::vector<uint8_t>& frame : out.frames)
            for (size_t i = 3; i < frame.size(); i += 4) {
                frame[i] = uint8_t(pixels::MulDiv255(frame[i], opacity));
                if (frame[i] == 0) frame[i - 1] = frame[i - 2] = frame[i - 3] = 0;  // transparent now: no colour
            }
    }
    out.timing = CursorAnimationSteps(cursor, state.FrameCount());
    // Every step names a frame the strip has (an image shown for every frame has one).
    for (CursorStep& step : out.timing.steps) step.frame = std::min(step.frame, images - 1);
    return true;
}
