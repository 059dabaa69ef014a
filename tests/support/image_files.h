#pragma once
// Encodes small PNG (RGBA, 8 bits) and BMP (24 bits) files in memory for tests that need image
// files on disk, without depending on the decoders under test.
#include <zlib.h>

#include <cstdint>
#include <string>
#include <vector>

namespace imagefiles {

struct Rgba {
    uint8_t r, g, b, a;
};

// Pixels top row first.
using Image = std::vector<Rgba>;

inline Image Solid(int width, int height, Rgba colour) {
    return Image(size_t(width) * height, colour);
}

namespace detail {

inline void PutBe32(std::string& out, uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back(char(v >> shift));
}

inline void PutLe(std::string& out, uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(char(v >> (8 * i)));
}

inline void Chunk(std::string& out, const char* type, const std::string& data) {
    PutBe32(out, uint32_t(data.size()));
    const std::string typed = std::string(type, 4) + data;
    out += typed;
    PutBe32(out, uint32_t(crc32(0, reinterpret_cast<const Bytef*>(typed.data()), uInt(typed.size()))));
}

}  // namespace detail

inline std::string EncodePng(int width, int height, const Image& pixels) {
    std::string raw;
    for (int y = 0; y < height; ++y) {
        raw.push_back('\0');  // filter: none
        for (int x = 0; x < width; ++x) {
            const Rgba& p = pixels[size_t(y) * width + x];
            raw += {char(p.r), char(p.g), char(p.b), char(p.a)};
        }
    }
    uLongf packedSize = compressBound(uLong(raw.size()));
    std::string packed(packedSize, '\0');
    compress2(reinterpret_cast<Bytef*>(&packed[0]), &packedSize, reinterpret_cast<const Bytef*>(raw.data()),
              uLong(raw.size()), 6);
    packed.resize(packedSize);

    std::string header;
    detail::PutBe32(header, uint32_t(width));
    detail::PutBe32(header, uint32_t(height));
    header += {8, 6, 0, 0, 0};  // 8 bits, RGBA, deflate, no filter choice, not interlaced
    std::string png = "\x89PNG\r\n\x1a\n";
    detail::Chunk(png, "IHDR", header);
    detail::Chunk(png, "IDAT", packed);
    detail::Chunk(png, "IEND", "");
    return png;
}

// 24 bits per pixel, rows bottom first, each padded to four bytes; alpha is dropped.
inline std::string EncodeBmp(int width, int height, const Image& pixels) {
    const uint32_t stride = (uint32_t(width) * 3 + 3) & ~3u;
    const uint32_t dataSize = stride * uint32_t(height);
    std::string bmp = "BM";
    detail::PutLe(bmp, 54 + dataSize, 4);
    detail::PutLe(bmp, 0, 4);
    detail::PutLe(bmp, 54, 4);
    detail::PutLe(bmp, 40, 4);
    detail::PutLe(bmp, uint32_t(width), 4);
    detail::PutLe(bmp, uint32_t(height), 4);
    detail::PutLe(bmp, 1, 2);
    detail::PutLe(bmp, 24, 2);
    detail::PutLe(bmp, 0, 4);
    detail::PutLe(bmp, dataSize, 4);
    detail::PutLe(bmp, 2835, 4);
    detail::PutLe(bmp, 2835, 4);
    detail::PutLe(bmp, 0, 4);
    detail::PutLe(bmp, 0, 4);
    for (int y = height - 1; y >= 0; --y) {
        std::string row;
        for (int x = 0; x < width; ++x) {
            const Rgba& p = pixels[size_t(y) * width + x];
            row += {char(p.b), char(p.g), char(p.r)};
        }
        row.resize(stride, '\0');
        bmp += row;
    }
    return bmp;
}

}  // namespace imagefiles
