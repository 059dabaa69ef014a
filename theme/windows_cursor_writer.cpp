#include "theme/windows_cursor_writer.h"

#include <algorithm>
#include <map>
#include <numeric>

#include "graphics/decoders/ani_decoder.h"
#include "theme/byte_writer.h"

namespace {

// A directory entry stores each side in a byte, 0 meaning 256; larger cursors have no place in it
// (and the system draws none larger).
constexpr int kMaxCursorSide = 256;
constexpr uint16_t kCursorFileType = 2;
constexpr uint32_t kDirectorySize = 6 + 16;  // the header and one entry
constexpr uint32_t kInfoHeaderSize = 40;
// "anih" flags: the frames are whole icon or cursor files; a "seq " chunk gives the order.
constexpr uint32_t kAniFramesAreIcons = 1;
constexpr uint32_t kAniHasSequence = 2;
// The longest step written, eight hours: it is also how long the last frame of an animation that
// does not loop stays before the file starts over. Its milliseconds fit 31 bits, so no reader
// counting time that way overflows.
constexpr uint32_t kLongestStepJiffies = 8 * 60 * 60 * 60;

struct AniStepOut {
    uint32_t frame = 0;
    uint32_t jiffies = 0;
};

void U16(std::vector<uint8_t>& out, uint16_t value) {
    out.push_back(uint8_t(value));
    out.push_back(uint8_t(value >> 8));
}

void FourCc(std::vector<uint8_t>& out, const char* id) {
    out.insert(out.end(), id, id + 4);
}

size_t MaskStride(int width) {
    return (size_t(width) + 31) / 32 * 4;
}

// A .cur of one image: a 32-bit bitmap with its alpha, and the mask (bit set: transparent) for
// readers that draw without alpha. Colour under a set mask bit would invert the screen there, so
// transparent pixels are written black.
void AppendCur(const RenderedCursor& cursor, const std::vector<uint8_t>& pixels, std::vector<uint8_t>& out) {
    const int w = cursor.width, h = cursor.height;
    const size_t colourBytes = size_t(w) * h * 4;
    const size_t maskBytes = MaskStride(w) * h;
    ByteWriter writer(out);
    U16(out, 0);
    U16(out, kCursorFileType);
    U16(out, 1);
    out.push_back(uint8_t(w % 256));  // 256 is written as 0
    out.push_back(uint8_t(h % 256));
    out.push_back(0);  // no palette
    out.push_back(0);
    U16(out, uint16_t(cursor.hotSpotX));
    U16(out, uint16_t(cursor.hotSpotY));
    writer.U32(uint32_t(kInfoHeaderSize + colourBytes + maskBytes));
    writer.U32(kDirectorySize);

    writer.U32(kInfoHeaderSize);
    writer.I32(w);
    writer.I32(h * 2);  // the colour and the mask halves
    U16(out, 1);
    U16(out, 32);
    writer.U32(0);  // uncompressed
    writer.U32(uint32_t(colourBytes + maskBytes));
    writer.Zeros(16);  // resolution and palette counts
    const size_t colourAt = out.size();
    writer.Zeros(colourBytes);
    const size_t maskAt = out.size();
    writer.Zeros(maskBytes);
    for (int y = 0; y < h; ++y) {  // the file starts with the bottom row
        const uint8_t* src = pixels.data() + size_t(h - 1 - y) * w * 4;
        uint8_t* colour = out.data() + colourAt + size_t(y) * w * 4;
        uint8_t* mask = out.data() + maskAt + MaskStride(w) * y;
        for (int x = 0; x < w; ++x, src += 4, colour += 4) {
            if (src[3] == 0) {
                mask[x >> 3] |= uint8_t(0x80 >> (x & 7));
                continue;
            }
            std::copy(src, src + 4, colour);
        }
    }
}

void AppendChunk(std::vector<uint8_t>& out, const char* id, const std::vector<uint8_t>& data) {
    ByteWriter writer(out);
    FourCc(out, id);
    writer.U32(uint32_t(data.size()));
    writer.Bytes(data.data(), data.size());
    if (data.size() & 1) out.push_back(0);  // chunks start at even offsets
}

// How many passes of a loop make a whole number of jiffies (a jiffy is 50/3 ms): a file of that
// many passes, the rounding carried through all of them, starts over without drifting. Fewer
// when that many passes would not fit a file.
size_t WholeJiffyPasses(const std::vector<CursorStep>& pass) {
    int64_t ms = 0;
    for (const CursorStep& step : pass) ms = (ms + std::max<int64_t>(step.milliseconds, 0)) % 50;
    const size_t passes = size_t(50 / std::gcd(ms, int64_t(50)));
    return std::max<size_t>(1, std::min(passes, decoders::kMaxAniSteps / pass.size()));
}

// The steps as the file plays them: a looping pass repeated as WholeJiffyPasses says, steps of no
// jiffies left out, neighbours showing the same frame joined, at most as many as a file holds (the
// file then repeats the part it has).
std::vector<AniStepOut> FileSteps(const CursorTiming& timing) {
    std::vector<CursorStep> played;
    const size_t passes = timing.loops ? WholeJiffyPasses(timing.steps) : 1;
    for (size_t i = 0; i < passes; ++i) played.insert(played.end(), timing.steps.begin(), timing.steps.end());
    std::vector<uint32_t> jiffies = StepsInJiffies(played);
    // An animation that does not loop ends on its last step, which stays for the longest step.
    if (!timing.loops) jiffies.back() = kLongestStepJiffies;
    std::vector<AniStepOut> steps;
    for (size_t i = 0; i < jiffies.size(); ++i) {
        const uint32_t length = std::min(jiffies[i], kLongestStepJiffies);
        if (length == 0) continue;
        const uint32_t frame = uint32_t(played[i].frame);
        if (!steps.empty() && steps.back().frame == frame)
            steps.back().jiffies = std::min(steps.back().jiffies + length, kLongestStepJiffies);
        else
            steps.push_back({frame, length});
    }
    if (steps.size() > decoders::kMaxAniSteps) {
        steps.resize(decoders::kMaxAniSteps);
        if (!timing.loops) steps.back().jiffies = kLongestStepJiffies;
    }
    return steps;
}

bool CheckCursor(const RenderedCursor& cursor, std::string& reason) {
    if (cursor.frames.empty() || cursor.width <= 0 || cursor.height <= 0) {
        reason = "the cursor has no image";
        return false;
    }
    if (cursor.width > kMaxCursorSide || cursor.height > kMaxCursorSide) {
        reason = "the cursor is " + std::to_string(cursor.width) + " x " + std::to_string(cursor.height) +
                 " pixels; a cursor file holds at most " + std::to_string(kMaxCursorSide) + " on a side";
        return false;
    }
    const size_t frameBytes = size_t(cursor.width) * cursor.height * 4;
    for (const std::vector<uint8_t>& frame : cursor.frames) {
        if (frame.size() != frameBytes) {
            reason = "a frame of the cursor does not match its size";
            return false;
        }
    }
    for (const CursorStep& step : cursor.timing.steps) {
        if (step.frame < 0 || size_t(step.frame) >= cursor.frames.size()) {
            reason = "a step of the animation names a frame the cursor lacks";
            return false;
        }
    }
    if (cursor.hotSpotX < 0 || cursor.hotSpotX >= cursor.width || cursor.hotSpotY < 0 ||
        cursor.hotSpotY >= cursor.height) {
        reason = "the hot spot lies outside the cursor";
        return false;
    }
    return true;
}

bool IsStill(const RenderedCursor& cursor) {
    const std::vector<CursorStep>& steps = cursor.timing.steps;
    return std::all_of(steps.begin(), steps.end(), [&](const CursorStep& s) { return s.frame == steps[0].frame; });
}

void EncodeAni(const RenderedCursor& cursor, std::vector<uint8_t>& out) {
    std::vector<AniStepOut> steps = FileSteps(cursor.timing);
    // Every frame of the strip is stored, in order, so that reading the file gives the strip back;
    // a strip of more frames than a file holds keeps only those the steps show.
    std::vector<uint32_t> stored;
    if (cursor.frames.size() <= decoders::kMaxAniFrames) {
        for (uint32_t f = 0; f < cursor.frames.size(); ++f) stored.push_back(f);
    } else {
        std::map<uint32_t, uint32_t> used;
        for (const AniStepOut& step : steps) used.emplace(step.frame, 0);
        for (auto& [frame, index] : used) {
            index = uint32_t(stored.size());
            stored.push_back(frame);
        }
        for (AniStepOut& step : steps) step.frame = used[step.frame];
    }

    std::vector<uint8_t> header, rate, sequence, frames;
    ByteWriter h(header);
    h.U32(36);  // the header's own size
    h.U32(uint32_t(stored.size()));
    h.U32(uint32_t(steps.size()));
    h.Zeros(16);  // width, height, bits and planes: the frames' own files say
    h.U32(steps[0].jiffies);
    h.U32(kAniFramesAreIcons | kAniHasSequence);
    for (const AniStepOut& step : steps) {
        ByteWriter(rate).U32(step.jiffies);
        ByteWriter(sequence).U32(step.frame);
    }
    FourCc(frames, "fram");
    for (uint32_t f : stored) {
        std::vector<uint8_t> cur;
        AppendCur(cursor, cursor.frames[f], cur);
        AppendChunk(frames, "icon", cur);
    }
    std::vector<uint8_t> form;
    FourCc(form, "ACON");
    AppendChunk(form, "anih", header);
    AppendChunk(form, "rate", rate);
    AppendChunk(form, "seq ", sequence);
    AppendChunk(form, "LIST", frames);
    AppendChunk(out, "RIFF", form);
}

}  // namespace

