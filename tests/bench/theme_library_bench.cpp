// The theme library scan over a folder of 100 generated themes of realistic size: 80 theme files
// (half of them compressed, some with click effects and trails) and 20 earlier-format archives
// with PNG images. Printed after the benchmark table, from one run:
//  - the scan's wall time against the sum of the single-threaded load times of every file, which
//    is the speed-up the parallel loads give (at most the hardware thread count);
//  - where the time goes: each file's load alone, the bound the slowest file of each batch would
//    set if loads waited for whole batches, and the time spent reading the bytes;
//  - the scan's peak heap against what the loads at once need (thread count x the largest
//    single load's peak), and against holding every loaded theme.
// Heap figures count every malloc'd byte (pixels included) and need an unsanitized build.
#include <benchmark/benchmark.h>
#include <malloc.h>
#include <sys/resource.h>
#include <zlib.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <ctime>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "graphics/hv_bitmap.h"
#include "tests/support/image_files.h"
#include "tests/support/temp_folder.h"
#include "tests/support/zip_builder.h"
#include "theme/theme.h"
#include "theme/theme_image.h"
#include "theme/theme_library.h"
#include "theme/theme_load.h"
#include "theme/theme_writer.h"

// ---- heap accounting: every allocation of the process goes through these ----

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define MORVANTA_BENCH_SANITIZED 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define MORVANTA_BENCH_SANITIZED 1
#endif

namespace heap {
std::atomic<int64_t> gCurrent{0};
std::atomic<int64_t> gPeak{0};

void Add(void* p) {
    if (!p) return;
    const int64_t now = gCurrent.fetch_add(int64_t(malloc_usable_size(p))) + int64_t(malloc_usable_size(p));
    int64_t peak = gPeak.load();
    while (now > peak && !gPeak.compare_exchange_weak(peak, now)) {
    }
}
void Remove(void* p) {
    if (p) gCurrent.fetch_sub(int64_t(malloc_usable_size(p)));
}
// Starts a new peak measurement from the current level; returns that level.
int64_t ResetPeak() {
    const int64_t now = gCurrent.load();
    gPeak.store(now);
    return now;
}
bool Counting() {
#ifdef MORVANTA_BENCH_SANITIZED
    return false;
#else
    return true;
#endif
}
}  // namespace heap

#ifndef MORVANTA_BENCH_SANITIZED
extern "C" {
void* __libc_malloc(size_t);
void* __libc_calloc(size_t, size_t);
void* __libc_realloc(void*, size_t);
void* __libc_memalign(size_t, size_t);
void __libc_free(void*);

void* malloc(size_t size) {
    void* p = __libc_malloc(size);
    heap::Add(p);
    return p;
}
void* calloc(size_t count, size_t size) {
    void* p = __libc_calloc(count, size);
    heap::Add(p);
    return p;
}
void* realloc(void* old, size_t size) {
    const int64_t before = old ? int64_t(malloc_usable_size(old)) : 0;
    void* p = __libc_realloc(old, size);
    if (p || size == 0) heap::gCurrent.fetch_sub(before);
    heap::Add(p);
    return p;
}
void* memalign(size_t alignment, size_t size) {
    void* p = __libc_memalign(alignment, size);
    heap::Add(p);
    return p;
}
void* aligned_alloc(size_t alignment, size_t size) {
    return memalign(alignment, size);
}
int posix_memalign(void** out, size_t alignment, size_t size) {
    void* p = memalign(alignment, size);
    if (!p) return 12;  // ENOMEM
    *out = p;
    return 0;
}
void free(void* p) {
    heap::Remove(p);
    __libc_free(p);
}
}
#endif

