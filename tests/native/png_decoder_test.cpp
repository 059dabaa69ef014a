// The PNG decoder against the PngSuite images from libpng's source (the repository's .deps folder,
// built by scripts/build-windows-deps.sh), compared pixel for pixel with Pillow, and against cut,
// damaged and oversized input.
#include <gtest/gtest.h>
#include <zlib.h>

#include <cstdio>
#include <cstdlib>
#include <dirent.h>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "graphics/decoders/png_decoder.h"
#include "graphics/hv_bitmap.h"
#include "graphics/pixel_storage.h"

namespace {

const std::string kSourceDir = MORVANTA_SOURCE_DIR;
const std::string kPngSuite = kSourceDir + "/.deps/pngsuite";
const std::string kTestPngs = kSourceDir + "/.deps/testpngs";

std::vector<uint8_t> ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<std::string> PngFiles(const std::string& folder) {
    std::vector<std::string> files;
    if (DIR* dir = opendir(folder.c_str())) {
        while (dirent* entry = readdir(dir)) {
            const std::string name = entry->d_name;
            if (name.size() > 4 && name.compare(name.size() - 4, 4, ".png") == 0) files.push_back(folder + "/" + name);
        }
        closedir(dir);
    }
    std::sort(files.begin(), files.end());
    return files;
}

std::string BaseName(const std::string& path) {
    const size_t slash = path.rfind('/');
    const std::string name = path.substr(slash + 1);
    return name.substr(0, name.size() - 4);
}

std::unique_ptr<PixelStorage> Decode(const std::vector<uint8_t>& bytes, bool* alpha = nullptr) {
    bool ignored = false;
    return decoders::DecodePng(bytes.data(), bytes.size(), alpha ? alpha : &ignored);
}

// A minimal PNG: signature, IHDR with the given fields, an IDAT of the given raw scanlines, IEND.
void AppendChunk(std::vector<uint8_t>& png, const char* type, const std::vector<uint8_t>& data) {
    const uint32_t length = static_cast<uint32_t>(data.size());
    for (int shift = 24; shift >= 0; shift -= 8) png.push_back(static_cast<uint8_t>(length >> shift));
    std::vector<uint8_t> body(type, type + 4);
    body.insert(body.end(), data.begin(), data.end());
    png.insert(png.end(), body.begin(), body.end());
    const uint32_t crc = static_cast<uint32_t>(crc32(0, body.data(), static_cast<uInt>(body.size())));
    for (int shift = 24; shift >= 0; shift -= 8) png.push_back(static_cast<uint8_t>(crc >> shift));
}

std::vector<uint8_t> MakePng(uint32_t width, uint32_t height, uint8_t depth, uint8_t colourType,
                             const std::vector<uint8_t>& scanlines) {
    std::vector<uint8_t> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<uint8_t> ihdr;
    for (uint32_t v : {width, height})
        for (int shift = 24; shift >= 0; shift -= 8) ihdr.push_back(static_cast<uint8_t>(v >> shift));
    ihdr.insert(ihdr.end(), {depth, colourType, 0, 0, 0});
    AppendChunk(png, "IHDR", ihdr);
    uLongf packedSize = compressBound(static_cast<uLong>(scanlines.size()));
    std::vector<uint8_t> packed(packedSize);
    compress(packed.data(), &packedSize, scanlines.data(), static_cast<uLong>(scanlines.size()));
    packed.resize(packedSize);
    AppendChunk(png, "IDAT", packed);
    AppendChunk(png, "IEND", {});
    return png;
}

const uint8_t* Pixel(PixelStorage& s, int x, int y) {
    return s.View(1, 0).Pixel(x, y);
}

}  // namespace

