#include "theme/windows_cursor_writer.h"

#include <gtest/gtest.h>

#include "graphics/decoders/ani_decoder.h"
#include "graphics/decoders/icon_decoder.h"
#include "graphics/pixel_storage.h"

namespace {

using Jiffies = std::vector<uint32_t>;
using StepList = std::vector<std::pair<uint32_t, uint32_t>>;  // frame, jiffies

std::vector<CursorStep> Ms(const std::vector<int64_t>& milliseconds) {
    std::vector<CursorStep> steps;
    for (int64_t ms : milliseconds) steps.push_back({0, ms});
    return steps;
}

// A cursor of frames × (width × height) whose pixels differ by frame and place; the pixel at
// (1, 0) of every frame is transparent with colour left in it.
RenderedCursor Cursor(int width, int height, int frames, int hotX, int hotY) {
    RenderedCursor cursor;
    cursor.width = width;
    cursor.height = height;
    cursor.hotSpotX = hotX;
    cursor.hotSpotY = hotY;
    for (int f = 0; f < frames; ++f) {
        std::vector<uint8_t> pixels;
        for (int i = 0; i < width * height; ++i)
            pixels.insert(pixels.end(), {uint8_t(10 * f + 1), uint8_t(i), uint8_t(255 - i), uint8_t(i % 3 ? 255 : 90)});
        if (width > 1) pixels[7] = 0;
        cursor.frames.push_back(pixels);
    }
    cursor.timing.steps.push_back({0, 0});
    return cursor;
}

// The decoded image as the writer's input holds it: top row first; transparent pixels all zero.
void ExpectSamePixels(const decoders::IconImage& image, const RenderedCursor& cursor, int frame) {
    ASSERT_EQ(image.Width(), cursor.width);
    ASSERT_EQ(image.Height(), cursor.height);
    const size_t row = size_t(cursor.width) * 4;
    for (int y = 0; y < cursor.height; ++y) {
        std::vector<uint8_t> expected(cursor.frames[size_t(frame)].begin() + row * y,
                                      cursor.frames[size_t(frame)].begin() + row * (y + 1));
        for (size_t i = 0; i < row; i += 4)
            if (expected[i + 3] == 0) std::fill(expected.begin() + i, expected.begin() + i + 3, 0);
        const uint8_t* decoded = image.pixels->Bits() + row * size_t(cursor.height - 1 - y);
        EXPECT_EQ(std::vector<uint8_t>(decoded, decoded + row), expected) << "frame " << frame << ", row " << y;
    }
}

bool DecodeAni(const RenderedCursor& cursor, decoders::AniCursor& ani) {
    std::vector<uint8_t> bytes;
    std::string reason;
    if (!EncodeWindowsCursor(cursor, bytes, reason)) return false;
    return decoders::TryDecodeAni(bytes.data(), bytes.size(), ani, reason);
}

StepList Steps(const decoders::AniCursor& ani) {
    StepList steps;
    for (const decoders::AniStep& step : ani.steps) steps.emplace_back(step.frame, step.jiffies);
    return steps;
}

}  // namespace

TEST(StepsInJiffies, WholeJiffiesStayExactAndOtherStepsCarryTheirRounding) {
    // 50 ms is 3 jiffies.
    EXPECT_EQ(StepsInJiffies(Ms({50, 100, 50})), (Jiffies{3, 6, 3}));
    // 90 ms is 5.4 jiffies: the ends 5.4, 10.8, 16.2, 21.6, 27, 32.4 round to 5, 11, 16, 22, 27, 32.
    EXPECT_EQ(StepsInJiffies(Ms({90, 90, 90, 90, 90, 90})), (Jiffies{5, 6, 5, 6, 5, 5}));
    // A whole-jiffy step after a rounded one keeps its length: ends 0.6, 3.6 and 4.2 jiffies.
    EXPECT_EQ(StepsInJiffies(Ms({10, 50, 10})), (Jiffies{1, 3, 0}));
    // Steps shorter than a jiffy: one that ends in the jiffy its predecessor ended in gets none.
    EXPECT_EQ(StepsInJiffies(Ms({5, 5, 5, 5})), (Jiffies{0, 1, 0, 0}));
    // A pass shorter than half a jiffy still shows its first frame for one; a step of no time or
    // less takes none.
    EXPECT_EQ(StepsInJiffies(Ms({3, 4})), (Jiffies{1, 0}));
    EXPECT_EQ(StepsInJiffies(Ms({50, 0, -7, 50})), (Jiffies{3, 0, 0, 3}));
    EXPECT_TRUE(StepsInJiffies({}).empty());
}