std::vector<uint32_t> StepsInJiffies(const std::vector<CursorStep>& steps) {
    // A jiffy is 50/3 ms. Each step ends at its exact end time rounded to the nearest jiffy: a
    // whole-jiffy step then keeps its length, and no change is more than half a jiffy off.
    std::vector<uint32_t> jiffies;
    jiffies.reserve(steps.size());
    // Steps are held to about 35 years, so that no sum of them overflows.
    constexpr int64_t kLongestStepMs = int64_t(1) << 40;
    int64_t elapsed = 0;     // ms
    int64_t shownUntil = 0;  // jiffies
    for (const CursorStep& step : steps) {
        elapsed += std::clamp<int64_t>(step.milliseconds, 0, kLongestStepMs);
        const int64_t end = (elapsed * 3 + 25) / 50;
        jiffies.push_back(uint32_t(std::min<int64_t>(end - shownUntil, UINT32_MAX)));
        shownUntil = end;
    }
    // A pass shorter than half a jiffy would take no time at all: its first frame shows for one.
    if (!jiffies.empty() && shownUntil == 0) jiffies[0] = 1;
    return jiffies;
}

const char* WindowsCursorExtension(const RenderedCursor& cursor) {
    return IsStill(cursor) ? ".cur" : ".ani";
}

bool EncodeWindowsCursor(const RenderedCursor& cursor, std::vector<uint8_t>& bytes, std::string& reason) {
    bytes.clear();
    if (!CheckCursor(cursor, reason)) return false;
    if (IsStill(cursor)) {
        const int frame = cursor.timing.steps.empty() ? 0 : cursor.timing.steps[0].frame;
        AppendCur(cursor, cursor.frames[size_t(frame)], bytes);
    } else {
        EncodeAni(cursor, bytes);
    }
    return true;
}
