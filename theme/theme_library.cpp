#include "theme/theme_library.h"

#include <exception>
#include <filesystem>
#include <future>
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

template <typename Task>
std::future<std::invoke_result_t<Task>> StartTask(Task task) {
    try {
        return std::async(std::launch::async, std::move(task));
    } catch (const std::system_error&) {
        return std::async(std::launch::deferred, std::move(task));  // no thread to be had: run when awaited
    }
}

// Runs load(i) for i in [0, count) in batches of batchSize concurrent tasks; after each batch,
// consume(i, result) on this thread in order. Results are dropped before the next batch starts.
template <typename Result, typename Load, typename Consume>
void RunInBatches(size_t count, const LoadBatchOptions& options, Load load, Consume consume) {
    const size_t batchSize = options.batchSize ? options.batchSize : LoadBatchSize();
    for (size_t first = 0; first < count; first += batchSize) {
        const size_t end = std::min(count, first + batchSize);
        if (options.onBatch) options.onBatch(end - first);
        std::vector<std::future<Result>> tasks;
        tasks.reserve(end - first);
        for (size_t i = first; i < end; ++i) tasks.push_back(StartTask([&load, i] { return load(i); }));
        std::vector<Result> results;
        results.reserve(tasks.size());
        for (auto& task : tasks) results.push_back(task.get());
        for (size_t i = first; i < end; ++i) consume(i, results[i - first]);
    }
}

// A file that cannot be loaded, even one that exhausts memory, leaves no theme and no trace.
std::unique_ptr<CTheme> LoadWhole(const std::wstring& path) {
    try {
        auto theme = std::make_unique<CTheme>();
        if (!theme->Load(path, false)) return nullptr;
        return theme;
    } catch (const std::exception&) {
        return nullptr;
    }
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

unsigned LoadBatchSize() {
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

void ScanThemeFolder(ThemeLibrary& library, const std::wstring& folder, const LoadBatchOptions& options) {
    library.Clear();
    std::vector<THEME_INFO> entries = ListThemeFiles(folder);
    RunInBatches<std::unique_ptr<CTheme>>(
        entries.size(), options, [&entries](size_t i) { return LoadWhole(entries[i].path); },
        [&](size_t i, std::unique_ptr<CTheme>& theme) {
            if (!theme) return;
            THEME_INFO& entry = entries[i];
            entry.flags = theme->contentFlags;
            entry.optionLock = theme->optionLock;
            theme.reset();
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
                       const std::function<void(size_t, ThemePreview&)>& consume, const LoadBatchOptions& options) {
    RunInBatches<ThemePreview>(
        entries.size(), options, [&entries, uiScale](size_t i) { return LoadThemePreview(entries[i], uiScale); },
        consume);
}
