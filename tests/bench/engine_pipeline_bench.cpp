// The engine's portable work on a reload, against reading the theme alone: read, rescale to the
// display's scale, then draw and encode every system cursor's file, for a theme of 20 roles at two
// scales with 30-frame animations (32 and 64 pixels). The engine's goal is a reload costing at most
// twice the read; the Win32 half (writing the files, handing them to the system) is measured under
// Wine by engine_reload.py. The ratios are printed after the benchmark table.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <thread>
#include <vector>

#include "engine/cursor_build.h"
#include "engine/cursor_cache.h"
#include "graphics/hv_bitmap.h"
#include "theme/theme_image.h"
#include "theme/theme_reader.h"
#include "theme/theme_writer.h"

namespace {

constexpr int kRoles = 20;
constexpr int kFrames = 30;
constexpr int kSides[] = {32, 64};  // scale 1 and scale 2

// A moving disc with a little grain on a transparent ground, so the data compresses as drawings do.
void PaintStrip(uint8_t* p, int side, int role) {
    uint32_t noise = 0x9E3779B9u * uint32_t(role + 1);
    for (int y = 0; y < side; ++y) {
        for (int x = 0; x < kFrames * side; ++x, p += 4) {
            const int frame = x / side;
            const double angle = 6.2831853 * frame / kFrames;
            const double dx = x % side - side / 2.0 - std::cos(angle) * side / 6;
            const double dy = y - side / 2.0 - std::sin(angle) * side / 6;
            const double d = std::sqrt(dx * dx + dy * dy) / (side / 4.0);
            noise = noise * 1664525u + 1013904223u;
            const uint8_t alpha = d < 1 ? 230 : d < 1.2 ? 255 : 0;
            const uint8_t grain = uint8_t((noise >> 24) & 7);
            p[0] = alpha ? uint8_t(40 + role * 9 + grain) : 0;
            p[1] = alpha ? uint8_t(90 + frame * 5) : 0;
            p[2] = alpha ? uint8_t(200 + grain) : 0;
            p[3] = alpha;
        }
    }
}

const std::vector<uint8_t>& ThemeFile() {
    static const std::vector<uint8_t> file = [] {
        CTheme theme;
        theme.name = L"Engine benchmark";
        for (int s = 0; s < 2; ++s) {
            const int side = kSides[s];
            for (int role = 0; role < kRoles; ++role) {
                auto* bitmap = new HVBitmap(kFrames * side, side, HVB_ALPHA);
                PaintStrip(bitmap->Bits(), side, role);
                CCursor cursor;
                cursor.role = uint32_t(role);
                cursor.frames = kFrames;
                cursor.interval = 50;
                cursor.loop = 1;
                cursor.hotSpotX = cursor.hotSpotY = 2 * (s + 1);
                cursor.scale = s + 1;
                cursor.stored = 1;
                cursor.image = MakeAnimationState(CursorStateName(uint32_t(role), 1), bitmap, cursor, true);
                theme.AddCursor(std::move(cursor));
            }
        }
        // Uncompressed, as the settings tool writes the current theme.
        std::vector<uint8_t> out;
        WriteThemeBytes(theme, out);
        return out;
    }();
    return file;
}

void Read(CTheme& theme) {
    if (!ReadThemeBytes(theme, ThemeFile(), L"bench.morvanta", false).ok) std::abort();
}

// What a reload does before it writes files: read, rescale, draw and encode.
size_t Reload() {
    CTheme theme;
    Read(theme);
    theme.currentScale = 0;
    theme.Rescale(1.0);
    std::vector<std::string> problems;
    const std::vector<BuiltCursor> built = BuildCursors(ChooseCursorSources(theme), CursorAppearance(), problems);
    if (built.size() != 15) std::abort();
    size_t bytes = 0;
    for (const BuiltCursor& cursor : built) bytes += cursor.bytes.size();
    return bytes;
}

void BM_ReadTheme(benchmark::State& state) {
    for (auto _ : state) {
        CTheme theme;
        Read(theme);
        benchmark::DoNotOptimize(theme.cursors.size());
    }
}
BENCHMARK(BM_ReadTheme)->Unit(benchmark::kMillisecond);

void BM_ReloadDrawAndEncode(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(Reload());
}
BENCHMARK(BM_ReloadDrawAndEncode)->Unit(benchmark::kMillisecond);

double Now() {
    timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

template <typename F>
double WallMs(F work) {
    const double start = Now();
    work();
    return Now() - start;
}

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    // Interleaved, best of several, so that both see the same machine state. Wall time: the draw
    // runs on every core.
    double read = 1e30, reload = 1e30;
    for (int round = 0; round < 7; ++round) {
        read = std::min(read, WallMs([] {
                            CTheme theme;
                            Read(theme);
                        }));
        reload = std::min(reload, WallMs([] { Reload(); }));
    }
    std::printf("wall time, best of 7, %u cores:\n", std::max(1u, std::thread::hardware_concurrency()));
    std::printf(
        "theme of %d roles x 2 scales x %d frames, %.1f MiB: read %.1f ms; read, rescale, draw and encode "
        "the 15 system cursors %.1f ms: reload / read = %.2f (goal <= 2)\n",
        kRoles, kFrames, ThemeFile().size() / 1048576.0, read, reload, reload / read);
    return 0;
}
