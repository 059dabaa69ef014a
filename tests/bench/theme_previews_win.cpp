// The themes panel's loading work alone, for the window's start-up benchmark (scripts/bench.sh):
// scans a Themes folder and loads every cursor theme's preview in batches, as the window does
// before its list can be painted, and prints how long that took.
//   theme_previews_bench.exe FOLDER
// Prints one line: "scan-ms S previews-ms P work-ms W since-start-ms T themes N", where T counts
// from the process's creation (the loader's own start included, as for the window).
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <memory>
#include <string>

#include "graphics/halvix_win.h"
#include "graphics/hv_bitmap_state.h"
#include "theme/theme.h"
#include "theme/theme_library.h"

namespace {

double MillisecondsSinceProcessStart() {
    FILETIME created, exited, kernel, user, now;
    if (!GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user)) return -1;
    GetSystemTimeAsFileTime(&now);
    const auto ticks = [](const FILETIME& t) { return (ULONGLONG(t.dwHighDateTime) << 32) | t.dwLowDateTime; };
    return double(ticks(now) - ticks(created)) / 10000.0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: theme_previews_bench FOLDER\n");
        return 2;
    }
    // The library as the window starts it: its lock is a mutex of the application's.
    HalvixStart(GetModuleHandleW(nullptr), L"ThemePreviewsBench", 0x06);
    static HANDLE lock = CreateMutexW(nullptr, FALSE, nullptr);
    HalvixUseLock(&lock);
    using Clock = std::chrono::steady_clock;
    const auto start = Clock::now();
    ThemeLibrary library;
    ScanThemeFolder(library, argv[1]);
    const auto scanned = Clock::now();
    // As the panel does: each preview's thumbnail is kept, the rest of its theme released.
    std::vector<std::unique_ptr<HVBitmapState>> kept;
    LoadThemePreviews(library.cursorThemes, 1.0, [&](size_t, ThemePreview& preview) {
        if (!preview.theme || !preview.thumbnail) return;
        CCursor* arrow = preview.theme->FindCursor(0, 1, 1);
        if (arrow && arrow->image.get() == preview.thumbnail) kept.push_back(std::move(arrow->image));
    });
    const auto loaded = Clock::now();
    const auto ms = [](Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); };
    std::printf("scan-ms %.0f previews-ms %.0f work-ms %.0f since-start-ms %.0f themes %zu\n", ms(scanned - start),
                ms(loaded - scanned), ms(loaded - start), MillisecondsSinceProcessStart(), kept.size());
    return 0;
}
