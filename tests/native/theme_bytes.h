#pragma once
// Builds theme files byte by byte for the reader and writer tests, independently of the writer.
#include <zlib.h>

#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "theme/byte_writer.h"

namespace themebytes {

struct Animation {
    uint32_t frames = 1;
    uint32_t width = 0;
    uint32_t height = 0;
    uint32_t interval = 100;
    uint32_t flags = 0;
    int32_t hotX = 0;
    int32_t hotY = 0;
    std::wstring script;
    std::vector<uint8_t> pixels;  // width * height * 4, or empty for none
};

// width x height pixels whose bytes count up from seed, so every image is distinct.
inline std::vector<uint8_t> Pixels(uint32_t width, uint32_t height, uint8_t seed) {
    std::vector<uint8_t> p(size_t(width) * height * 4);
    for (size_t i = 0; i < p.size(); ++i) p[i] = static_cast<uint8_t>(seed + i * 7);
    return p;
}

inline std::vector<uint8_t> Utf16z(const std::wstring& text) {
    std::vector<uint8_t> out;
    ByteWriter(out).Utf16z(text);
    return out;
}

// A cursor record: 88 bytes with the scale (version 2003), 80 without.
inline std::vector<uint8_t> Cursor(uint32_t role, uint32_t event, const Animation& a, double scale = 1.0,
                                   bool withScale = true, uint32_t hasImage = 1) {
    std::vector<uint8_t> out;
    ByteWriter w(out);
    const uint32_t fixed = withScale ? 88 : 80;
    std::vector<uint8_t> script = a.script.empty() ? std::vector<uint8_t>{} : Utf16z(a.script);
    w.U32(2);
    w.U32(fixed);
    w.U32(static_cast<uint32_t>(fixed + script.size() + a.pixels.size()));
    w.U32(3);
    w.U32(role);
    w.U32(event);
    w.U32(hasImage);
    w.U32(a.frames);
    w.U32(a.width);
    w.U32(a.height);
    w.U32(a.interval);
    w.U32(a.flags);
    w.U32(0);
    w.I32(a.hotX);
    w.I32(a.hotY);
    w.U32(static_cast<uint32_t>(fixed + script.size()));
    w.U32(static_cast<uint32_t>(a.pixels.size()));
    w.U32(fixed);
    w.U32(static_cast<uint32_t>(script.size()));
    w.U32(0);
    if (withScale) w.F64(scale);
    w.Bytes(script.data(), script.size());
    w.Bytes(a.pixels.data(), a.pixels.size());
    return out;
}

// A click-effect (type 4) or trail (type 8) record. Trails of record version 3 carry the rate.
inline std::vector<uint8_t> Effect(uint32_t type, uint32_t key, const Animation& a, uint32_t recordVersion,
                                   std::optional<int32_t> rate = std::nullopt) {
    std::vector<uint8_t> out;
    ByteWriter w(out);
    const uint32_t fixed = rate ? 100 : 68;
    std::vector<uint8_t> script = a.script.empty() ? std::vector<uint8_t>{} : Utf16z(a.script);
    w.U32(type);
    w.U32(fixed);
    w.U32(static_cast<uint32_t>(fixed + script.size() + a.pixels.size()));
    w.U32(recordVersion);
    w.U32(key);
    w.U32(a.frames);
    w.U32(a.width);
    w.U32(a.height);
    w.U32(a.interval);
    w.U32(a.flags);
    w.U32(0);
    w.I32(a.hotX);
    w.I32(a.hotY);
    w.U32(static_cast<uint32_t>(fixed + script.size()));
    w.U32(static_cast<uint32_t>(a.pixels.size()));
    w.U32(fixed);
    w.U32(static_cast<uint32_t>(script.size()));
    if (rate) {
        w.I32(*rate);
        w.Zeros(28);
    }
    w.Bytes(script.data(), script.size());
    w.Bytes(a.pixels.data(), a.pixels.size());
    return out;
}

inline std::vector<uint8_t> Sound(uint32_t key, const std::vector<uint8_t>& bytes, uint32_t recordVersion = 1) {
    std::vector<uint8_t> out;
    ByteWriter w(out);
    w.U32(16);
    w.U32(28);
    w.U32(static_cast<uint32_t>(28 + bytes.size()));
    w.U32(recordVersion);
    w.U32(key);
    w.U32(28);
    w.U32(static_cast<uint32_t>(bytes.size()));
    w.Bytes(bytes.data(), bytes.size());
    return out;
}

// Any record: the four common fields, then body bytes.
inline std::vector<uint8_t> Raw(uint32_t type, uint32_t total, const std::vector<uint8_t>& body = {}) {
    std::vector<uint8_t> out;
    ByteWriter w(out);
    w.U32(type);
    w.U32(16);
    w.U32(total);
    w.U32(1);
    w.Bytes(body.data(), body.size());
    return out;
}

struct File {
    uint32_t version = 2003;
    std::optional<std::wstring> texts[6];
    std::vector<std::vector<uint8_t>> records;
    bool compress = false;
    uint32_t premultiplied = 0;
    uint32_t optionLock = 0;
};

inline std::vector<uint8_t> Build(const File& f) {
    std::vector<uint8_t> block;
    ByteWriter b(block);
    uint32_t slots[12] = {};
    for (int i = 0; i < 6; ++i) {
        if (!f.texts[i]) continue;
        slots[2 * i] = static_cast<uint32_t>(block.size());
        b.Utf16z(*f.texts[i]);
        slots[2 * i + 1] = static_cast<uint32_t>(block.size()) - slots[2 * i];
    }
    const uint32_t firstRecord = static_cast<uint32_t>(block.size());
    for (const auto& r : f.records) b.Bytes(r.data(), r.size());

    std::vector<uint8_t> stored = block;
    uint32_t compressed = 0;
    if (f.compress) {
        uLongf size = compressBound(block.size());
        stored.assign(size, 0);
        compress2(stored.data(), &size, block.data(), block.size(), 9);
        stored.resize(size);
        compressed = static_cast<uint32_t>(size);
    }
    std::vector<uint8_t> file;
    ByteWriter w(file);
    w.U32(1);
    w.U32(184);
    w.U32(static_cast<uint32_t>(block.size()));
    w.U32(f.version);
    w.Zeros(88);
    w.U32(0);
    w.U32(f.optionLock);
    w.U32(0);
    w.U32(1);
    w.U32(compressed);
    w.U32(0);
    w.U32(f.premultiplied);
    for (uint32_t s : slots) w.U32(s);
    w.U32(firstRecord);
    w.Bytes(stored.data(), stored.size());
    return file;
}

inline void PutU32(std::vector<uint8_t>& bytes, size_t at, uint32_t value) {
    for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<uint8_t>(value >> (8 * i));
}

}  // namespace themebytes
