// Every refusal of a damaged file comes with a one-line reason: the theme reader (streaming and
// whole-block) and the image decoders (animated cursors, icons, PNG, JPEG, TGA), walked over
// damaged copies of the fuzz targets' seed files (cut short at many lengths, single bytes inverted, header fields
// set to extremes), and the image records whose pixel bytes do not match their size.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "graphics/decoders/ani_decoder.h"
#include "graphics/decoders/icon_decoder.h"
#include "graphics/decoders/jpeg_decoder.h"
#include "graphics/decoders/png_decoder.h"
#include "graphics/decoders/tga_decoder.h"
#include "graphics/pixel_storage.h"
#include "tests/native/theme_bytes.h"
#include "theme/theme_reader.h"

namespace tb = themebytes;
using Bytes = std::vector<uint8_t>;

namespace {

std::vector<Bytes> Seeds(const std::string& corpus) {
    std::vector<Bytes> seeds;
    const std::filesystem::path folder = std::string(MORVANTA_SOURCE_DIR) + "/tests/fuzz/corpus/" + corpus;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        std::ifstream in(entry.path(), std::ios::binary);
        seeds.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    return seeds;
}

// Damaged copies of a file: cut short, one byte inverted, and (for the first 184 bytes, a theme
// file's header) each 32-bit field set to 0 and to 0xFFFFFFFF.
std::vector<Bytes> Damaged(const Bytes& good) {
    std::vector<Bytes> out;
    const size_t step = std::max<size_t>(1, good.size() / 64);
    for (size_t length = 0; length < good.size(); length += step) out.emplace_back(good.begin(), good.begin() + length);
    const size_t flipStep = std::max<size_t>(1, good.size() / 128);
    for (size_t at = 0; at < good.size(); at += flipStep) {
        out.push_back(good);
        out.back()[at] ^= 0xFF;
    }
    for (size_t at = 0; at + 4 <= std::min<size_t>(good.size(), 184); at += 4) {
        for (uint32_t value : {0u, 0xFFFFFFFFu}) {
            out.push_back(good);
            tb::PutU32(out.back(), at, value);
        }
    }
    return out;
}

// Runs refuse over every damaged copy of every seed; each refusal's reason must be one non-empty
// line. Returns how many copies were refused.
int WalkRefusals(const std::string& corpus, const std::function<bool(const Bytes&, std::string&)>& refuse) {
    int refused = 0;
    const std::vector<Bytes> seeds = Seeds(corpus);
    EXPECT_FALSE(seeds.empty()) << corpus;
    for (const Bytes& seed : seeds) {
        for (const Bytes& bytes : Damaged(seed)) {
            std::string reason;
            if (!refuse(bytes, reason)) continue;
            ++refused;
            EXPECT_FALSE(reason.empty()) << corpus << ": a file of " << bytes.size() << " bytes refused without reason";
            EXPECT_EQ(reason.find('\n'), std::string::npos) << corpus << ": " << reason;
        }
    }
    return refused;
}

}  // namespace

TEST(RefusalReasons, DamagedThemeFilesAreRefusedWithAReasonOnEveryPath) {
    for (bool streaming : {true, false}) {
        for (bool preview : {false, true}) {
            const int refused = WalkRefusals("theme_reader_fuzz", [&](const Bytes& bytes, std::string& reason) {
                CTheme theme;
                ThemeReadResult r = themereader::ReadThemeBytesWith(theme, bytes.data(), bytes.size(),
                                                                    L"C:\\damaged.morvanta", preview, streaming);
                reason = r.error;
                return !r.ok;
            });
            EXPECT_GT(refused, 100) << "the walk reached too few refusals";
        }
    }
}

TEST(RefusalReasons, ImageRecordsWithTooFewOrTooManyPixelBytesNameTheMismatch) {
    for (size_t pixelBytes : {size_t(4 * 4 * 4 - 4), size_t(4 * 4 * 4 + 4), size_t(0 + 4)}) {
        for (bool compress : {false, true}) {
            tb::Animation a;
            a.width = 4;
            a.height = 4;
            a.pixels.assign(pixelBytes, 0x7F);
            tb::File f;
            f.compress = compress;
            f.records.push_back(tb::Cursor(0, 1, a));
            const Bytes bytes = tb::Build(f);
            for (bool streaming : {true, false}) {
                CTheme theme;
                ThemeReadResult r =
                    themereader::ReadThemeBytesWith(theme, bytes.data(), bytes.size(), L"x.morvanta", false, streaming);
                EXPECT_FALSE(r.ok);
                EXPECT_NE(r.error.find("image size does not match its width and height"), std::string::npos)
                    << pixelBytes << " bytes, compressed " << compress << ", streaming " << streaming << ": '"
                    << r.error << "'";
            }
        }
    }
}

TEST(RefusalReasons, DamagedImagesAreRefusedWithAReason) {
    const int ani = WalkRefusals("ani_decoder_fuzz", [](const Bytes& bytes, std::string& reason) {
        decoders::AniCursor cursor;
        return !decoders::TryDecodeAni(bytes.data(), bytes.size(), cursor, reason);
    });
    const int icons = WalkRefusals("icon_decoder_fuzz", [](const Bytes& bytes, std::string& reason) {
        decoders::IconFile file;
        return !decoders::TryDecodeIconFile(bytes.data(), bytes.size(), file, reason);
    });
    const int png = WalkRefusals("png_decoder_fuzz", [](const Bytes& bytes, std::string& reason) {
        return !decoders::DecodePng(bytes.data(), bytes.size(), nullptr, &reason);
    });
    const int jpeg = WalkRefusals("jpeg_decoder_fuzz", [](const Bytes& bytes, std::string& reason) {
        return !decoders::DecodeJpeg(bytes.data(), bytes.size(), &reason);
    });
    const int tga = WalkRefusals("tga_decoder_fuzz", [](const Bytes& bytes, std::string& reason) {
        return !decoders::DecodeTga(bytes.data(), bytes.size(), &reason);
    });
    EXPECT_GT(ani, 20);
    EXPECT_GT(icons, 20);
    EXPECT_GT(png, 20);
    EXPECT_GT(jpeg, 20);
    EXPECT_GT(tga, 20);
}
