#include "theme/theme_library.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <exception>
#include <filesystem>
#include <mutex>
#include <optional>
#include <system_error>
#include <thread>

#include "base/file_io.h"
#include "base/path_text.h"
#include "base/text_encoding.h"
#include "graphics/hv_bitmap.h"
#include "graphics/hv_bitmap_state.h"
#include "theme/theme.h"
#include "theme/theme_load.h"

ThemeLibrary gThemeLibrary;

namespace {

namespace fs = std::filesystem;

// The thumbnail's shadow and the alpha above which a pixel counts as visible.
constexpr int kThumbShadowOffset = 3;
constexpr int kThumbShadowBlur = 12;
constexpr int kThumbShadowDarkness = 160;
constexpr int kVisibleAlpha = 15;

bool IsThemeFileName(const std::wstring& name) {
    return IsThemeFilePath(name) || IsLegacyThemePath(name);
}

// Runs load(i) for every i in [0, count) on up to loadsAtOnce worker threads, each worker starting
// its next load as soon as its last one ends, and hands the results to consume(i, result) on this
// thread in index order, releasing each result after its consume. A load starts only while fewer
// than window results are loading or waiting for their turn, so a slow file holds back at most
// window - 1 loads after it: window = loadsAtOnce bounds memory by that many results; results that
// are small (the scan's) may use a larger window and let the other loads flow past a slow one.
// Without a thread to be had, the loads run on this thread. A theme that needs the unsupported-
// features message gets it after the last load, from this thread (theme_load.h says why).
template <typename Result, typename Load, typename Consume>
void RunLoads(size_t count, const LoadOptions& options, size_t window, Load load, Consume consume) {
    const size_t loadsAtOnce = options.loadsAtOnce ? options.loadsAtOnce : LoadThreadCount();
    window = std::max<size_t>(window, 1);
    std::mutex mutex;
    std::condition_variable changed;
    std::vector<std::optional<Result>> done(count);
    size_t next = 0, consumed = 0;
    std::atomic<int> messages{0};
    auto loadOne = [&](size_t i) {
        UnsupportedFeaturesDeferral deferral(messages);
        if (options.onLoad) options.onLoad(i, true);
        Result result = load(i);
        if (options.onLoad) options.onLoad(i, false);
        return result;
    };
    auto work = [&] {
        for (;;) {
            size_t i;
            {
                std::unique_lock<std::mutex> lock(mutex);
                changed.wait(lock, [&] { return next >= count || next < consumed + window; });
                if (next >= count) return;
                i = next++;
            }
            Result result = loadOne(i);
            {
                std::lock_guard<std::mutex> lock(mutex);
                done[i].emplace(std::move(result));
            }
            changed.notify_all();
        }
    };
    std::vector<std::thread> workers;
    try {
        for (size_t t = 0; t < std::min(loadsAtOnce, count); ++t) workers.emplace_back(work);
    } catch (const std::system_error&) {
        // The threads made so far do all the loads.
    }
    for (size_t i = 0; i < count; ++i) {
        std::optional<Result> result;
        if (workers.empty()) {
            result.emplace(loadOne(i));
        } else {
            std::unique_lock<std::mutex> lock(mutex);
            changed.wait(lock, [&] { return done[i].has_value(); });
            result = std::move(done[i]);
            done[i].reset();
        }
        consume(i, *result);
        result.reset();
        {
            std::lock_guard<std::mutex> lock(mutex);
            consumed = i + 1;
        }
        changed.notify_all();
    }
    for (std::thread& worker : workers) worker.join();
    ShowDeferredUnsupportedFeatures(messages);
}

// What the scan keeps of a file: its content flags and option lock; the theme itself is released
// on the loading thread. A file that cannot be loaded, even one that exhausts memory, leaves no
// theme and no trace.
struct ScanResult {
    bool loaded = false;
    int flags = 0;
    int optionLock = 0;
};

ScanResult LoadForScan(const std::wstring& path) {
    ScanResult result;
    try {
        auto theme = std::make_unique<CTheme>();
        if (!theme->Load(path, false)) return result;
        result.loaded = true;
        result.flags = theme->contentFlags;
        result.optionLock = theme->optionLock;
    } catch (const std::exception&) {
        result.loaded = false;
    }
    return result;
}

// Shadow, then shrink to the row height when the visible part is taller.
void PrepareThumbnail(ThemePreview& preview, HVBitmapState& state, double uiScale) {
    state.SetOffset(0, 0);
    state.SetHitMode(HVH_NEVER);
    state.AddShadow(kThumbShadowOffset, kThumbShadowOffset, kThumbShadowBlur, kThumbShadowDarkness, 0);
    auto measure = [&] {
        if (const HVBitmap* bitmap = state.Bitmap())
            bitmap->GetOpaqueBounds(&preview.opaqueLeft, &preview.opaqueTop, &preview.opaqueRight,
                                    &preview.opaqueBottom, kVisibleAlpha);
    };
    measure();
    const int limit = int(uiScale * 50) - int(uiScale * 4);
    const int64_t visible = int64_t(preview.opaqueBottom) - preview.opaqueTop;
    if (limit > 0 && visible > limit) {
        state.Resize(int(int64_t(state.Width()) * limit / visible), int(int64_t(state.Height()) * limit / visible));
        measure();
    }
    preview.thumbnail = &state;
}

}  // namespace

