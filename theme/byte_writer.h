#pragma once
// Appends little-endian values to a byte vector it does not own, and patches values already
// written at a known offset (sizes and offsets filled in once the data after them is known).
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

class ByteWriter {
public:
    explicit ByteWriter(std::vector<uint8_t>& out) : out_(out) {}

    size_t Position() const { return out_.size(); }

    void U32(uint32_t value) { Put(value); }
    void I32(int32_t value) { Put(static_cast<uint32_t>(value)); }
    void F64(double value) {
        uint64_t bits;
        std::memcpy(&bits, &value, sizeof bits);
        Put(bits);
    }
    void Bytes(const uint8_t* data, size_t count) {
        if (count) out_.insert(out_.end(), data, data + count);
    }
    void Zeros(size_t count) { out_.insert(out_.end(), count, 0); }

    // UTF-16LE code units (one per wchar_t element) and a terminating NUL.
    void Utf16z(const std::wstring& text) {
        for (wchar_t c : text) {
            uint32_t unit = static_cast<uint32_t>(c) & 0xFFFF;
            out_.push_back(static_cast<uint8_t>(unit));
            out_.push_back(static_cast<uint8_t>(unit >> 8));
        }
        out_.push_back(0);
        out_.push_back(0);
    }

    // Overwrites four bytes at an offset already written.
    void PatchU32(size_t offset, uint32_t value) {
        for (int i = 0; i < 4; ++i) out_[offset + i] = static_cast<uint8_t>(value >> (8 * i));
    }

private:
    template <typename T>
    void Put(T value) {
        for (size_t i = 0; i < sizeof(T); ++i) out_.push_back(static_cast<uint8_t>(value >> (8 * i)));
    }

    std::vector<uint8_t>& out_;
};
