#include "graphics/decoders/ani_decoder.h"

#include <gtest/gtest.h>

#include "tests/support/cursor_files.h"

namespace {

using cursorfiles::Animation;
using cursorfiles::Entry;
using cursorfiles::Rgba;

// A cursor file of one solid size × size image whose red value names the frame.
std::string Frame(int red, int size = 8, int bits = 32) {
    return cursorfiles::EncodeCursor(
        {Entry{size, size, bits, true, cursorfiles::Image(size_t(size) * size, Rgba{uint8_t(red), 9, 9, 255}), 2, 3}});
}

bool Decode(const std::string& file, decoders::AniCursor& out, std::string& reason) {
    const std::vector<uint8_t> bytes(file.begin(), file.end());
    return decoders::TryDecodeAni(bytes.data(), bytes.size(), out, reason);
}

std::vector<std::pair<uint32_t, uint32_t>> Steps(const decoders::AniCursor& ani) {
    std::vector<std::pair<uint32_t, uint32_t>> steps;
    for (const decoders::AniStep& step : ani.steps) steps.emplace_back(step.frame, step.jiffies);
    return steps;
}

void ExpectRefused(const std::string& file, const std::string& words) {
    decoders::AniCursor out;
    std::string reason;
    EXPECT_FALSE(Decode(file, out, reason));
    EXPECT_NE(reason.find(words), std::string::npos) << reason;
    EXPECT_EQ(reason.find('\n'), std::string::npos);
}

using StepList = std::vector<std::pair<uint32_t, uint32_t>>;

}  // namespace

TEST(AniDecoder, SequenceAndRateGiveEachStepItsFrameAndDelay) {
    Animation a;
    a.frames = {Frame(10), Frame(20, 8, 0), Frame(30, 8, 8)};  // bitmap, PNG and palette frames
    a.displayRate = 99;
    a.rate = std::vector<uint32_t>{5, 6, 7, 8};
    a.sequence = std::vector<uint32_t>{2, 0, 2, 1};
    decoders::AniCursor ani;
    std::string reason;
    ASSERT_TRUE(Decode(cursorfiles::EncodeAni(a), ani, reason)) << reason;
    EXPECT_TRUE(ani.hasRate);
    EXPECT_TRUE(ani.hasSequence);
    EXPECT_EQ(ani.displayRate, 99u);
    EXPECT_EQ(Steps(ani), (StepList{{2, 5}, {0, 6}, {2, 7}, {1, 8}}));
    ASSERT_EQ(ani.frames.size(), 3u);
    for (int f = 0; f < 3; ++f) {
        const decoders::IconImage& image = ani.frames[size_t(f)].images.at(0);
        EXPECT_EQ(image.pixels->Bits()[2], 10 * (f + 1));  // red of the first pixel
        EXPECT_EQ(image.hotSpotX, 2);
        EXPECT_EQ(image.hotSpotY, 3);
    }
}

TEST(AniDecoder, WithoutRateEveryStepUsesTheHeaderRateAndWithoutSequenceFramesPlayInOrder) {
    Animation a;
    a.frames = {Frame(1), Frame(2), Frame(3)};
    a.displayRate = 7;
    a.sequence = std::vector<uint32_t>{1, 1, 0};
    decoders::AniCursor ani;
    std::string reason;
    ASSERT_TRUE(Decode(cursorfiles::EncodeAni(a), ani, reason)) << reason;
    EXPECT_FALSE(ani.hasRate);
    EXPECT_EQ(Steps(ani), (StepList{{1, 7}, {1, 7}, {0, 7}}));

    a.sequence.reset();
    a.rate = std::vector<uint32_t>{4, 0, 9};
    ASSERT_TRUE(Decode(cursorfiles::EncodeAni(a), ani, reason)) << reason;
    EXPECT_FALSE(ani.hasSequence);
    EXPECT_EQ(Steps(ani), (StepList{{0, 4}, {1, 0}, {2, 9}}));
}