void ThemeLibrary::Clear() {
    for (auto* list : {&cursorThemes, &clickEffects, &trails}) {
        for (THEME_INFO& entry : *list) entry.previewObject = entry.captionObject = nullptr;
        list->clear();
    }
}

unsigned LoadThreadCount() {
    const unsigned threads = std::thread::hardware_concurrency();
    return threads ? threads : 1;  // a system that cannot tell still makes progress
}

std::vector<THEME_INFO> ListThemeFiles(const std::wstring& folder) {
    std::vector<THEME_INFO> entries;
    std::error_code error;
    // The iterator never returns "." and "..", so no entry needs to be passed over unseen.
    for (fs::directory_iterator it(fileio::ToFsPath(folder), error), end; !error && it != end; it.increment(error)) {
#ifdef _WIN32
        const std::wstring name = it->path().filename().wstring();
#else
        const std::wstring name = text::Utf8ToUtf16(it->path().filename().u8string());
#endif
        if (!IsThemeFileName(name)) continue;
        THEME_INFO entry;
        entry.path = JoinPath(folder, name);
        THEME_INFO::SetText(entry.name, pathtext::Stem(name), THEME_INFO::kNameCapacity);
        entries.push_back(std::move(entry));
    }
    return entries;
}

void ScanThemeFolder(ThemeLibrary& library, const std::wstring& folder, const LoadOptions& options) {
    library.Clear();
    std::vector<THEME_INFO> entries = ListThemeFiles(folder);
    // The results are a few numbers each: the window spans the whole folder, so that no slow file
    // keeps the other threads waiting.
    RunLoads<ScanResult>(
        entries.size(), options, entries.size(), [&entries](size_t i) { return LoadForScan(entries[i].path); },
        [&](size_t i, const ScanResult& result) {
            if (!result.loaded) return;
            THEME_INFO& entry = entries[i];
            entry.flags = result.flags;
            entry.optionLock = result.optionLock;
            if (entry.flags & kThemeHasCursors) {
                library.cursorThemes.push_back(entry);
                return;
            }
            if (entry.flags & kThemeHasClickEffects) library.clickEffects.push_back(entry);
            if (entry.flags & kThemeHasTrails) library.trails.push_back(entry);
        });
}

ThemePreview::ThemePreview() = default;
ThemePreview::ThemePreview(ThemePreview&&) noexcept = default;
ThemePreview& ThemePreview::operator=(ThemePreview&&) noexcept = default;
ThemePreview::~ThemePreview() = default;

ThemePreview LoadThemePreview(const THEME_INFO& entry, double uiScale) {
    ThemePreview preview;
    preview.entry = entry;
    try {
        auto theme = std::make_unique<CTheme>();
        if (!theme->Load(entry.path, true)) return preview;
        THEME_INFO::SetText(preview.entry.name, theme->DisplayName(), THEME_INFO::kNameCapacity);
        theme->Rescale(uiScale);
        if (preview.entry.flags & kThemeHasCursors) {
            CCursor* arrow = theme->FindCursor(0, 1, 1);
            if (arrow && arrow->image) PrepareThumbnail(preview, *arrow->image, uiScale);
        }
        preview.theme = std::move(theme);
    } catch (const std::exception&) {
        preview.theme.reset();
        preview.thumbnail = nullptr;
    }
    return preview;
}

void LoadThemePreviews(const std::vector<THEME_INFO>& entries, double uiScale,
                       const std::function<void(size_t, ThemePreview&)>& consume, const LoadOptions& options) {
    // Each result holds a loaded theme: at most loadsAtOnce of them exist at once.
    const size_t window = options.loadsAtOnce ? options.loadsAtOnce : LoadThreadCount();
    RunLoads<ThemePreview>(
        entries.size(), options, window,
        [&entries, uiScale](size_t i) { return LoadThemePreview(entries[i], uiScale); }, consume);
}
