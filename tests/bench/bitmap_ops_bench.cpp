// Figures for the pixel operations on a cursor-sized animation strip: 24 frames of 64 × 64.
// tests/bench/bitmap_ops_vs_pillow.py times the nearest operations of Pillow on the same sizes
// and prints the ratios.
#include <benchmark/benchmark.h>

#include <cstring>

#include "graphics/hv_bitmap.h"
#include "graphics/kernels/alpha.h"
#include "graphics/kernels/blend.h"

namespace {

constexpr int kFrames = 24;
constexpr int kFrameSide = 64;

// A strip of round cursors with soft edges and varied colours; the Pillow script builds the same.
HVBitmap MakeStrip() {
    HVBitmap b(kFrames * kFrameSide, kFrameSide, HVB_ALPHA);
    b.SetFrameCount(kFrames);
    for (int y = 0; y < kFrameSide; ++y) {
        uint8_t* row = b.Bits() + static_cast<size_t>(kFrameSide - 1 - y) * b.Width() * 4;
        for (int x = 0; x < b.Width(); ++x) {
            const int f = x / kFrameSide, fx = x % kFrameSide;
            const int dx = fx - 32, dy = y - 32, d2 = dx * dx + dy * dy;
            uint8_t* p = row + x * 4;
            p[0] = static_cast<uint8_t>(fx * 7 + f * 13);
            p[1] = static_cast<uint8_t>(y * 5 + fx);
            p[2] = static_cast<uint8_t>(fx * y + f);
            p[3] = d2 < 24 * 24 ? 255 : (d2 < 28 * 28 ? 128 : 0);
        }
    }
    return b;
}

const HVBitmap& Strip() {
    static const HVBitmap strip = MakeStrip();
    return strip;
}

// Resize by a factor: every frame to int(64 ÷ factor) or int(64 × factor) pixels a side.
void ResizeBy(benchmark::State& state, double factor) {
    const int side = static_cast<int>(kFrameSide * factor);
    for (auto _ : state) {
        HVBitmap b(Strip());
        b.Resize(side * kFrames, side);
        benchmark::DoNotOptimize(b.Bits());
    }
    state.counters["side"] = side;
}

void BM_CopyStrip(benchmark::State& state) {
    for (auto _ : state) {
        HVBitmap b(Strip());
        benchmark::DoNotOptimize(b.Bits());
    }
}
BENCHMARK(BM_CopyStrip)->Unit(benchmark::kMicrosecond);

void BM_ResizeReduce1_25(benchmark::State& state) {
    ResizeBy(state, 1 / 1.25);
}
void BM_ResizeReduce2_5(benchmark::State& state) {
    ResizeBy(state, 1 / 2.5);
}
void BM_ResizeEnlarge1_25(benchmark::State& state) {
    ResizeBy(state, 1.25);
}
void BM_ResizeEnlarge2_5(benchmark::State& state) {
    ResizeBy(state, 2.5);
}
BENCHMARK(BM_ResizeReduce1_25)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ResizeReduce2_5)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ResizeEnlarge1_25)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ResizeEnlarge2_5)->Unit(benchmark::kMicrosecond);

void BM_AddShadowBlur12(benchmark::State& state) {
    for (auto _ : state) {
        HVBitmap b(Strip());
        b.SetPremultiplied(true);
        b.AddShadow(3, 3, 12, 128, 0, nullptr, nullptr, false);
        benchmark::DoNotOptimize(b.Bits());
    }
}
BENCHMARK(BM_AddShadowBlur12)->Unit(benchmark::kMicrosecond);

void BM_AdjustColorHue(benchmark::State& state) {
    for (auto _ : state) {
        HVBitmap b(Strip());
        b.AdjustColor(40, 0, 0);
        benchmark::DoNotOptimize(b.Bits());
    }
}
BENCHMARK(BM_AdjustColorHue)->Unit(benchmark::kMicrosecond);

void BM_AdjustColorBrightnessContrast(benchmark::State& state) {
    for (auto _ : state) {
        HVBitmap b(Strip());
        b.AdjustColor(0, 20, 30);
        benchmark::DoNotOptimize(b.Bits());
    }
}
BENCHMARK(BM_AdjustColorBrightnessContrast)->Unit(benchmark::kMicrosecond);

// The kernel alone: the bitmap operation does the same work once and then only sets a flag.
void BM_Premultiply(benchmark::State& state) {
    HVBitmap b(Strip());
    for (auto _ : state) {
        std::memcpy(b.Bits(), Strip().Bits(), static_cast<size_t>(b.Width()) * b.Height() * 4);
        pixels::PremultiplyAlpha(b.View());
        benchmark::DoNotOptimize(b.Bits());
    }
}
BENCHMARK(BM_Premultiply)->Unit(benchmark::kMicrosecond);

// The software Draw: the strip blended over an opaque background of the same size.
void SoftwareDraw(benchmark::State& state, int opacity) {
    HVBitmap source(Strip());
    source.Premultiply();
    HVBitmap target(source.Width(), source.Height(), HVB_ALPHA);
    for (auto _ : state) {
        std::memset(target.Bits(), 0x80, static_cast<size_t>(target.Width()) * target.Height() * 4);
        pixels::BlendOver(target.View(), 0, 0, source.View(), 0, 0, source.Width(), source.Height(), opacity);
        benchmark::DoNotOptimize(target.Bits());
    }
}
void BM_SoftwareDrawOpaque(benchmark::State& state) {
    SoftwareDraw(state, 255);
}
void BM_SoftwareDrawOpacity200(benchmark::State& state) {
    SoftwareDraw(state, 200);
}
BENCHMARK(BM_SoftwareDrawOpaque)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SoftwareDrawOpacity200)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