TEST(AniDecoder, UnknownChunksAndListsAreSkippedAndOddChunksArePadded) {
    Animation a;
    a.frames = {Frame(1), Frame(2)};
    std::string file = cursorfiles::EncodeAni(a);
    // An odd-sized unknown chunk and an INFO list before the frames, inside the form.
    const std::string extra = cursorfiles::Chunk("junk", "abc") + cursorfiles::Chunk("LIST", "INFOxyz");
    file.insert(12, extra);
    const uint32_t formSize = uint32_t(file.size() - 8);
    for (int i = 0; i < 4; ++i) file[4 + i] = char(formSize >> (8 * i));
    decoders::AniCursor ani;
    std::string reason;
    ASSERT_TRUE(Decode(file, ani, reason)) << reason;
    EXPECT_EQ(ani.frames.size(), 2u);
}

// Published schemes hold files whose RIFF size counts its own 8 bytes too (it equals the file's
// length): the form is read to the end of the file. The chunks inside stay strictly checked.
TEST(AniDecoder, AFormSizePastTheEndOfTheFileIsReadToTheEndButInnerChunksMustFit) {
    Animation a;
    a.frames = {Frame(1), Frame(2)};
    const std::string good = cursorfiles::EncodeAni(a);
    auto withFormSize = [](std::string file, uint32_t size) {
        for (int i = 0; i < 4; ++i) file[4 + i] = char(size >> (8 * i));
        return file;
    };
    for (uint32_t formSize : {uint32_t(good.size()), uint32_t(good.size() + 1), 0xFFFFFFFFu}) {
        decoders::AniCursor ani;
        std::string reason;
        ASSERT_TRUE(Decode(withFormSize(good, formSize), ani, reason)) << formSize << ": " << reason;
        EXPECT_EQ(ani.frames.size(), 2u);
        EXPECT_EQ(Steps(ani), (StepList{{0, a.displayRate}, {1, a.displayRate}}));
    }
    // The last frame cut short with the form size left as the whole file's length: the frame list
    // runs past the end of the file.
    std::string cut = withFormSize(good, uint32_t(good.size()));
    cut.resize(cut.size() - 10);
    ExpectRefused(cut, "chunk 'LIST'");
}

TEST(AniDecoder, HostileFilesAreRefusedWithAReason) {
    Animation a;
    a.frames = {Frame(1), Frame(2)};
    const std::string good = cursorfiles::EncodeAni(a);

    ExpectRefused(std::string("RIFF\3\0\0\0ACON", 12), "RIFF form of 3 bytes");
    // The frame list's size grows past the form: the chunk runs past its container.
    std::string listPastEnd = good;
    const size_t list = listPastEnd.find("LIST");
    listPastEnd[list + 6] = 0x40;
    ExpectRefused(listPastEnd, "chunk 'LIST'");

    Animation claims = a;
    claims.claimedFrames = 0x80000000u;
    ExpectRefused(cursorfiles::EncodeAni(claims), "claims 2147483648 frames, more than 1024");
    claims.claimedFrames = 3;
    ExpectRefused(cursorfiles::EncodeAni(claims), "claims 3 frames but 2 are stored");
    claims.claimedFrames = 0;
    claims.claimedSteps = 5000;
    ExpectRefused(cursorfiles::EncodeAni(claims), "5000 steps");

    Animation missing = a;
    missing.sequence = std::vector<uint32_t>{0, 2};
    ExpectRefused(cursorfiles::EncodeAni(missing), "step 2 names frame 2 of 2");
    Animation shortRate = a;
    shortRate.rate = std::vector<uint32_t>{1};
    shortRate.claimedSteps = 2;
    ExpectRefused(cursorfiles::EncodeAni(shortRate), "'rate' chunk holds fewer");
    Animation slow = a;
    slow.rate = std::vector<uint32_t>{1, 4000000000u};
    ExpectRefused(cursorfiles::EncodeAni(slow), "step 2 lasts 4000000000 jiffies");

    Animation damaged = a;
    damaged.frames[1] = damaged.frames[1].substr(0, 30);
    ExpectRefused(cursorfiles::EncodeAni(damaged), "frame 2: entry 1:");

    Animation many;
    many.frames.assign(1025, Frame(1, 1));
    many.claimedFrames = 2;
    many.claimedSteps = 2;
    ExpectRefused(cursorfiles::EncodeAni(many), "more than 1024 frames are stored");
    ExpectRefused(std::string("RIFF\4\0\0\0ACON", 12), "no complete 'anih'");
}