TEST(StepsInJiffies, EveryChangeLandsWithinHalfAJiffyOfItsTime) {
    // Step lengths from 1 to 200 ms in a scrambled order, each pass of 40 steps.
    for (int seed = 1; seed <= 50; ++seed) {
        std::vector<int64_t> lengths;
        for (int i = 0; i < 40; ++i) lengths.push_back(1 + (seed * 7919 + i * 104729) % 200);
        const Jiffies jiffies = StepsInJiffies(Ms(lengths));
        int64_t ms = 0, shown = 0;
        for (size_t i = 0; i < lengths.size(); ++i) {
            ms += lengths[i];
            shown += jiffies[i];
            // |shown − ms × 60 / 1000| ≤ 1/2, in units of 1/100 jiffy.
            EXPECT_LE(std::abs(shown * 100 - ms * 6), 50) << "seed " << seed << ", step " << i;
            if (lengths[i] % 50 == 0) EXPECT_EQ(jiffies[i], lengths[i] * 3 / 50);
        }
    }
}

TEST(WindowsCursorWriter, AStillCursorIsACurThatDecodesToItsPixelsAndHotSpot) {
    RenderedCursor cursor = Cursor(5, 3, 2, 4, 2);
    cursor.timing.steps = {{1, 40}, {1, 30}};  // two steps of one frame: still
    EXPECT_STREQ(WindowsCursorExtension(cursor), ".cur");
    std::vector<uint8_t> bytes;
    std::string reason;
    ASSERT_TRUE(EncodeWindowsCursor(cursor, bytes, reason)) << reason;
    decoders::IconFile file;
    ASSERT_TRUE(decoders::TryDecodeIconFile(bytes.data(), bytes.size(), file, reason)) << reason;
    EXPECT_EQ(file.type, decoders::kCursorFileType);
    ASSERT_EQ(file.images.size(), 1u);
    EXPECT_EQ(file.images[0].bitCount, 32);
    EXPECT_EQ(file.images[0].hotSpotX, 4);
    EXPECT_EQ(file.images[0].hotSpotY, 2);
    ExpectSamePixels(file.images[0], cursor, 1);

    // A wholly transparent cursor has no alpha to go by: the mask must keep it transparent.
    RenderedCursor clear = Cursor(33, 2, 1, 0, 0);
    std::fill(clear.frames[0].begin(), clear.frames[0].end(), 0);
    ASSERT_TRUE(EncodeWindowsCursor(clear, bytes, reason)) << reason;
    ASSERT_TRUE(decoders::TryDecodeIconFile(bytes.data(), bytes.size(), file, reason)) << reason;
    ExpectSamePixels(file.images[0], clear, 0);

    // 256 pixels is the largest side a cursor file holds (written as 0 in the directory).
    RenderedCursor large = Cursor(256, 256, 1, 255, 0);
    ASSERT_TRUE(EncodeWindowsCursor(large, bytes, reason)) << reason;
    EXPECT_EQ(bytes[6], 0);
    ASSERT_TRUE(decoders::TryDecodeIconFile(bytes.data(), bytes.size(), file, reason)) << reason;
    EXPECT_EQ(file.images[0].hotSpotX, 255);
    ExpectSamePixels(file.images[0], large, 0);
}

