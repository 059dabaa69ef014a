#include "theme/windows_cursor_import.h"

#include <cstring>
#include <map>

#include "graphics/hv_bitmap.h"
#include "graphics/hv_bitmap_state.h"
#include "theme/theme.h"
#include "theme/theme_image.h"

using decoders::AniCursor;
using decoders::AniStep;
using decoders::IconFile;
using decoders::IconImage;

namespace {

constexpr double kBaseCursorSize = 32.0;  // the image size of scale 1
constexpr uint32_t kNormalEvent = 1;

// A cursor ready to be given to roles: a frame strip and how it plays.
struct Strip {
    const std::vector<const IconImage*>* frames = nullptr;  // one image per frame, all of one size
    int width = 0;
    int height = 0;
    int hotSpotX = 0;
    int hotSpotY = 0;
    int interval = 0;
    std::wstring script;
};

// The best image of each width in a file: the deepest, the first among equals.
std::map<int, const IconImage*> BestBySize(const IconFile& file) {
    std::map<int, const IconImage*> best;
    for (const IconImage& image : file.images) {
        const IconImage*& slot = best[image.Width()];
        if (!slot || image.bitCount > slot->bitCount) slot = &image;
    }
    return best;
}

// The frames side by side in a new bitmap; null when it would be too large.
HVBitmap* MakeStripBitmap(const Strip& strip) {
    const int frames = int(strip.frames->size());
    auto* bitmap = new HVBitmap(strip.width * frames, strip.height, HVB_ALPHA);
    if (!bitmap->IsValid()) {
        delete bitmap;
        return nullptr;
    }
    const size_t frameRow = size_t(strip.width) * 4;
    const size_t stripRow = frameRow * size_t(frames);
    for (int f = 0; f < frames; ++f) {
        const uint8_t* source = (*strip.frames)[size_t(f)]->pixels->Bits();
        for (int y = 0; y < strip.height; ++y)  // both bottom row first
            std::memcpy(bitmap->Bits() + stripRow * size_t(y) + frameRow * size_t(f), source + frameRow * size_t(y),
                        frameRow);
    }
    return bitmap;
}

bool AddStrip(CTheme& theme, const Strip& strip, int role, int partnerRole, std::set<double>& scales,
              std::string& reason) {
    const double scale = strip.width / kBaseCursorSize;
    for (int target : {role, partnerRole}) {
        if (target < 0) continue;
        HVBitmap* bitmap = MakeStripBitmap(strip);
        if (!bitmap) {
            reason = "the frames of " + std::to_string(strip.width) + " pixels make too large a strip";
            return false;
        }
        CCursor cursor;
        cursor.role = uint32_t(target);
        cursor.event = kNormalEvent;
        cursor.variant = 1;
        cursor.scale = scale;
        cursor.stored = 1;
        cursor.frames = int(strip.frames->size());
        cursor.interval = strip.interval;
        cursor.loop = 1;
        cursor.hotSpotX = strip.hotSpotX;
        cursor.hotSpotY = strip.hotSpotY;
        cursor.frameScript = strip.script;
        cursor.image = MakeAnimationState(CursorStateName(cursor.role, cursor.event), bitmap, cursor, true);
        theme.AddCursor(std::move(cursor));
    }
    scales.insert(scale);
    return true;
}

bool AddStill(CTheme& theme, const IconFile& file, int role, int partnerRole, std::set<double>& scales,
              std::string& reason) {
    for (const auto& [width, image] : BestBySize(file)) {
        const std::vector<const IconImage*> frames{image};
        Strip strip;
        strip.frames = &frames;
        strip.width = width;
        strip.height = image->Height();
        strip.hotSpotX = image->hotSpotX;
        strip.hotSpotY = image->hotSpotY;
        if (!AddStrip(theme, strip, role, partnerRole, scales, reason)) return false;
    }
    return true;
}

bool AddAnimation(CTheme& theme, const AniCursor& ani, int role, int partnerRole, std::set<double>& scales,
                  std::string& reason) {
    const std::wstring script = AniFrameScript(ani.steps);
    // A single frame, or steps that take no time, show one picture: the first step's.
    if (ani.frames.size() < 2 || script.empty())
        return AddStill(theme, ani.frames[ani.steps.empty() ? 0 : ani.steps[0].frame], role, partnerRole, scales,
                        reason);

    std::vector<std::map<int, const IconImage*>> sizes;
    for (const IconFile& frame : ani.frames) sizes.push_back(BestBySize(frame));
    bool any = false;
    for (const auto& [width, first] : sizes[0]) {
        std::vector<const IconImage*> frames;
        for (const auto& frameSizes : sizes) {
            auto found = frameSizes.find(width);
            if (found == frameSizes.end() || found->second->Height() != first->Height()) break;
            frames.push_back(found->second);
        }
        if (frames.size() != ani.frames.size()) continue;  // not every frame has this size
        Strip strip;
        strip.frames = &frames;
        strip.width = width;
        strip.height = first->Height();
        strip.hotSpotX = first->hotSpotX;
        strip.hotSpotY = first->hotSpotY;
        strip.interval = int((uint64_t(ani.displayRate) * 1000 + 30) / 60);
        strip.script = script;
        if (!AddStrip(theme, strip, role, partnerRole, scales, reason)) return false;
        any = true;
    }
    if (!any) reason = "the frames share no image size";
    return any;
}

}  // namespace

std::wstring AniFrameScript(const std::vector<AniStep>& steps) {
    uint64_t total = 0;
    for (const AniStep& step : steps) total += step.jiffies;
    if (total == 0) return std::wstring();
    // A jiffy is 50/3 ms: a pass is whole milliseconds when its jiffies divide by 3.
    const int passes = total % 3 == 0 ? 1 : 3;
    std::wstring script;
    uint64_t jiffies = 0;
    uint64_t shownUntil = 0;  // ms
    for (int pass = 0; pass < passes; ++pass) {
        for (const AniStep& step : steps) {
            jiffies += step.jiffies;
            const uint64_t end = (jiffies * 50 + 2) / 3;  // ceil(jiffies × 1000 / 60)
            const uint64_t delay = end - shownUntil;
            shownUntil = end;
            if (delay == 0) continue;  // a step of no time is never shown
            if (!script.empty()) script += L';';
            script += std::to_wstring(step.frame + 1) + L',' + std::to_wstring(delay);
        }
    }
    return script;
}

bool TryAddWindowsCursor(CTheme& theme, const std::vector<uint8_t>& bytes, int role, int partnerRole,
                         std::set<double>& scales, std::string& reason) {
    // Built aside first, so that a failure adds nothing to the theme.
    CTheme added;
    std::set<double> addedScales;
    if (decoders::LooksLikeAni(bytes.data(), bytes.size())) {
        AniCursor ani;
        if (!decoders::TryDecodeAni(bytes.data(), bytes.size(), ani, reason)) return false;
        if (!AddAnimation(added, ani, role, partnerRole, addedScales, reason)) return false;
    } else {
        IconFile file;
        if (!decoders::TryDecodeIconFile(bytes.data(), bytes.size(), file, reason)) return false;
        if (!AddStill(added, file, role, partnerRole, addedScales, reason)) return false;
    }
    for (auto& [scale, cursors] : added.cursors)
        for (CCursor& cursor : cursors) theme.AddCursor(std::move(cursor));
    scales.insert(addedScales.begin(), addedScales.end());
    return true;
}