namespace {

constexpr int kThemeFiles = 80;
constexpr int kArchives = 20;
constexpr int kSide = 48;

// Frames per role: the two busy pointers are long animations, the rest short ones.
int FramesOf(int role) {
    return (role == 2 || role == 3) ? 16 : 4;
}

// A soft disc moving across the frames on a transparent ground, with some grain.
void Paint(uint8_t* p, int width, int frames, int seed, bool topDown, std::vector<imagefiles::Rgba>* rgba) {
    uint32_t noise = 0x9E3779B9u * uint32_t(seed + 1);
    for (int y = 0; y < kSide; ++y) {
        for (int x = 0; x < width; ++x) {
            const int frame = x / kSide;
            const int dx = x % kSide - 24 - frame % 6, dy = y - 24 + frame % 4;
            const int d2 = dx * dx + dy * dy;
            noise = noise * 1664525u + 1013904223u;
            const uint8_t a = d2 < 250 ? 255 : d2 < 400 ? uint8_t(400 - d2) : 0;
            const uint8_t grain = uint8_t((noise >> 24) & 7);
            const uint8_t b = a ? uint8_t(40 + seed * 3 + grain) : 0, g = a ? uint8_t(90 + frame * 5) : 0,
                          r = a ? uint8_t(200 - (dx & 31)) : 0;
            if (rgba) {
                (*rgba)[size_t(y) * width + x] = {r, g, b, a};
            } else {
                uint8_t* px = p + (size_t(topDown ? y : kSide - 1 - y) * width + x) * 4;
                px[0] = b;
                px[1] = g;
                px[2] = r;
                px[3] = a;
            }
        }
    }
    (void)frames;
}

template <typename T>
T MakeAnimation(int frames, int seed) {
    T animation;
    animation.frames = frames;
    animation.interval = 60;
    animation.loop = 1;
    auto* bitmap = new HVBitmap(frames * kSide, kSide, HVB_ALPHA);
    Paint(bitmap->Bits(), frames * kSide, frames, seed, false, nullptr);
    animation.image = MakeAnimationState(L"Default", bitmap, animation, true);
    return animation;
}

std::vector<uint8_t> ThemeFileBytes(int index) {
    CTheme theme;
    theme.name = L"Generated " + std::to_wstring(index);
    theme.author = L"Benchmark";
    for (int role = 0; role < 20; ++role) {
        for (int event = 1; event <= (role < 3 ? 2 : 1); ++event) {
            CCursor cursor = MakeAnimation<CCursor>(FramesOf(role), index + role);
            cursor.role = uint32_t(role);
            cursor.event = uint32_t(event);
            cursor.stored = 1;
            theme.AddCursor(std::move(cursor));
        }
    }
    if (index % 5 == 0)
        for (int key = 0; key < 9; key += 3) theme.SetClickEffect(key, MakeAnimation<CClickEffect>(8, key));
    if (index % 7 == 0) theme.trails[0] = MakeAnimation<CTrail>(6, index);
    std::vector<uint8_t> bytes;
    WriteThemeBytes(theme, bytes);
    if (index % 2) {  // half the files store their data block compressed, as older writers did
        const size_t block = bytes.size() - 184;
        uLongf packed = compressBound(block);
        std::vector<uint8_t> out(bytes.begin(), bytes.begin() + 184);
        out.resize(184 + packed);
        compress2(out.data() + 184, &packed, bytes.data() + 184, block, Z_DEFAULT_COMPRESSION);
        out.resize(184 + packed);
        const uint32_t size = uint32_t(packed);
        std::memcpy(&out[120], &size, 4);
        bytes.swap(out);
    }
    return bytes;
}

std::vector<uint8_t> ArchiveBytes(int index) {
    static const wchar_t* const kSections[] = {L"Arrow",    L"Help",        L"AppStarting", L"Wait",    L"Cross",
                                               L"IBeam",    L"Handwriting", L"NO",          L"SizeNS",  L"SizeWE",
                                               L"SizeNWSE", L"SizeNESW",    L"SizeAll",     L"UpArrow", L"Hand"};
    ZipBuilder zip;
    std::string scheme;
    for (int i = 0; i < 15; ++i) {
        std::string section(kSections[i], kSections[i] + wcslen(kSections[i]));
        const int frames = FramesOf(i);
        scheme += "[" + section + "]\r\nFrames=" + std::to_string(frames) +
                  "\r\nInterval=60\r\nHot spot x=4\r\nHot spot y=4\r\nStdCursor=0\r\n";
        std::vector<imagefiles::Rgba> rgba(size_t(frames) * kSide * kSide);
        Paint(nullptr, frames * kSide, frames, index + i, true, &rgba);
        zip.Add(section + ".png", imagefiles::EncodePng(frames * kSide, kSide, rgba));
    }
    scheme += "[Description]\r\nGenerated for the benchmark\r\n";
    zip.Add("scheme.ini", scheme);
    return zip.Build();
}

struct Library {
    TempFolder folder;
    std::vector<std::wstring> paths;
    uint64_t bytesOnDisk = 0;
};

// Made once, on first use; the folder goes when the program ends.
Library& Folder() {
    static Library library;
    static const bool made = [] {
        for (int i = 0; i < kThemeFiles; ++i) {
            const std::vector<uint8_t> bytes = ThemeFileBytes(i);
            library.bytesOnDisk += bytes.size();
            library.paths.push_back(library.folder.Write(L"theme" + std::to_wstring(i) + L".morvanta", bytes));
        }
        for (int i = 0; i < kArchives; ++i) {
            const std::vector<uint8_t> bytes = ArchiveBytes(i);
            library.bytesOnDisk += bytes.size();
            library.paths.push_back(library.folder.Write(L"legacy" + std::to_wstring(i) + L".tolvxtheme", bytes));
        }
        return true;
    }();
    (void)made;
    return library;
}

double NowMs() {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

// Minor page faults of the process so far: fresh memory touched for the first time.
long MinorFaults() {
    rusage usage;
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_minflt;
}

// Processor time of the whole process, all threads, in milliseconds.
double ProcessCpuMs() {
    timespec now;
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

void LoadEachAlone() {
    for (const std::wstring& path : Folder().paths) {
        CTheme theme;
        if (!theme.Load(path, false)) std::abort();
    }
}

void Scan(unsigned loadsAtOnce) {
    ThemeLibrary library;
    LoadOptions options;
    options.loadsAtOnce = loadsAtOnce;
    ScanThemeFolder(library, Folder().folder.Path(), options);
    if (library.cursorThemes.size() != size_t(kThemeFiles + kArchives)) std::abort();
}

void BM_LoadEveryFileAlone(benchmark::State& state) {
    for (auto _ : state) LoadEachAlone();
    state.counters["files"] = double(Folder().paths.size());
}
BENCHMARK(BM_LoadEveryFileAlone)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ScanLibrary(benchmark::State& state) {
    for (auto _ : state) Scan(unsigned(state.range(0)));
    state.counters["loadsAtOnce"] = double(state.range(0) ? state.range(0) : LoadThreadCount());
}
BENCHMARK(BM_ScanLibrary)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->UseRealTime();

double MiB(int64_t bytes) {
    return double(bytes) / 1048576.0;
}

}  // namespace

int main(int argc, char** argv) {
    Library& library = Folder();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();

    const unsigned batch = LoadThreadCount();
    std::printf("folder: %zu themes (%d theme files, %d archives), %.1f MiB on disk; %u hardware threads\n",
                library.paths.size(), kThemeFiles, kArchives, MiB(int64_t(library.bytesOnDisk)), batch);

    // Time: best of five of each, interleaved so both see the same machine state. The processor
    // time shows whether the threads had cores to run on (a busy machine gives them none).
    double alone = 1e30, scan = 1e30, aloneCpu = 1e30, scanCpu = 1e30;
    long aloneFaults = 0, scanFaults = 0;
    for (int round = 0; round < 5; ++round) {
        double start = NowMs(), cpu = ProcessCpuMs();
        long faults = MinorFaults();
        LoadEachAlone();
        alone = std::min(alone, NowMs() - start);
        aloneCpu = std::min(aloneCpu, ProcessCpuMs() - cpu);
        aloneFaults = MinorFaults() - faults;
        start = NowMs();
        cpu = ProcessCpuMs();
        faults = MinorFaults();
        Scan(0);
        scan = std::min(scan, NowMs() - start);
        scanCpu = std::min(scanCpu, ProcessCpuMs() - cpu);
        scanFaults = MinorFaults() - faults;
    }
    // Where the scan's time goes. Each file alone, in the order the scan meets them: the slowest
    // file of each batch bounds a scan that waits for whole batches; a scan that starts the next load
    // when any one ends is bounded by the sum over the threads. Reading the bytes alone shows the
    // share of the file system.
    std::vector<double> each;
    double reading = 0;
    for (const THEME_INFO& entry : ListThemeFiles(library.folder.Path())) {
        double best = 1e30;
        for (int round = 0; round < 3; ++round) {
            const double start = NowMs();
            CTheme theme;
            if (!theme.Load(entry.path, false)) std::abort();
            best = std::min(best, NowMs() - start);
        }
        each.push_back(best);
        std::vector<uint8_t> bytes;
        const double start = NowMs();
        ReadFileWithRetry(entry.path, bytes);
        reading += NowMs() - start;
    }
    double total = 0, batched = 0, slowest = 0;
    for (size_t first = 0; first < each.size(); first += batch) {
        double most = 0;
        for (size_t i = first; i < std::min(each.size(), first + batch); ++i) most = std::max(most, each[i]);
        batched += most;
    }
    for (double ms : each) {
        total += ms;
        slowest = std::max(slowest, ms);
    }
    std::printf("loads alone: %.0f ms in all, slowest file %.1f ms, reading the bytes %.0f ms\n", total, slowest,
                reading);
    std::printf(
        "bound of whole batches (sum of each batch's slowest) %.0f ms = speed-up %.2f at most; "
        "bound of %u loads in flight %.0f ms = speed-up %.2f\n",
        batched, total / batched, batch, std::max(total / batch, slowest), total / std::max(total / batch, slowest));

    double load[1] = {0};
    getloadavg(load, 1);
    std::printf("sum of single-threaded loads %.0f ms, scan %.0f ms (%u loads at once): speed-up %.2f\n", alone, scan,
                batch, alone / scan);
    std::printf("processor time: loads %.0f ms, scan %.0f ms; machine load average %.1f on %u threads\n", aloneCpu,
                scanCpu, load[0], batch);
    std::printf("minor page faults: loads %ld, scan %ld\n", aloneFaults, scanFaults);

    if (!heap::Counting()) {
        std::printf("heap figures need an unsanitized build (scripts/bench.sh)\n");
        return 0;
    }
    // Memory of single loads: the peak while loading one file, and what the loaded theme keeps.
    int64_t largestPeak = 0, allRetained = 0;
    std::vector<std::unique_ptr<CTheme>> held;
    for (const std::wstring& path : library.paths) {
        const int64_t base = heap::ResetPeak();
        auto theme = std::make_unique<CTheme>();
        theme->Load(path, false);
        largestPeak = std::max(largestPeak, heap::gPeak.load() - base);
        allRetained += heap::gCurrent.load() - base;
        held.push_back(std::move(theme));
    }
    held.clear();
    const int64_t base = heap::ResetPeak();
    Scan(0);
    const int64_t scanPeak = heap::gPeak.load() - base;
    std::printf("heap: largest single load peaks at %.1f MiB; %u such loads at once %.1f MiB\n", MiB(largestPeak),
                batch, MiB(largestPeak * batch));
    std::printf("scan peak %.1f MiB = %.2f x that; every theme held at once would be %.1f MiB (%.1f x the scan)\n",
                MiB(scanPeak), double(scanPeak) / double(largestPeak * batch), MiB(allRetained),
                double(allRetained) / double(scanPeak));
    return 0;
}
