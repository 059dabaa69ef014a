#include "graphics/decoders/ani_decoder.h"

#include <algorithm>
#include <cstring>

#include "graphics/decoders/byte_cursor.h"

namespace decoders {

namespace {

constexpr size_t kChunkHeaderSize = 8;
constexpr uint32_t kHeaderChunkSize = 36;

struct Span {
    const uint8_t* data = nullptr;
    uint32_t size = 0;
};

// The chunks the decoder uses, as found (the first of each kind counts).
struct Chunks {
    Span header;
    Span rate;
    Span sequence;
    std::vector<Span> icons;
    bool haveFrameList = false;
};

bool IdIs(const uint8_t* id, const char* name) {
    return std::memcmp(id, name, 4) == 0;
}

std::string IdText(const uint8_t* id) {
    std::string text;
    for (int i = 0; i < 4; ++i) text += (id[i] >= 0x20 && id[i] < 0x7F) ? char(id[i]) : '?';
    return text;
}

std::string Count(uint64_t n) {
    return std::to_string(n);
}

// Walks the chunks in [begin, end) of data, calling visit(id, span) for each. False with the
// reason when a chunk's size runs past end. Fewer than 8 bytes left over (a pad) are ignored.
template <typename Visit>
bool WalkChunks(ByteCursor& in, uint64_t begin, uint64_t end, Visit visit) {
    uint64_t pos = begin;
    while (end - pos >= kChunkHeaderSize) {
        in.Seek(pos, "a chunk");
        const uint8_t* id = in.Bytes(4, "a chunk header");
        const uint32_t size = in.U32("a chunk header");
        if (!in.Ok()) return false;
        if (size > end - pos - kChunkHeaderSize)
            return in.Fail("chunk '" + IdText(id) + "' of " + Count(size) +
                           " bytes runs past the end of its container");
        if (!visit(id, Span{in.Data() + pos + kChunkHeaderSize, size})) return false;
        pos += kChunkHeaderSize + uint64_t(size) + (size & 1);  // chunks are padded to even sizes
        if (pos >= end) break;
    }
    return in.Ok();
}

bool FindChunks(ByteCursor& in, uint64_t formEnd, Chunks& chunks) {
    return WalkChunks(in, 12, formEnd, [&](const uint8_t* id, Span span) {
        if (IdIs(id, "anih") && !chunks.header.data) {
            chunks.header = span;
        } else if (IdIs(id, "rate") && !chunks.rate.data) {
            chunks.rate = span;
        } else if (IdIs(id, "seq ") && !chunks.sequence.data) {
            chunks.sequence = span;
        } else if (IdIs(id, "LIST") && span.size >= 4 && IdIs(span.data, "fram") && !chunks.haveFrameList) {
            chunks.haveFrameList = true;
            const uint64_t listBegin = uint64_t(span.data - in.Data()) + 4;
            return WalkChunks(in, listBegin, listBegin - 4 + span.size, [&](const uint8_t* inner, Span icon) {
                if (!IdIs(inner, "icon")) return true;
                if (chunks.icons.size() >= kMaxAniFrames)
                    return in.Fail("more than " + Count(kMaxAniFrames) + " frames are stored");
                chunks.icons.push_back(icon);
                return true;
            });
        }
        return true;
    });
}

uint32_t Le32(const uint8_t* p) {
    return p[0] | p[1] << 8 | p[2] << 16 | uint32_t(p[3]) << 24;
}

// Steps from the header and the optional rate and sequence chunks.
bool ReadSteps(const Chunks& chunks, uint32_t frameCount, uint32_t stepCount, AniCursor& out, std::string& reason) {
    const uint64_t tableBytes = uint64_t(stepCount) * 4;
    if (chunks.rate.data && chunks.rate.size < tableBytes) {
        reason = "the 'rate' chunk holds fewer than its " + Count(stepCount) + " steps";
        return false;
    }
    if (chunks.sequence.data && chunks.sequence.size < tableBytes) {
        reason = "the 'seq ' chunk holds fewer than its " + Count(stepCount) + " steps";
        return false;
    }
    if (!chunks.sequence.data && stepCount > frameCount) {
        reason = Count(stepCount) + " steps without a 'seq ' chunk but only " + Count(frameCount) + " frames";
        return false;
    }
    out.hasRate = chunks.rate.data != nullptr;
    out.hasSequence = chunks.sequence.data != nullptr;
    out.steps.resize(stepCount);
    for (uint32_t i = 0; i < stepCount; ++i) {
        AniStep& step = out.steps[i];
        step.frame = out.hasSequence ? Le32(chunks.sequence.data + 4 * i) : i;
        step.jiffies = out.hasRate ? Le32(chunks.rate.data + 4 * i) : out.displayRate;
        if (step.frame >= frameCount) {
            reason = "step " + Count(i + 1) + " names frame " + Count(step.frame) + " of " + Count(frameCount);
            return false;
        }
        if (step.jiffies > kMaxAniJiffies) {
            reason = "step " + Count(i + 1) + " lasts " + Count(step.jiffies) + " jiffies, more than " +
                     Count(kMaxAniJiffies);
            return false;
        }
    }
    return true;
}

}  // namespace

bool LooksLikeAni(const uint8_t* data, size_t size) {
    return data && size >= 12 && IdIs(data, "RIFF") && IdIs(data + 8, "ACON");
}

bool TryDecodeAni(const uint8_t* data, size_t size, AniCursor& out, std::string& reason) {
    out = AniCursor{};
    if (!LooksLikeAni(data, size)) {
        reason = "not an animated cursor (no RIFF 'ACON' form)";
        return false;
    }
    ByteCursor in(data, size);
    in.Skip(4, "the RIFF header");
    const uint32_t formSize = in.U32("the RIFF header");
    if (formSize < 4) {
        reason = "the RIFF form of " + Count(formSize) + " bytes is too small for its type";
        return false;
    }
    // Published schemes hold files whose form size counts the 8 bytes of its own header, so that it
    // runs past the end of the file: the form then ends with the file. The chunks inside are still
    // held to their sizes.
    const uint64_t formEnd = std::min<uint64_t>(kChunkHeaderSize + uint64_t(formSize), size);
    Chunks chunks;
    if (!FindChunks(in, formEnd, chunks)) {
        reason = in.Reason();
        return false;
    }
    if (!chunks.header.data || chunks.header.size < kHeaderChunkSize) {
        reason = "no complete 'anih' header";
        return false;
    }
    const uint8_t* h = chunks.header.data;
    const uint32_t frameCount = Le32(h + 4);
    const uint32_t stepCount = Le32(h + 8);
    out.displayRate = Le32(h + 28);
    if (frameCount == 0 || stepCount == 0) {
        reason = "the header claims no frames or no steps";
        return false;
    }
    if (frameCount > kMaxAniFrames) {
        reason = "the header claims " + Count(frameCount) + " frames, more than " + Count(kMaxAniFrames);
        return false;
    }
    if (stepCount > kMaxAniSteps) {
        reason = "the header claims " + Count(stepCount) + " steps, more than " + Count(kMaxAniSteps);
        return false;
    }
    if (chunks.icons.size() < frameCount) {
        reason = "the header claims " + Count(frameCount) + " frames but " + Count(chunks.icons.size()) + " are stored";
        return false;
    }
    if (!ReadSteps(chunks, frameCount, stepCount, out, reason)) return false;

    uint64_t budget = kMaxIconPixelBytes;
    out.frames.resize(frameCount);
    for (uint32_t i = 0; i < frameCount; ++i) {
        std::string why;
        if (!TryDecodeIconFile(chunks.icons[i].data, chunks.icons[i].size, out.frames[i], why, &budget)) {
            reason = "frame " + Count(i + 1) + ": " + why;
            out.frames.clear();
            return false;
        }
    }
    return true;
}

}  // namespace decoders
