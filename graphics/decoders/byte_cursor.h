#pragma once
// A bounds-checked little-endian cursor over bytes it does not own, for the decoders of files
// that arrive from strangers. The first failed check records a one-line reason and sets a sticky
// error; later reads return zeros and keep the first reason, so a decoder reads on and tests Ok()
// where it suits it. Offsets are 64-bit so that values from the file cannot wrap.
#include <cstddef>
#include <cstdint>
#include <string>

namespace decoders {

class ByteCursor {
public:
    ByteCursor(const uint8_t* data, size_t size) : data_(data), size_(size) {}

    bool Ok() const { return reason_.empty(); }
    const std::string& Reason() const { return reason_; }
    // Records the reason unless an earlier one is kept; always returns false.
    bool Fail(const std::string& reason) {
        if (reason_.empty()) reason_ = reason.empty() ? "malformed data" : reason;
        return false;
    }

    size_t Size() const { return size_; }
    uint64_t Position() const { return pos_; }
    uint64_t Remaining() const { return pos_ < size_ ? size_ - pos_ : 0; }
    const uint8_t* Data() const { return data_; }
    bool Contains(uint64_t offset, uint64_t count) const { return offset <= size_ && count <= size_ - offset; }

    // Moves to an absolute position; past the end fails with what.
    bool Seek(uint64_t offset, const char* what) {
        if (!Ok()) return false;
        if (offset > size_) return Fail(std::string(what) + " lies past the end of the data");
        pos_ = offset;
        return true;
    }
    bool Skip(uint64_t count, const char* what) { return Seek(pos_ + count, what); }

    uint8_t U8(const char* what) { return static_cast<uint8_t>(Take(1, what)); }
    uint16_t U16(const char* what) { return static_cast<uint16_t>(Take(2, what)); }
    uint32_t U32(const char* what) { return static_cast<uint32_t>(Take(4, what)); }
    int32_t I32(const char* what) { return static_cast<int32_t>(U32(what)); }

    // count bytes at the position (which moves past them), or null when they are not all there.
    const uint8_t* Bytes(uint64_t count, const char* what) {
        if (!Ok()) return nullptr;
        if (!Contains(pos_, count)) {
            Fail(std::string(what) + " runs past the end of the data");
            return nullptr;
        }
        const uint8_t* p = data_ + pos_;
        pos_ += count;
        return p;
    }

private:
    uint64_t Take(int bytes, const char* what) {
        const uint8_t* p = Bytes(static_cast<uint64_t>(bytes), what);
        if (!p) return 0;
        uint64_t value = 0;
        for (int i = 0; i < bytes; ++i) value |= static_cast<uint64_t>(p[i]) << (8 * i);
        return value;
    }

    const uint8_t* data_;
    size_t size_;
    uint64_t pos_ = 0;
    std::string reason_;
};

}  // namespace decoders
