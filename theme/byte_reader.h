#pragma once
// A bounds-checked little-endian reader over a byte range it does not own. Every read checks that
// the bytes exist; the first failed check sets a sticky error, after which reads return zeros and
// the caller tests Ok() once at a convenient point. Positions and sizes are 64-bit so that offsets
// from untrusted data cannot wrap.
#include <cstddef>
#include <cstdint>
#include <cstring>

class ByteReader {
public:
    ByteReader(const uint8_t* data, size_t size) : data_(data), size_(size) {}

    bool Ok() const { return ok_; }
    void Fail() { ok_ = false; }
    size_t Size() const { return size_; }
    size_t Position() const { return pos_; }
    size_t Remaining() const { return pos_ <= size_ ? size_ - pos_ : 0; }
    const uint8_t* Data() const { return data_; }

    // True when count bytes from offset lie inside the range (without reading or failing).
    bool Contains(uint64_t offset, uint64_t count) const { return offset <= size_ && count <= size_ - offset; }

    // Moves to an absolute position; past the end fails.
    void Seek(uint64_t offset) {
        if (!ok_ || offset > size_) return Fail();
        pos_ = static_cast<size_t>(offset);
    }

    uint32_t U32() { return Take<uint32_t>(); }
    int32_t I32() { return static_cast<int32_t>(Take<uint32_t>()); }
    double F64() {
        uint64_t bits = Take<uint64_t>();
        double value;
        std::memcpy(&value, &bits, sizeof value);
        return value;
    }

    // The value at an absolute offset, leaving the position alone.
    uint32_t U32At(uint64_t offset) {
        if (!ok_ || !Contains(offset, 4)) {
            Fail();
            return 0;
        }
        return Load<uint32_t>(data_ + offset);
    }
    int32_t I32At(uint64_t offset) { return static_cast<int32_t>(U32At(offset)); }
    double F64At(uint64_t offset) {
        if (!ok_ || !Contains(offset, 8)) {
            Fail();
            return 0.0;
        }
        uint64_t bits = Load<uint64_t>(data_ + offset);
        double value;
        std::memcpy(&value, &bits, sizeof value);
        return value;
    }

    // A pointer to count bytes at offset, or null (and the error set) when they are not all there.
    const uint8_t* BytesAt(uint64_t offset, uint64_t count) {
        if (!ok_ || !Contains(offset, count)) {
            Fail();
            return nullptr;
        }
        return data_ + offset;
    }

private:
    template <typename T>
    static T Load(const uint8_t* p) {
        T value = 0;
        for (size_t i = 0; i < sizeof(T); ++i) value |= static_cast<T>(p[i]) << (8 * i);
        return value;
    }

    template <typename T>
    T Take() {
        if (!ok_ || !Contains(pos_, sizeof(T))) {
            Fail();
            return 0;
        }
        T value = Load<T>(data_ + pos_);
        pos_ += sizeof(T);
        return value;
    }

    const uint8_t* data_;
    size_t size_;
    size_t pos_ = 0;
    bool ok_ = true;
};
