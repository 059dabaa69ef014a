#pragma once
// Sequential zlib inflation of one in-memory stream, in pieces the caller asks for: the theme
// reader inflates a data block record by record, straight into each image's pixels, instead of
// inflating the whole block into a buffer first.
#include <zlib.h>

#include <cstddef>
#include <cstdint>
#include <vector>

class InflateStream {
public:
    InflateStream(const uint8_t* packed, size_t size);
    ~InflateStream();
    InflateStream(const InflateStream&) = delete;
    InflateStream& operator=(const InflateStream&) = delete;

    // Produces exactly count bytes into out. False (sticky) on a damaged stream or one that ends early.
    bool Read(uint8_t* out, uint64_t count);
    // Produces count bytes and drops them.
    bool Skip(uint64_t count);
    // True when the stream ends exactly here (checksum verified) with no further output.
    bool AtEnd();
    uint64_t Produced() const { return produced_; }

private:
    z_stream z_{};
    bool ok_ = false;
    uint64_t produced_ = 0;
    std::vector<uint8_t> scratch_;
};