TEST(PngDecoder, EveryPngSuiteImageMatchesPillowPixelForPixel) {
    std::vector<std::string> files = PngFiles(kPngSuite);
    const std::vector<std::string> more = PngFiles(kTestPngs);
    files.insert(files.end(), more.begin(), more.end());
    ASSERT_GE(files.size(), 150u) << "the PngSuite images are expected in " << kPngSuite
                                  << " (scripts/build-windows-deps.sh puts them there)";
    const std::string refDir = testing::TempDir() + "/pillow_png_reference";
    std::string command = "/usr/bin/python3 " + kSourceDir + "/tests/tools/pillow_png_reference.py " + refDir;
    for (const std::string& f : files) command += " " + f;
    command += " 2>/dev/null";
    ASSERT_EQ(std::system(command.c_str()), 0) << "Pillow (Debian's python3-pil) is needed: " << command;

    for (const std::string& file : files) {
        SCOPED_TRACE(file);
        const std::vector<uint8_t> ref = ReadBytes(refDir + "/" + BaseName(file) + ".ref");
        ASSERT_FALSE(ref.empty());
        const std::string header(ref.begin(), std::find(ref.begin(), ref.end(), '\n'));
        ASSERT_NE(header, "error") << "Pillow refused a valid image";
        int width = 0, height = 0, colourType = 0;
        ASSERT_EQ(std::sscanf(header.c_str(), "%d %d %d", &width, &height, &colourType), 3);
        const uint8_t* expected = ref.data() + header.size() + 1;
        ASSERT_EQ(ref.size(), header.size() + 1 + static_cast<size_t>(width) * height * 4);

        bool alpha = false;
        auto storage = Decode(ReadBytes(file), &alpha);
        ASSERT_TRUE(storage);
        ASSERT_EQ(storage->Width(), width);
        ASSERT_EQ(storage->Height(), height);
        EXPECT_EQ(alpha, colourType == 4 || colourType == 6);
        int mismatches = 0;
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                const uint8_t* got = Pixel(*storage, x, y);
                const uint8_t* want = expected + (static_cast<size_t>(y) * width + x) * 4;
                const bool same =
                    got[2] == want[0] && got[1] == want[1] && got[0] == want[2] && (!alpha || got[3] == want[3]);
                if (!same && ++mismatches <= 3)
                    ADD_FAILURE() << "pixel (" << x << ", " << y << "): BGRA " << int(got[0]) << " " << int(got[1])
                                  << " " << int(got[2]) << " " << int(got[3]) << ", Pillow RGBA " << int(want[0]) << " "
                                  << int(want[1]) << " " << int(want[2]) << " " << int(want[3]);
            }
        }
        EXPECT_EQ(mismatches, 0);
        // Without alpha every pixel carries the filler 255 (or a palette/grey transparency).
        if (!alpha && colourType == 2) EXPECT_EQ(Pixel(*storage, 0, 0)[3], 255);
    }
}

TEST(PngDecoder, GreyBecomesOpaqueGreyAndGreyAlphaKeepsItsAlpha) {
    // One row: grey 1-byte samples (filter byte 0 first).
    bool alpha = true;
    auto grey = Decode(MakePng(2, 1, 8, 0, {0, 0x40, 0xC0}), &alpha);
    ASSERT_TRUE(grey);
    EXPECT_FALSE(alpha);
    EXPECT_EQ(std::vector<uint8_t>(Pixel(*grey, 0, 0), Pixel(*grey, 0, 0) + 8),
              (std::vector<uint8_t>{0x40, 0x40, 0x40, 255, 0xC0, 0xC0, 0xC0, 255}));

    auto greyAlpha = Decode(MakePng(1, 1, 8, 4, {0, 0x40, 0x22}), &alpha);
    ASSERT_TRUE(greyAlpha);
    EXPECT_TRUE(alpha);
    EXPECT_EQ(std::vector<uint8_t>(Pixel(*greyAlpha, 0, 0), Pixel(*greyAlpha, 0, 0) + 4),
              (std::vector<uint8_t>{0x40, 0x40, 0x40, 0x22}));
}

