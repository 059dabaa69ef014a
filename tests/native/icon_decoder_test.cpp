#include "graphics/decoders/icon_decoder.h"

#include <gtest/gtest.h>

#include "tests/support/cursor_files.h"

namespace {

using cursorfiles::Entry;
using cursorfiles::Rgba;

// A width × height picture of up to `colours` distinct opaque colours, with transparent pixels
// wherever (x + 2y) % 5 == 0; 32-bit pictures with alpha also get partial alpha values.
cursorfiles::Image Picture(int width, int height, int colours, bool partialAlpha) {
    cursorfiles::Image image;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const int c = (x * 7 + y * 3) % colours;
            Rgba p{uint8_t(40 + c * 13), uint8_t(200 - c * 11), uint8_t(c * 29), 255};
            if ((x + 2 * y) % 5 == 0) p = Rgba{0, 0, 0, 0};
            if (partialAlpha && (x + y) % 3 == 1) p.a = uint8_t(17 * (x + 1));
            image.push_back(p);
        }
    }
    return image;
}

std::vector<uint8_t> Bytes(const std::string& text) {
    return std::vector<uint8_t>(text.begin(), text.end());
}

bool Decode(const std::string& file, decoders::IconFile& out, std::string& reason) {
    const std::vector<uint8_t> bytes = Bytes(file);
    return decoders::TryDecodeIconFile(bytes.data(), bytes.size(), out, reason);
}

// Every pixel of the decoded image against the picture: BGRA, straight alpha, transparent pixels
// as four zero bytes unless the file stored alpha of its own.
void ExpectPixels(const decoders::IconImage& image, const Entry& entry) {
    ASSERT_EQ(image.Width(), entry.width);
    ASSERT_EQ(image.Height(), entry.height);
    const pixels::PixelView view = image.pixels->View(1, 0);
    const bool keepsAlpha = entry.bits == 0 || (entry.bits == 32 && entry.alpha);
    for (int y = 0; y < entry.height; ++y) {
        for (int x = 0; x < entry.width; ++x) {
            Rgba want = entry.pixels[size_t(y) * entry.width + x];
            if (!keepsAlpha && want.a == 0) want = Rgba{0, 0, 0, 0};
            const uint8_t* got = view.Pixel(x, y);
            ASSERT_EQ((std::vector<int>{got[2], got[1], got[0], got[3]}),
                      (std::vector<int>{want.r, want.g, want.b, want.a}))
                << "bits " << entry.bits << " at " << x << "," << y;
        }
    }
}

void ExpectRefused(const std::string& file, const std::string& words) {
    decoders::IconFile out;
    std::string reason;
    EXPECT_FALSE(Decode(file, out, reason));
    EXPECT_NE(reason.find(words), std::string::npos) << reason;
    EXPECT_EQ(reason.find('\n'), std::string::npos);
}

}  // namespace

TEST(IconDecoder, EveryDepthAndPngRoundTripValueForValueWithHotSpots) {
    // Odd widths make every row need padding; 1, 4 and 8 bits use up to their palette sizes.
    std::vector<Entry> entries;
    const struct {
        int bits;
        bool alpha;
        int colours;
    } kinds[] = {{1, false, 1},   {4, false, 15}, {8, false, 40}, {24, false, 60},
                 {32, false, 60}, {32, true, 60}, {0, true, 60}};
    int n = 0;
    for (const auto& kind : kinds) {
        Entry e;
        e.width = 5 + 2 * n;
        e.height = 3 + n;
        e.bits = kind.bits;
        e.alpha = kind.alpha;
        e.pixels = Picture(e.width, e.height, kind.colours, kind.alpha);
        e.hotX = n;
        e.hotY = 2 * n + 1;
        entries.push_back(e);
        ++n;
    }
    decoders::IconFile file;
    std::string reason;
    ASSERT_TRUE(Decode(cursorfiles::EncodeCursor(entries), file, reason)) << reason;
    EXPECT_EQ(file.type, decoders::kCursorFileType);
    ASSERT_EQ(file.images.size(), entries.size());
    for (size_t i = 0; i < entries.size(); ++i) {
        ExpectPixels(file.images[i], entries[i]);
        EXPECT_EQ(file.images[i].hotSpotX, entries[i].hotX);
        EXPECT_EQ(file.images[i].hotSpotY, entries[i].hotY);
        EXPECT_EQ(file.images[i].bitCount, entries[i].bits ? entries[i].bits : 32);
        EXPECT_EQ(file.images[i].png, entries[i].bits == 0);
    }
}

