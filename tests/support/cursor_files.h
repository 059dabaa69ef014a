#pragma once
// Writes Windows icon, cursor and animated cursor files in memory for the decoder and import
// tests, straight from the file layouts and independent of the decoders under test.
#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "tests/support/image_files.h"

namespace cursorfiles {

using imagefiles::Image;
using imagefiles::Rgba;

struct Entry {
    int width = 0;
    int height = 0;
    // 1, 4, 8, 24 or 32 for a bitmap entry, 0 for a PNG entry.
    int bits = 32;
    // 32 bits only: true stores the alpha bytes; false stores alpha 0 and lets the mask say.
    bool alpha = true;
    Image pixels;  // top row first; below 32 bits alpha must be 0 (transparent) or 255
    int hotX = 0;
    int hotY = 0;
};

namespace detail {

inline void Le(std::string& out, uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(char(v >> (8 * i)));
}

inline uint32_t Key(const Rgba& p) {
    return uint32_t(p.r) << 16 | uint32_t(p.g) << 8 | p.b;
}

}  // namespace detail

// The bitmap of an entry: header (height doubled), palette, colour rows, mask rows. Transparent
// pixels get black colour bits and a set mask bit. The palette starts with black and then lists
// the opaque colours in order of first appearance.
inline std::string EncodeDib(const Entry& e) {
    using detail::Le;
    std::vector<uint32_t> palette;
    if (e.bits <= 8) {
        palette.push_back(0);
        for (const Rgba& p : e.pixels) {
            const uint32_t key = detail::Key(p);
            if (p.a != 0 && std::find(palette.begin(), palette.end(), key) == palette.end()) palette.push_back(key);
        }
    }
    std::string dib;
    Le(dib, 40, 4);
    Le(dib, uint32_t(e.width), 4);
    Le(dib, uint32_t(e.height * 2), 4);
    Le(dib, 1, 2);
    Le(dib, uint32_t(e.bits), 2);
    Le(dib, 0, 4);
    Le(dib, 0, 4);
    Le(dib, 0, 4);
    Le(dib, 0, 4);
    Le(dib, uint32_t(palette.size()), 4);
    Le(dib, 0, 4);
    for (uint32_t colour : palette) Le(dib, colour, 4);  // blue, green, red, 0
    const size_t stride = (size_t(e.width) * e.bits + 31) / 32 * 4;
    const size_t maskStride = (size_t(e.width) + 31) / 32 * 4;
    for (int y = e.height - 1; y >= 0; --y) {
        std::string row(stride, '\0');
        for (int x = 0; x < e.width; ++x) {
            const Rgba& p = e.pixels[size_t(y) * e.width + x];
            const bool clear = p.a == 0 && !(e.bits == 32 && e.alpha);
            if (e.bits == 32) {
                const uint8_t a = e.alpha ? p.a : 0;
                const Rgba c = clear ? Rgba{0, 0, 0, 0} : p;
                row[4 * x] = char(c.b), row[4 * x + 1] = char(c.g), row[4 * x + 2] = char(c.r),
                        row[4 * x + 3] = char(a);
            } else if (e.bits == 24) {
                const Rgba c = clear ? Rgba{0, 0, 0, 0} : p;
                row[3 * x] = char(c.b), row[3 * x + 1] = char(c.g), row[3 * x + 2] = char(c.r);
            } else {
                const uint32_t index =
                    clear ? 0 : uint32_t(std::find(palette.begin(), palette.end(), detail::Key(p)) - palette.begin());
                const int bitPos = x * e.bits;
                row[bitPos / 8] = char(uint8_t(row[bitPos / 8]) | index << (8 - e.bits - bitPos % 8));
            }
        }
        dib += row;
    }
    for (int y = e.height - 1; y >= 0; --y) {
        std::string row(maskStride, '\0');
        for (int x = 0; x < e.width; ++x) {
            const Rgba& p = e.pixels[size_t(y) * e.width + x];
            const bool clear = p.a == 0 && !(e.bits == 32 && e.alpha);
            if (clear) row[x / 8] = char(uint8_t(row[x / 8]) | 0x80 >> (x % 8));
        }
        dib += row;
    }
    return dib;
}

inline std::string EncodeEntry(const Entry& e) {
    return e.bits == 0 ? imagefiles::EncodePng(e.width, e.height, e.pixels) : EncodeDib(e);
}

// A directory of type 1 (icon) or 2 (cursor) followed by the images in order. images, when given,
// replaces the encoded image of each entry (for damaged entries).
inline std::string EncodeIconFile(int type, const std::vector<Entry>& entries,
                                  const std::vector<std::string>& images = {}) {
    using detail::Le;
    std::vector<std::string> data;
    for (size_t i = 0; i < entries.size(); ++i) data.push_back(i < images.size() ? images[i] : EncodeEntry(entries[i]));
    std::string file;
    Le(file, 0, 2);
    Le(file, uint32_t(type), 2);
    Le(file, uint32_t(entries.size()), 2);
    uint32_t offset = uint32_t(6 + 16 * entries.size());
    for (size_t i = 0; i < entries.size(); ++i) {
        const Entry& e = entries[i];
        file.push_back(char(e.width >= 256 ? 0 : e.width));
        file.push_back(char(e.height >= 256 ? 0 : e.height));
        file.push_back(0);
        file.push_back(0);
        Le(file, uint32_t(type == 2 ? e.hotX : 1), 2);
        Le(file, uint32_t(type == 2 ? e.hotY : (e.bits ? e.bits : 32)), 2);
        Le(file, uint32_t(data[i].size()), 4);
        Le(file, offset, 4);
        offset += uint32_t(data[i].size());
    }
    for (const std::string& image : data) file += image;
    return file;
}

inline std::string EncodeCursor(const std::vector<Entry>& entries) {
    return EncodeIconFile(2, entries);
}

struct Animation {
    std::vector<std::string> frames;  // whole icon or cursor files
    uint32_t displayRate = 10;        // jiffies
    std::optional<std::vector<uint32_t>> rate;
    std::optional<std::vector<uint32_t>> sequence;
    // Header counts; 0 takes the number of frames and of steps.
    uint32_t claimedFrames = 0;
    uint32_t claimedSteps = 0;
};

inline std::string Chunk(const std::string& id, const std::string& data) {
    std::string chunk = id;
    detail::Le(chunk, uint32_t(data.size()), 4);
    chunk += data;
    if (data.size() % 2) chunk.push_back('\0');
    return chunk;
}

inline std::string EncodeAni(const Animation& a) {
    using detail::Le;
    const size_t steps = a.sequence ? a.sequence->size() : a.rate ? a.rate->size() : a.frames.size();
    std::string header;
    Le(header, 36, 4);
    Le(header, a.claimedFrames ? a.claimedFrames : uint32_t(a.frames.size()), 4);
    Le(header, a.claimedSteps ? a.claimedSteps : uint32_t(steps), 4);
    for (int i = 0; i < 4; ++i) Le(header, 0, 4);  // width, height, bits, planes: unused for icon frames
    Le(header, a.displayRate, 4);
    Le(header, a.sequence ? 3 : 1, 4);  // frames are icons; a sequence follows
    std::string form = "ACON" + Chunk("anih", header);
    auto table = [](const std::vector<uint32_t>& values) {
        std::string data;
        for (uint32_t v : values) Le(data, v, 4);
        return data;
    };
    if (a.rate) form += Chunk("rate", table(*a.rate));
    if (a.sequence) form += Chunk("seq ", table(*a.sequence));
    std::string list = "fram";
    for (const std::string& frame : a.frames) list += Chunk("icon", frame);
    form += Chunk("LIST", list);
    return Chunk("RIFF", form);
}

}  // namespace cursorfiles
