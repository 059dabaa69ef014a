#include "theme/inflate_stream.h"

#include <algorithm>
#include <climits>

InflateStream::InflateStream(const uint8_t* packed, size_t size) {
    z_.next_in = const_cast<Bytef*>(packed);
    z_.avail_in = static_cast<uInt>(std::min<size_t>(size, UINT_MAX));
    ok_ = inflateInit(&z_) == Z_OK;
}

InflateStream::~InflateStream() {
    inflateEnd(&z_);
}

bool InflateStream::Read(uint8_t* out, uint64_t count) {
    while (ok_ && count > 0) {
        const uInt chunk = static_cast<uInt>(std::min<uint64_t>(count, UINT_MAX));
        z_.next_out = out;
        z_.avail_out = chunk;
        const int status = inflate(&z_, Z_NO_FLUSH);
        const uInt made = chunk - z_.avail_out;
        produced_ += made;
        out += made;
        count -= made;
        // The whole input is there, so a call that makes no progress means a cut or damaged
        // stream, and the end of the stream before count bytes means a short block.
        if (status == Z_STREAM_END ? count > 0 : (status != Z_OK || made == 0)) ok_ = false;
    }
    return ok_;
}

bool InflateStream::Skip(uint64_t count) {
    if (scratch_.empty()) scratch_.resize(64 * 1024);
    while (ok_ && count > 0) {
        const uint64_t piece = std::min<uint64_t>(count, scratch_.size());
        Read(scratch_.data(), piece);
        count -= piece;
    }
    return ok_;
}

bool InflateStream::AtEnd() {
    if (!ok_) return false;
    uint8_t extra;
    z_.next_out = &extra;
    z_.avail_out = 1;
    return inflate(&z_, Z_FINISH) == Z_STREAM_END && z_.avail_out == 1;
}
