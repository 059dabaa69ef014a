#include "graphics/kernels/resample.h"

#include <algorithm>
#include <cstring>

namespace pixels {

namespace {

void AddTap(AxisWeights& w, uint32_t weight) {
    w.weights.push_back(weight);
}

// Starts the next destination pixel at source index `source`.
void StartPixel(AxisWeights& w, uint32_t source) {
    w.first.push_back(source);
    w.offset.push_back(static_cast<uint32_t>(w.weights.size()));
}

// One source row after the horizontal pass: 4 sums per destination pixel, each Σ byte × x-weight.
class HorizontalRows {
public:
    HorizontalRows(const PixelView& src, Rect srcRect, const AxisWeights& xw, int dstWidth)
        : src_(src), rect_(srcRect), xw_(xw), dstWidth_(dstWidth) {
        for (auto& slot : slots_) slot.values.resize(static_cast<size_t>(dstWidth) * 4);
    }

    // The sums of source row `row` of the rectangle; the two most recent rows are kept, which is
    // all that neighbouring destination rows ever share.
    const uint32_t* Get(int row) {
        for (auto& slot : slots_)
            if (slot.row == row) return slot.values.data();
        Slot& slot = slots_[next_];
        next_ ^= 1;
        slot.row = row;
        Compute(row, slot.values.data());
        return slot.values.data();
    }

private:
    struct Slot {
        int row = -1;
        std::vector<uint32_t> values;
    };

    void Compute(int row, uint32_t* out) const {
        const uint8_t* s = src_.Pixel(rect_.x, rect_.y + row);
        for (int d = 0; d < dstWidth_; ++d, out += 4) {
            const uint8_t* p = s + static_cast<size_t>(xw_.first[d]) * 4;
            uint32_t b = 0, g = 0, r = 0, a = 0;
            for (uint32_t k = xw_.offset[d]; k < xw_.offset[d + 1]; ++k, p += 4) {
                const uint32_t w = xw_.weights[k];
                b += p[0] * w;
                g += p[1] * w;
                r += p[2] * w;
                a += p[3] * w;
            }
            out[0] = b;
            out[1] = g;
            out[2] = r;
            out[3] = a;
        }
    }

    const PixelView& src_;
    Rect rect_;
    const AxisWeights& xw_;
    int dstWidth_;
    Slot slots_[2];
    int next_ = 0;
};

}  // namespace

AxisWeights ComputeAxisWeights(int n, int m) {
    AxisWeights w;
    if (n <= 0 || m <= 0) return w;
    w.first.reserve(m);
    w.offset.reserve(static_cast<size_t>(m) + 1);
    const int64_t N = n, M = m;
    if (m == n) {
        for (int d = 0; d < m; ++d) {
            StartPixel(w, d);
            AddTap(w, kWeightOne);
        }
    } else if (m < n) {
        const uint32_t whole = static_cast<uint32_t>(M * kWeightOne / N);
        int64_t c = 0;
        StartPixel(w, 0);
        for (int i = 0; i < n; ++i) {
            if (c + M < N) {
                AddTap(w, whole);
                c += M;
            } else if (c + M == N) {
                AddTap(w, whole);
                c = 0;
                if (i + 1 < n) StartPixel(w, i + 1);
            } else {
                AddTap(w, static_cast<uint32_t>((N - c) * kWeightOne / N));
                StartPixel(w, i);
                AddTap(w, static_cast<uint32_t>((c + M - N) * kWeightOne / N));
                c = c + M - N;
            }
        }
    } else {
        int64_t c = 0;
        uint32_t s = 0;
        for (int d = 0; d < m; ++d) {
            StartPixel(w, s);
            if (c + N < M) {
                AddTap(w, kWeightOne);
                c += N;
            } else if (c + N == M) {
                AddTap(w, kWeightOne);
                c = 0;
                ++s;
            } else {
                const uint32_t part = static_cast<uint32_t>((M - c) * kWeightOne / N);
                AddTap(w, part);
                AddTap(w, kWeightOne - part);
                c = c + N - M;
                ++s;
            }
        }
    }
    w.offset.push_back(static_cast<uint32_t>(w.weights.size()));
    return w;
}

void ResampleArea(const PixelView& src, Rect srcRect, const PixelView& dst, Rect dstRect) {
    if (src.Empty() || dst.Empty() || srcRect.width <= 0 || srcRect.height <= 0 || dstRect.width <= 0 ||
        dstRect.height <= 0)
        return;
    const AxisWeights xw = ComputeAxisWeights(srcRect.width, dstRect.width);
    const AxisWeights yw = ComputeAxisWeights(srcRect.height, dstRect.height);
    HorizontalRows rows(src, srcRect, xw, dstRect.width);
    const size_t count = static_cast<size_t>(dstRect.width) * 4;
    std::vector<uint32_t> sums(count);
    for (int d = 0; d < dstRect.height; ++d) {
        std::fill(sums.begin(), sums.end(), 0u);
        int row = static_cast<int>(yw.first[d]);
        for (uint32_t k = yw.offset[d]; k < yw.offset[d + 1]; ++k, ++row) {
            const uint32_t w = yw.weights[k];
            const uint32_t* h = rows.Get(row);
            for (size_t i = 0; i < count; ++i) sums[i] += h[i] * w;
        }
        uint8_t* out = dst.Pixel(dstRect.x, dstRect.y + d);
        for (size_t i = 0; i < count; ++i) out[i] = static_cast<uint8_t>(sums[i] >> kTwoAxisShift);
    }
}

namespace {

// The rows of the width pass, made on demand; the two most recent are kept, which is all that
// neighbouring destination rows ever share.
class WidthPass {
public:
    WidthPass(const PixelView& src, int dstWidth) : src_(src), dstWidth_(dstWidth) {
        if (dstWidth < src.width) {
            mode_ = Mode::Reduce;
            weights_ = ComputeAxisWeights(src.width, dstWidth);
        } else if (dstWidth > src.width) {
            mode_ = Mode::Enlarge;
            PrepareLinear();
        }
        if (mode_ != Mode::Same)
            for (auto& slot : slots_) slot.bytes.resize(static_cast<size_t>(dstWidth) * 4);
    }

