#pragma once
// Decoding of Windows animated cursors (.ani): a RIFF "ACON" form holding an "anih" header, an
// optional "rate" chunk (a delay per step), an optional "seq " chunk (a frame per step) and a LIST
// "fram" of "icon" chunks, each a whole icon or cursor file. Delays count jiffies of 1/60 s.
// The decoded cursor owns its frames.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "graphics/decoders/icon_decoder.h"

namespace decoders {

constexpr uint32_t kMaxAniFrames = 1024;
constexpr uint32_t kMaxAniSteps = 1024;
// About nineteen days; keeps every delay, in milliseconds, within 31 bits.
constexpr uint32_t kMaxAniJiffies = 100000000;

struct AniStep {
    uint32_t frame = 0;    // index into frames
    uint32_t jiffies = 0;  // how long the step shows, in 1/60 s
};

struct AniCursor {
    uint32_t displayRate = 0;  // the header's delay, used for every step when there is no "rate"
    bool hasRate = false;
    bool hasSequence = false;
    std::vector<IconFile> frames;
    std::vector<AniStep> steps;  // play order: the "seq " order, else frame 0, 1, 2 ...
};

// True when the bytes start with "RIFF" and the form type "ACON".
bool LooksLikeAni(const uint8_t* data, size_t size);

// Decodes the header, timing and every frame. A form whose size runs past the end of the data is
// read to the end of the data (published files count the form's own header in its size). The
// whole file is refused, with a one-line reason, when a chunk runs past the end of its container, the header is missing
// or claims more than kMaxAniFrames frames or kMaxAniSteps steps, fewer frames are stored than claimed, a step names a
// missing frame, a delay exceeds kMaxAniJiffies, or any frame fails to decode. All frames together
// stay within kMaxIconPixelBytes of pixels.
bool TryDecodeAni(const uint8_t* data, size_t size, AniCursor& out, std::string& reason);

}  // namespace decoders