TEST(PngDecoder, SixteenBitChannelsAreCutToEightAndRowsStoredBottomUp) {
    // Two rows of one RGBA pixel at 16 bits: the high bytes survive, in blue-green-red order.
    bool alpha = false;
    auto rgba = Decode(MakePng(1, 2, 16, 6,
                               {0, 0x11, 0xFF, 0x22, 0xFF, 0x33, 0xFF, 0x44, 0xFF,  //
                                0, 0x55, 0x00, 0x66, 0x00, 0x77, 0x00, 0x88, 0x00}),
                       &alpha);
    ASSERT_TRUE(rgba);
    EXPECT_TRUE(alpha);
    const uint8_t* memory = rgba->Bits();  // bottom row first
    EXPECT_EQ(std::vector<uint8_t>(memory, memory + 8),
              (std::vector<uint8_t>{0x77, 0x66, 0x55, 0x88, 0x33, 0x22, 0x11, 0x44}));
}

TEST(PngDecoder, EveryCutShortImageIsRefused) {
    const std::vector<uint8_t> whole = ReadBytes(kPngSuite + "/basn6a08.png");
    ASSERT_GT(whole.size(), 100u);
    ASSERT_TRUE(Decode(whole));
    // Every prefix, in its own exactly-sized buffer so that AddressSanitizer sees any over-read.
    for (size_t length = 0; length < whole.size(); ++length) {
        std::vector<uint8_t> cut(whole.begin(), whole.begin() + length);
        ASSERT_FALSE(Decode(cut)) << length;
    }
}

TEST(PngDecoder, DamagedAndImpossibleHeadersAreRefused) {
    const std::vector<uint8_t> small = MakePng(1, 1, 8, 2, {0, 1, 2, 3});
    ASSERT_TRUE(Decode(small));
    std::vector<uint8_t> badCrc = small;
    badCrc[29] ^= 1;  // last byte of IHDR's CRC
    EXPECT_FALSE(Decode(badCrc));
    EXPECT_FALSE(Decode(MakePng(1, 1, 7, 2, {0, 1, 2, 3})));  // no such depth
    EXPECT_FALSE(Decode(MakePng(1, 1, 8, 5, {0, 1, 2, 3})));  // no such colour type
    EXPECT_FALSE(Decode(MakePng(0, 1, 8, 2, {0})));           // empty
    EXPECT_FALSE(Decode(MakePng(2, 1, 8, 2, {0, 1, 2, 3})));  // too little image data
    EXPECT_FALSE(Decode({}));
}

TEST(PngDecoder, ImagesAboveTheSideLimitAreRefusedBeforeAllocating) {
    // The header claims 16385 x 1 and 1 x 16385; the data would fit neither.
    EXPECT_FALSE(Decode(MakePng(16385, 1, 8, 2, {0, 1, 2, 3})));
    EXPECT_FALSE(Decode(MakePng(1, 16385, 8, 2, {0, 1, 2, 3})));
    EXPECT_FALSE(Decode(MakePng(0x7FFFFFFF, 0x7FFFFFFF, 8, 6, {0})));
    // Exactly at the limit is allowed (a single row of black).
    std::vector<uint8_t> row(1 + 16384 * 3, 0);
    auto wide = Decode(MakePng(16384, 1, 8, 2, row));
    ASSERT_TRUE(wide);
    EXPECT_EQ(wide->Width(), 16384);
}

TEST(PngDecoder, LibpngCrashTestImagesNeverCrashTheDecoder) {
    // Images that once crashed PNG readers. Each either decodes to its declared size or is
    // refused; the sanitizers catch anything else.
    const std::vector<std::string> files = PngFiles(kTestPngs + "/crashers");
    ASSERT_GE(files.size(), 20u);
    int refused = 0;
    for (const std::string& file : files) {
        const std::vector<uint8_t> bytes = ReadBytes(file);
        if (auto storage = Decode(bytes)) {
            const uint32_t width = bytes[16] << 24 | bytes[17] << 16 | bytes[18] << 8 | bytes[19];
            EXPECT_EQ(static_cast<uint32_t>(storage->Width()), width) << file;
        } else {
            ++refused;
        }
    }
    // The damaged checksums at least must be refused.
    EXPECT_FALSE(Decode(ReadBytes(kTestPngs + "/crashers/badcrc.png")));
    EXPECT_GE(refused, 1);
}