    const uint8_t* Row(int y) {
        if (mode_ == Mode::Same) return src_.Row(y);
        for (auto& slot : slots_)
            if (slot.row == y) return slot.bytes.data();
        Slot& slot = slots_[next_];
        next_ ^= 1;
        slot.row = y;
        if (mode_ == Mode::Reduce)
            Reduce(src_.Row(y), slot.bytes.data());
        else
            Enlarge(src_.Row(y), slot.bytes.data());
        return slot.bytes.data();
    }

private:
    enum class Mode { Same, Reduce, Enlarge };
    struct Slot {
        int row = -1;
        std::vector<uint8_t> bytes;
    };

    // Area reduction along the row: Σ byte × x-weight, the y-weight being a whole 4096.
    void Reduce(const uint8_t* s, uint8_t* out) const {
        for (int d = 0; d < dstWidth_; ++d, out += 4) {
            const uint8_t* p = s + static_cast<size_t>(weights_.first[d]) * 4;
            uint32_t b = 0, g = 0, r = 0, a = 0;
            for (uint32_t k = weights_.offset[d]; k < weights_.offset[d + 1]; ++k, p += 4) {
                const uint32_t w = weights_.weights[k];
                b += p[0] * w;
                g += p[1] * w;
                r += p[2] * w;
                a += p[3] * w;
            }
            out[0] = static_cast<uint8_t>(b >> kWeightBits);
            out[1] = static_cast<uint8_t>(g >> kWeightBits);
            out[2] = static_cast<uint8_t>(r >> kWeightBits);
            out[3] = static_cast<uint8_t>(a >> kWeightBits);
        }
    }

    // Column j of a frame samples the source frame at p = (old width ÷ new width) × j; positions
    // are the same in every frame and row, so they are computed once.
    void PrepareLinear() {
        frames_ = src_.FrameCount();
        srcFrame_ = src_.width / frames_;
        dstFrame_ = dstWidth_ / frames_;
        if (srcFrame_ <= 0) dstFrame_ = 0;
        const double ratio = static_cast<double>(src_.width) / dstWidth_;
        index_.resize(dstFrame_);
        next_weight_.resize(dstFrame_);
        here_weight_.resize(dstFrame_);
        for (int j = 0; j < dstFrame_; ++j) {
            const double p = ratio * j;
            const int i = std::min(static_cast<int>(p), srcFrame_ - 1);
            index_[j] = i;
            // The last column of a frame has no right neighbour and is copied (weights 0 and 1
            // would give the same bytes, but the copy is what is meant).
            next_weight_[j] = i + 1 < srcFrame_ ? p - i : -1.0;
            here_weight_[j] = i + 1 - p;
        }
    }