TEST(WindowsCursorWriter, AnAnimationIsAnAniOfWholeCursorsPlayingOnePassInJiffies) {
    RenderedCursor cursor = Cursor(4, 4, 3, 1, 2);
    // Ends at 3, 7.8, 8.1 and 12 jiffies: 3, 5, 0 and 4; the step of none is left out and the
    // two steps of frame 1 that then meet are joined. Frame 2 is then shown by no step but stored.
    cursor.timing.steps = {{0, 50}, {1, 80}, {2, 5}, {1, 65}};
    cursor.timing.loops = true;
    EXPECT_STREQ(WindowsCursorExtension(cursor), ".ani");
    decoders::AniCursor ani;
    ASSERT_TRUE(DecodeAni(cursor, ani));
    EXPECT_EQ(Steps(ani), (StepList{{0, 3}, {1, 9}}));
    EXPECT_EQ(ani.displayRate, 3u);
    ASSERT_EQ(ani.frames.size(), 3u);
    for (int f = 0; f < 3; ++f) {
        ASSERT_EQ(ani.frames[size_t(f)].images.size(), 1u);
        const decoders::IconImage& image = ani.frames[size_t(f)].images[0];
        EXPECT_EQ(image.hotSpotX, 1);
        EXPECT_EQ(image.hotSpotY, 2);
        ExpectSamePixels(image, cursor, f);
    }

    // A pass of 10.8 jiffies is written five times over, 54 jiffies, the rounding carried: the
    // ends 5.4, 10.8, 16.2 ... 54 round to 5, 11, 16, 22, 27, 32, 38, 43, 49, 54.
    cursor.timing.steps = {{0, 90}, {1, 90}};
    ASSERT_TRUE(DecodeAni(cursor, ani));
    EXPECT_EQ(Steps(ani), (StepList{{0, 5}, {1, 6}, {0, 5}, {1, 6}, {0, 5}, {1, 5}, {0, 6}, {1, 5}, {0, 6}, {1, 5}}));

    // An animation that does not loop holds its last frame for eight hours before the file
    // starts over, even when that frame's own step took no jiffy.
    cursor.timing.steps = {{0, 90}, {2, 90}, {1, 5}};
    cursor.timing.loops = false;
    ASSERT_TRUE(DecodeAni(cursor, ani));
    EXPECT_EQ(Steps(ani), (StepList{{0, 5}, {2, 6}, {1, 8 * 60 * 60 * 60}}));
}

TEST(WindowsCursorWriter, AnAnimationBeyondWhatAFileHoldsKeepsTheFramesItShowsAndItsFirstSteps) {
    // 1030 frames, 1100 steps: more of each than a file may hold.
    RenderedCursor cursor = Cursor(1, 1, 1030, 0, 0);
    cursor.timing.steps.clear();
    for (int i = 0; i < 1100; ++i) cursor.timing.steps.push_back({i % 2 ? 1029 : 7, 50});
    cursor.timing.loops = true;
    decoders::AniCursor ani;
    ASSERT_TRUE(DecodeAni(cursor, ani));
    ASSERT_EQ(ani.frames.size(), 2u);
    ExpectSamePixels(ani.frames[0].images.at(0), cursor, 7);
    ExpectSamePixels(ani.frames[1].images.at(0), cursor, 1029);
    ASSERT_EQ(ani.steps.size(), decoders::kMaxAniSteps);
    EXPECT_EQ(Steps(ani)[0], std::make_pair(0u, 3u));
    EXPECT_EQ(Steps(ani)[1023], std::make_pair(1u, 3u));
}

TEST(WindowsCursorWriter, CursorsAFileCannotHoldAreRefusedWithAReason) {
    std::vector<uint8_t> bytes;
    std::string reason;
    EXPECT_FALSE(EncodeWindowsCursor(Cursor(257, 4, 1, 0, 0), bytes, reason));
    EXPECT_NE(reason.find("257 x 4 pixels"), std::string::npos) << reason;
    EXPECT_TRUE(bytes.empty());
    RenderedCursor broken = Cursor(4, 4, 2, 0, 0);
    broken.timing.steps = {{0, 10}, {2, 10}};
    EXPECT_FALSE(EncodeWindowsCursor(broken, bytes, reason));
    EXPECT_FALSE(EncodeWindowsCursor(RenderedCursor(), bytes, reason));
    EXPECT_EQ(reason.find('\n'), std::string::npos);
}
