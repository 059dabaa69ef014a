// Loading bitmaps from files: TGA and JPEG decoding, the JPEG mask, extensions and bits per pixel.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include <jpeglib.h>

#include "base/text_encoding.h"
#include "graphics/decoders/jpeg_decoder.h"
#include "graphics/decoders/tga_decoder.h"
#include "graphics/hv_bitmap.h"
#include "graphics/pixel_storage.h"
#include "tests/native/bitmap_test_util.h"

namespace {

std::vector<uint8_t> Tga(int width, int height, uint8_t type, uint8_t bits, size_t dataBytes) {
    std::vector<uint8_t> t(18, 0);
    t[2] = type;
    t[12] = static_cast<uint8_t>(width);
    t[13] = static_cast<uint8_t>(width >> 8);
    t[14] = static_cast<uint8_t>(height);
    t[15] = static_cast<uint8_t>(height >> 8);
    t[16] = bits;
    for (size_t i = 0; i < dataBytes; ++i) t.push_back(static_cast<uint8_t>(i));
    return t;
}

// A JPEG of width × height, every pixel the given grey (one component) or colour (three).
std::vector<uint8_t> Jpeg(int width, int height, int components, const uint8_t* sample, int quality = 100) {
    jpeg_compress_struct c;
    jpeg_error_mgr errors;
    c.err = jpeg_std_error(&errors);
    jpeg_create_compress(&c);
    unsigned char* out = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&c, &out, &size);
    c.image_width = width;
    c.image_height = height;
    c.input_components = components;
    c.in_color_space = components == 1 ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_set_defaults(&c);
    jpeg_set_quality(&c, quality, TRUE);
    jpeg_start_compress(&c, TRUE);
    std::vector<uint8_t> row(static_cast<size_t>(width) * components);
    for (int x = 0; x < width; ++x)
        for (int k = 0; k < components; ++k) row[x * components + k] = sample[k];
    while (c.next_scanline < c.image_height) {
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&c, rows, 1);
    }
    jpeg_finish_compress(&c);
    jpeg_destroy_compress(&c);
    std::vector<uint8_t> bytes(out, out + size);
    free(out);
    return bytes;
}

std::vector<uint8_t> GreyJpeg(int width, int height, uint8_t grey) {
    return Jpeg(width, height, 1, &grey);
}

class ImageFileTest : public testing::Test {
protected:
    void SetUp() override {
        folder_ =
            testing::TempDir() + "/image_file_test_" + testing::UnitTest::GetInstance()->current_test_info()->name();
        const std::string command = "rm -rf '" + folder_ + "' && mkdir -p '" + folder_ + "'";
        ASSERT_EQ(std::system(command.c_str()), 0);
    }
    std::wstring Write(const std::string& name, const std::vector<uint8_t>& bytes) {
        std::ofstream(folder_ + "/" + name, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        return Path(name);
    }
    std::wstring Path(const std::string& name) { return text::Utf8ToUtf16(folder_ + "/" + name); }
    std::string folder_;
};

}  // namespace

TEST(TgaDecoder, OnlyUncompressed32BitTrueColourIsAccepted) {
    const std::vector<uint8_t> good = Tga(2, 1, 2, 32, 8);
    auto storage = decoders::DecodeTga(good.data(), good.size());
    ASSERT_TRUE(storage);
    EXPECT_EQ(storage->Width(), 2);
    EXPECT_EQ(std::vector<uint8_t>(storage->Bits(), storage->Bits() + 8),
              (std::vector<uint8_t>{0, 1, 2, 3, 4, 5, 6, 7}));

    for (auto bad : {Tga(2, 1, 2, 24, 6), Tga(2, 1, 10, 32, 8), Tga(2, 1, 2, 32, 7), Tga(0, 1, 2, 32, 0)}) {
        EXPECT_FALSE(decoders::DecodeTga(bad.data(), bad.size()));
    }
    std::vector<uint8_t> withId = good;
    withId[0] = 1;
    EXPECT_FALSE(decoders::DecodeTga(withId.data(), withId.size()));
    std::vector<uint8_t> withMap = good;
    withMap[1] = 1;
    EXPECT_FALSE(decoders::DecodeTga(withMap.data(), withMap.size()));
    EXPECT_FALSE(decoders::DecodeTga(good.data(), 17));
    // 65535 × 65535 claims 16 GiB and is refused without reading on.
    const std::vector<uint8_t> huge = Tga(65535, 65535, 2, 32, 16);
    EXPECT_FALSE(decoders::DecodeTga(huge.data(), huge.size()));
}

TEST(JpegDecoder, ColourAndGreyBecomeBgrWithAZeroFourthByte) {
    const uint8_t grey = 9;
    const std::vector<uint8_t> g = GreyJpeg(3, 2, grey);
    auto greyImage = decoders::DecodeJpeg(g.data(), g.size());
    ASSERT_TRUE(greyImage);
    EXPECT_EQ(greyImage->Width(), 3);
    EXPECT_EQ(greyImage->Height(), 2);
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(std::vector<uint8_t>(greyImage->Bits() + i * 4, greyImage->Bits() + i * 4 + 4),
                  (std::vector<uint8_t>{9, 9, 9, 0}));

    const uint8_t red[] = {250, 10, 10};
    const std::vector<uint8_t> c = Jpeg(8, 8, 3, red);
    auto colour = decoders::DecodeJpeg(c.data(), c.size());
    ASSERT_TRUE(colour);
    const uint8_t* p = colour->Bits();
    EXPECT_NEAR(p[0], 10, 3);   // blue
    EXPECT_NEAR(p[2], 250, 3);  // red
    EXPECT_EQ(p[3], 0);
}