    void Enlarge(const uint8_t* srcRow, uint8_t* dstRow) const {
        for (int f = 0; f < frames_; ++f) {
            const uint8_t* s = srcRow + static_cast<size_t>(f) * srcFrame_ * 4;
            uint8_t* d = dstRow + static_cast<size_t>(f) * dstFrame_ * 4;
            for (int j = 0; j < dstFrame_; ++j, d += 4) {
                const uint8_t* p = s + static_cast<size_t>(index_[j]) * 4;
                const double a = next_weight_[j], b = here_weight_[j];
                if (a >= 0) {
                    for (int c = 0; c < 4; ++c) d[c] = static_cast<uint8_t>(p[4 + c] * a + p[c] * b);
                } else {
                    std::memcpy(d, p, 4);
                }
            }
        }
    }

    const PixelView& src_;
    int dstWidth_;
    Mode mode_ = Mode::Same;
    AxisWeights weights_;
    int frames_ = 1, srcFrame_ = 0, dstFrame_ = 0;
    std::vector<int> index_;
    std::vector<double> next_weight_, here_weight_;
    Slot slots_[2];
    int next_ = 0;
};

}  // namespace

void ResizeSeparable(const PixelView& src, const PixelView& dst) {
    if (src.Empty() || dst.Empty()) return;
    WidthPass rows(src, dst.width);
    const size_t count = dst.Stride();
    if (dst.height == src.height) {
        for (int y = 0; y < dst.height; ++y) std::memcpy(dst.Row(y), rows.Row(y), count);
    } else if (dst.height < src.height) {
        const AxisWeights yw = ComputeAxisWeights(src.height, dst.height);
        std::vector<uint32_t> sums(count);
        for (int d = 0; d < dst.height; ++d) {
            std::fill(sums.begin(), sums.end(), 0u);
            int y = static_cast<int>(yw.first[d]);
            for (uint32_t k = yw.offset[d]; k < yw.offset[d + 1]; ++k, ++y) {
                const uint32_t w = yw.weights[k];
                const uint8_t* row = rows.Row(y);
                for (size_t i = 0; i < count; ++i) sums[i] += row[i] * w;
            }
            uint8_t* out = dst.Row(d);
            for (size_t i = 0; i < count; ++i) out[i] = static_cast<uint8_t>(sums[i] >> kWeightBits);
        }
    } else {
        // Row i samples at p = (old height ÷ new height) × i, counted from the top.
        const double ratio = static_cast<double>(src.height) / dst.height;
        for (int i = 0; i < dst.height; ++i) {
            const double p = ratio * i;
            const int k = std::min(static_cast<int>(p), src.height - 1);
            uint8_t* out = dst.Row(i);
            if (k + 1 < src.height) {
                const uint8_t* upper = rows.Row(k);
                const uint8_t* lower = rows.Row(k + 1);
                const double a = k + 1 - p, b = p - k;
                for (size_t c = 0; c < count; ++c) out[c] = static_cast<uint8_t>(upper[c] * a + lower[c] * b);
            } else {
                std::memcpy(out, rows.Row(k), count);
            }
        }
    }
}

void TileColumns(const PixelView& src, Rect srcRect, const PixelView& dst, Rect dstRect) {
    if (srcRect.width <= 0 || srcRect.height <= 0 || dstRect.width <= 0) return;
    const int rows = std::min(srcRect.height, dstRect.height);
    for (int y = 0; y < rows; ++y) {
        const uint8_t* s = src.Pixel(srcRect.x, srcRect.y + y);
        uint8_t* d = dst.Pixel(dstRect.x, dstRect.y + y);
        for (int x = 0; x < dstRect.width; x += srcRect.width) {
            const int n = std::min(srcRect.width, dstRect.width - x);
            std::memcpy(d + static_cast<size_t>(x) * 4, s, static_cast<size_t>(n) * 4);
        }
    }
}

void TileRows(const PixelView& src, Rect srcRect, const PixelView& dst, Rect dstRect) {
    if (srcRect.width <= 0 || srcRect.height <= 0 || dstRect.height <= 0) return;
    const size_t bytes = static_cast<size_t>(std::min(srcRect.width, dstRect.width)) * 4;
    for (int y = 0; y < dstRect.height; ++y)
        std::memcpy(dst.Pixel(dstRect.x, dstRect.y + y), src.Pixel(srcRect.x, srcRect.y + y % srcRect.height), bytes);
}

void CopyRect(const PixelView& src, int srcX, int srcY, const PixelView& dst, int dstX, int dstY, int width,
              int height) {
    if (width <= 0 || height <= 0) return;
    for (int y = 0; y < height; ++y)
        std::memcpy(dst.Pixel(dstX, dstY + y), src.Pixel(srcX, srcY + y), static_cast<size_t>(width) * 4);
}

}  // namespace pixels