TEST(IconDecoder, IconsHaveTheirCentreAsHotSpot) {
    Entry e{9, 6, 24, false, Picture(9, 6, 3, false), 0, 0};
    decoders::IconFile file;
    std::string reason;
    ASSERT_TRUE(Decode(cursorfiles::EncodeIconFile(1, {e}), file, reason)) << reason;
    EXPECT_EQ(file.type, decoders::kIconFileType);
    EXPECT_EQ(file.images[0].hotSpotX, 4);
    EXPECT_EQ(file.images[0].hotSpotY, 3);
}

TEST(IconDecoder, MaskedPixelsInvertOrVanishAndIndicesPastAShortPaletteAreBlack) {
    // 1 bit, 3x1, a palette of one colour (not black). Pixel 0: that colour under a set mask bit,
    // which inverts the screen: opaque black. Pixel 1: index 1, past the palette, so black, under
    // a set mask bit: transparent. Pixel 2: the colour, opaque.
    std::string dib;
    cursorfiles::detail::Le(dib, 40, 4);
    cursorfiles::detail::Le(dib, 3, 4);
    cursorfiles::detail::Le(dib, 2, 4);
    cursorfiles::detail::Le(dib, 1, 2);
    cursorfiles::detail::Le(dib, 1, 2);
    dib += std::string(16, '\0');
    cursorfiles::detail::Le(dib, 1, 4);
    cursorfiles::detail::Le(dib, 0, 4);
    dib += std::string("\x10\x20\x30\x00", 4);
    dib += std::string("\x40\0\0\0", 4);  // indices 0, 1, 0
    dib += std::string("\xC0\0\0\0", 4);  // mask bits 1, 1, 0
    Entry e{3, 1, 1, false, {}, 0, 0};
    decoders::IconFile file;
    std::string reason;
    ASSERT_TRUE(Decode(cursorfiles::EncodeIconFile(2, {e}, {dib}), file, reason)) << reason;
    const uint8_t* p = file.images[0].pixels->Bits();
    EXPECT_EQ((std::vector<int>(p, p + 12)), (std::vector<int>{0, 0, 0, 255, 0, 0, 0, 0, 0x10, 0x20, 0x30, 255}));
}

TEST(IconDecoder, HostileFilesAreRefusedWithAReason) {
    const Entry small{4, 4, 32, true, Picture(4, 4, 3, true), 0, 0};
    const std::string good = cursorfiles::EncodeCursor({small});

    std::string many = good;
    many[4] = '\xFF', many[5] = '\xFF';  // 65535 entries
    ExpectRefused(many, "65535 entries");
    std::string pastEnd = cursorfiles::EncodeCursor(std::vector<Entry>(200, small)).substr(0, 6 + 16 * 100);
    ExpectRefused(pastEnd, "runs past the end");

    std::string outside = good;
    outside[21] = '\x7F';  // the entry's offset far beyond the file
    ExpectRefused(outside, "outside the file");

    Entry asPng = small;
    asPng.bits = 0;
    const std::string png = cursorfiles::EncodeEntry(asPng);
    ExpectRefused(cursorfiles::EncodeIconFile(2, {asPng}, {png.substr(0, png.size() - 20)}), "truncated PNG");

    const std::string dib = cursorfiles::EncodeDib(small);
    ExpectRefused(cursorfiles::EncodeIconFile(2, {small}, {dib.substr(0, 60)}), "colour rows");
    std::string compressed = dib;
    compressed[16] = 1;
    ExpectRefused(cursorfiles::EncodeIconFile(2, {small}, {compressed}), "compressed");
    std::string deep16 = dib;
    deep16[14] = 16;
    ExpectRefused(cursorfiles::EncodeIconFile(2, {small}, {deep16}), "16 bits");
    std::string huge = dib;
    huge[5] = '\x50';  // 20484 pixels wide
    ExpectRefused(cursorfiles::EncodeIconFile(2, {small}, {huge}), "larger than 16384");
    std::string bigPalette = cursorfiles::EncodeDib(Entry{4, 4, 1, false, Picture(4, 4, 1, false), 0, 0});
    bigPalette[32] = 3;
    ExpectRefused(cursorfiles::EncodeIconFile(2, {small}, {bigPalette}), "palette of 3 colours");
    ExpectRefused(std::string("\0\0\3\0\1\0", 6), "not an icon or cursor");
}

TEST(IconDecoder, ThePixelBudgetIsCheckedBeforeDecoding) {
    Entry e{64, 64, 0, true, cursorfiles::Image(64 * 64, Rgba{1, 2, 3, 4}), 0, 0};
    const std::vector<uint8_t> bytes = Bytes(cursorfiles::EncodeCursor({e, e}));
    decoders::IconFile file;
    std::string reason;
    uint64_t budget = 64 * 64 * 4 + 100;  // room for one image only
    EXPECT_FALSE(decoders::TryDecodeIconFile(bytes.data(), bytes.size(), file, reason, &budget));
    EXPECT_NE(reason.find("entry 2: the images decode to more pixel memory"), std::string::npos) << reason;
}