TEST(JpegDecoder, CutOrDamagedDataGivesNoImage) {
    const uint8_t colour[] = {30, 60, 90};
    const std::vector<uint8_t> whole = Jpeg(40, 40, 3, colour, 90);
    ASSERT_TRUE(decoders::DecodeJpeg(whole.data(), whole.size()));
    // A failure part-way through the scanlines must not leave a half image.
    for (size_t length : {size_t{0}, size_t{2}, size_t{20}, whole.size() / 2, whole.size() - 3}) {
        std::vector<uint8_t> cut(whole.begin(), whole.begin() + length);
        EXPECT_FALSE(decoders::DecodeJpeg(cut.data(), cut.size())) << length;
    }
    std::vector<uint8_t> notJpeg = {'B', 'M', 0, 0};
    EXPECT_FALSE(decoders::DecodeJpeg(notJpeg.data(), notJpeg.size()));
}

TEST_F(ImageFileTest, JpegTakesItsAlphaFromTheMaskFileWithValuesBelowTenCleared) {
    // The extension is recognised in capitals; the mask name keeps "#MASK#.jpg" in lower case.
    const std::vector<uint8_t> image = Jpeg(2, 1, 3, std::vector<uint8_t>{200, 200, 200}.data());
    Write("ARROW.JPG", image);
    HVBitmap noMask(Path("ARROW.JPG"), HVB_COLORKEY | HVB_ALPHA);
    ASSERT_TRUE(noMask.IsValid());
    EXPECT_FALSE(noMask.HasAlpha());
    EXPECT_FALSE(noMask.IsColorKeyed());
    EXPECT_EQ(noMask.BitsPerPixel(), 24);

    Write("ARROW#MASK#.jpg", GreyJpeg(1, 1, 9));
    HVBitmap masked9(Path("ARROW.JPG"), 0);
    ASSERT_TRUE(masked9.IsValid());
    EXPECT_TRUE(masked9.HasAlpha());
    EXPECT_EQ(masked9.BitsPerPixel(), 32);
    EXPECT_EQ(At(masked9, 0, 0)[3], 0);
    // The mask is one pixel: the second image pixel is not covered and keeps alpha 0.
    EXPECT_EQ(At(masked9, 1, 0)[3], 0);

    Write("ARROW#MASK#.jpg", GreyJpeg(4, 3, 10));
    HVBitmap masked10(Path("ARROW.JPG"), 0);
    EXPECT_EQ(At(masked10, 0, 0)[3], 10);
    EXPECT_EQ(At(masked10, 1, 0)[3], 10);
    EXPECT_EQ(masked10.Width(), 2);
}

TEST_F(ImageFileTest, TgaFilesAlwaysHaveAlpha) {
    HVBitmap tga(Write("a.tga", Tga(1, 1, 2, 32, 4)), 0);
    ASSERT_TRUE(tga.IsValid());
    EXPECT_TRUE(tga.HasAlpha());
    EXPECT_EQ(tga.BitsPerPixel(), 32);
    EXPECT_EQ(At(tga, 0, 0), (Bgra{0, 1, 2, 3}));
    HVBitmap rle(Write("b.TGA", Tga(1, 1, 10, 32, 4)), 0);
    EXPECT_FALSE(rle.IsValid());
    HVBitmap bits24(Write("c.tga", Tga(1, 1, 2, 24, 3)), 0);
    EXPECT_FALSE(bits24.IsValid());
}

TEST_F(ImageFileTest, PngWithoutAlphaReportsTwentyFourBits) {
    const std::string suite = std::string(MORVANTA_SOURCE_DIR) + "/.deps/pngsuite/";
    HVBitmap rgb(text::Utf8ToUtf16(suite + "basn2c08.png"), HVB_ALPHA);
    ASSERT_TRUE(rgb.IsValid());
    EXPECT_FALSE(rgb.HasAlpha());  // the decoder's answer replaces the requested flag
    EXPECT_EQ(rgb.BitsPerPixel(), 24);
    HVBitmap rgba(text::Utf8ToUtf16(suite + "basn6a08.png"), 0);
    ASSERT_TRUE(rgba.IsValid());
    EXPECT_TRUE(rgba.HasAlpha());
    EXPECT_EQ(rgba.BitsPerPixel(), 32);
    EXPECT_EQ(rgba.Width(), 32);
}

TEST_F(ImageFileTest, MissingShortUnknownAndBrokenFilesGiveNoPixels) {
    EXPECT_FALSE(HVBitmap(Path("missing.png"), 0).IsValid());
    EXPECT_FALSE(HVBitmap(L".png", 0).IsValid());
    EXPECT_FALSE(HVBitmap(L"", 0).IsValid());
    EXPECT_FALSE(HVBitmap(Write("x.gif", {'G', 'I', 'F'}), 0).IsValid());
    EXPECT_FALSE(HVBitmap(Write("broken.png", {0x89, 'P', 'N', 'G'}), 0).IsValid());
    EXPECT_FALSE(HVBitmap(Write("broken.jpg", {0xFF, 0xD8, 0xFF}), 0).IsValid());
    // Bitmap files need the platform's loader, which the portable build does not have.
    EXPECT_FALSE(HVBitmap(Write("image.bmp", {'B', 'M'}), 0).IsValid());
    HVBitmap failed(Path("missing.jpg"), HVB_SHAREDDC);
    EXPECT_EQ(failed.Width(), 0);
    EXPECT_EQ(failed.RefCount(), 0);
}
