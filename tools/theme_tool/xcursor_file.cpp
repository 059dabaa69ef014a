#include "tools/theme_tool/xcursor_file.h"

#include <algorithm>
#include <memory>

// Last: the library's header brings Xlib's macros with it.
#include <X11/Xcursor/Xcursor.h>

namespace {

struct ImagesDeleter {
    void operator()(XcursorImages* images) const { XcursorImagesDestroy(images); }
};
using ImagesPtr = std::unique_ptr<XcursorImages, ImagesDeleter>;

// A file's table of contents lists at most this many chunks for readers to accept it.
constexpr uint64_t kMaxImagesPerFile = 0x10000;

}  // namespace

std::vector<uint32_t> XcursorDelays(const CursorTiming& timing) {
    std::vector<uint32_t> delays;
    delays.reserve(timing.steps.size());
    for (const CursorStep& step : timing.steps)
        delays.push_back(uint32_t(std::min<int64_t>(std::max<int64_t>(step.milliseconds, 0), 0xFFFFFFFF)));
    if (!timing.loops && delays.size() > 1) delays.back() = std::max(delays.back(), kXcursorHoldMilliseconds);
    return delays;
}

uint64_t XcursorPixelBytes(const std::vector<XcursorSize>& sizes) {
    uint64_t bytes = 0;
    for (const XcursorSize& size : sizes)
        bytes +=
            uint64_t(size.cursor.timing.steps.size()) * uint64_t(size.cursor.width) * uint64_t(size.cursor.height) * 4;
    return bytes;
}

uint32_t PremultipliedArgb(const uint8_t* bgra) {
    const uint32_t a = bgra[3];
    auto premultiply = [a](uint32_t c) { return (c * a + 127) / 255; };
    return a << 24 | premultiply(bgra[2]) << 16 | premultiply(bgra[1]) << 8 | premultiply(bgra[0]);
}

bool WriteXcursorFile(const std::string& path, const std::vector<XcursorSize>& sizes, std::string& reason) {
    uint64_t count = 0;
    for (const XcursorSize& size : sizes) {
        const RenderedCursor& cursor = size.cursor;
        if (cursor.timing.steps.empty() || cursor.frames.empty()) {
            reason = "the cursor at size " + std::to_string(size.nominal) + " has no image to show";
            return false;
        }
        if (cursor.width <= 0 || cursor.height <= 0 || cursor.width > XCURSOR_IMAGE_MAX_SIZE ||
            cursor.height > XCURSOR_IMAGE_MAX_SIZE) {
            reason = "the cursor at size " + std::to_string(size.nominal) + " is larger than an X cursor image can be";
            return false;
        }
        uint64_t pass = 0;
        for (uint32_t delay : XcursorDelays(cursor.timing)) pass += delay;
        if (pass > kXcursorMaxPassMilliseconds) {
            reason =
                "one pass of the animation lasts " + std::to_string(pass) + " ms, more than cursor readers can count";
            return false;
        }
        const size_t frameBytes = size_t(cursor.width) * size_t(cursor.height) * 4;
        for (const CursorStep& step : cursor.timing.steps) {
            if (step.frame < 0 || size_t(step.frame) >= cursor.frames.size() ||
                cursor.frames[size_t(step.frame)].size() != frameBytes) {
                reason = "the cursor at size " + std::to_string(size.nominal) + " shows a frame it does not have";
                return false;
            }
        }
        count += cursor.timing.steps.size();
    }
    if (count == 0 || count > kMaxImagesPerFile) {
        reason = "an X cursor file holds 1 to " + std::to_string(kMaxImagesPerFile) + " images, not " +
                 std::to_string(count);
        return false;
    }
    ImagesPtr images(XcursorImagesCreate(int(count)));
    if (!images) {
        reason = "out of memory for the cursor images";
        return false;
    }
    for (const XcursorSize& size : sizes) {
        const RenderedCursor& cursor = size.cursor;
        const std::vector<uint32_t> delays = XcursorDelays(cursor.timing);
        for (size_t s = 0; s < delays.size(); ++s) {
            XcursorImage* image = XcursorImageCreate(cursor.width, cursor.height);
            if (!image) {
                reason = "out of memory for the cursor images";
                return false;
            }
            images->images[images->nimage++] = image;  // owned by the set from here on
            image->size = XcursorDim(size.nominal);
            image->xhot = XcursorDim(cursor.hotSpotX);
            image->yhot = XcursorDim(cursor.hotSpotY);
            image->delay = delays[s];
            const std::vector<uint8_t>& frame = cursor.frames[size_t(cursor.timing.steps[s].frame)];
            const size_t pixels = size_t(cursor.width) * size_t(cursor.height);
            for (size_t i = 0; i < pixels; ++i) image->pixels[i] = PremultipliedArgb(&frame[i * 4]);
        }
    }
    if (!XcursorFilenameSaveImages(path.c_str(), images.get())) {
        reason = path + ": the cursor file could not be written";
        return false;
    }
    return true;
}
