#include "theme/theme_library.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <functional>
#include <mutex>
#include <thread>

#include "graphics/hv_bitmap.h"
#include "graphics/hv_bitmap_state.h"
#include "tests/native/theme_bytes.h"
#include "tests/support/image_files.h"
#include "tests/support/temp_folder.h"
#include "tests/support/zip_builder.h"
#include "theme/theme.h"
#include "theme/theme_load.h"

namespace {

namespace tb = themebytes;

tb::Animation Image(uint32_t width, uint32_t height) {
    tb::Animation a;
    a.width = width;
    a.height = height;
    a.pixels = tb::Pixels(width, height, 3);
    return a;
}

// A theme file with the content bits asked for.
std::vector<uint8_t> ThemeWith(int content, uint32_t arrowHeight = 4) {
    tb::File file;
    if (content & kThemeHasCursors) file.records.push_back(tb::Cursor(0, 1, Image(4, arrowHeight)));
    if (content & kThemeHasClickEffects) file.records.push_back(tb::Effect(4, 0, Image(2, 2), 2));
    if (content & kThemeHasTrails) file.records.push_back(tb::Effect(8, 0, Image(2, 2), 3, 20));
    if (content & kThemeHasSounds) file.records.push_back(tb::Sound(0, {1, 2, 3, 4}));
    return tb::Build(file);
}

std::vector<std::wstring> Names(const std::vector<THEME_INFO>& list) {
    std::vector<std::wstring> names;
    for (const THEME_INFO& entry : list) names.push_back(entry.name);
    return names;
}

// Keeps the names of list in the order the folder listing gave them.
std::vector<std::wstring> InListingOrder(const std::wstring& folder, std::vector<std::wstring> names) {
    std::vector<std::wstring> ordered;
    for (const THEME_INFO& entry : ListThemeFiles(folder))
        if (std::find(names.begin(), names.end(), entry.name) != names.end()) ordered.push_back(entry.name);
    return ordered;
}

TEST(ThemeLibraryScan, AnEmptyOrMissingFolderGivesThreeEmptyLists) {
    TempFolder folder;
    ThemeLibrary library;
    library.trails.push_back(THEME_INFO{});
    ScanThemeFolder(library, folder.Path());
    EXPECT_TRUE(library.cursorThemes.empty() && library.clickEffects.empty() && library.trails.empty());
    ScanThemeFolder(library, folder.File(L"missing"));
    EXPECT_TRUE(library.cursorThemes.empty() && library.clickEffects.empty() && library.trails.empty());
}

TEST(ThemeLibraryScan, FilesAreSortedByWhatTheyCarry) {
    TempFolder folder;
    folder.Write(L"Cursors.morvanta", ThemeWith(kThemeHasCursors));
    folder.Write(L"Capital.MORVANTA", ThemeWith(kThemeHasCursors | kThemeHasClickEffects));
    folder.Write(L"Both.morvanta", ThemeWith(kThemeHasClickEffects | kThemeHasTrails));
    folder.Write(L"Effects.Morvanta", ThemeWith(kThemeHasClickEffects | kThemeHasSounds));
    folder.Write(L"Trail.morvanta", ThemeWith(kThemeHasTrails));
    folder.Write(L"Sounds.morvanta", ThemeWith(kThemeHasSounds));
    std::vector<uint8_t> damaged = ThemeWith(kThemeHasCursors);
    damaged.resize(damaged.size() - 10);
    folder.Write(L"Damaged.morvanta", damaged);
    folder.Write(L"Unknown.morvanta", std::string(200, '\x01'));
    ZipBuilder zip;
    zip.Add("readme.txt", "no scheme here");
    folder.Write(L"Empty archive.TOLVXTHEME", zip.Build());
    folder.Write(L"Cut archive.tolvxtheme", std::string("PK\x03\x04", 4));
    folder.Write(L"notes.txt", ThemeWith(kThemeHasCursors));
    folder.Write(L".morvanta", ThemeWith(kThemeHasCursors));  // nothing before the extension

    ThemeLibrary library;
    ScanThemeFolder(library, folder.Path());
    const std::wstring path = folder.Path();
    // Archives from which no cursor can be read are refused like damaged theme files.
    EXPECT_EQ(Names(library.cursorThemes), InListingOrder(path, {L"Cursors", L"Capital"}));
    EXPECT_EQ(Names(library.clickEffects), InListingOrder(path, {L"Both", L"Effects"}));
    EXPECT_EQ(Names(library.trails), InListingOrder(path, {L"Both", L"Trail"}));

    const THEME_INFO& capital = *std::find_if(library.cursorThemes.begin(), library.cursorThemes.end(),
                                              [](const THEME_INFO& e) { return e.name == L"Capital"; });
    EXPECT_EQ(capital.path, folder.File(L"Capital.MORVANTA"));
    EXPECT_EQ(capital.flags, kThemeHasCursors | kThemeHasClickEffects);
    EXPECT_TRUE(capital.author.empty());
}

TEST(ThemeLibraryScan, TheOptionLockIsCopiedIntoTheEntry) {
    TempFolder folder;
    tb::File file;
    file.optionLock = 1;
    file.records.push_back(tb::Cursor(0, 1, Image(2, 2)));
    folder.Write(L"Locked.morvanta", tb::Build(file));
    ThemeLibrary library;
    ScanThemeFolder(library, folder.Path());
    ASSERT_EQ(library.cursorThemes.size(), 1u);
    EXPECT_EQ(library.cursorThemes[0].optionLock, 1);
}

// Watches the loads: how many run at once, and how many end while entry 0 (held back on purpose)
// is still loading.
struct LoadWatch {
    std::mutex mutex;
    size_t running = 0, mostRunning = 0, endedBehindFirst = 0;
    bool firstRunning = false;
    std::vector<size_t> started;

    void operator()(size_t index, bool starting) {
        if (starting && index == 0) {
            {
                std::lock_guard<std::mutex> lock(mutex);
                firstRunning = true;
                mostRunning = std::max(mostRunning, ++running);
                started.push_back(index);
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(400));
            return;
        }
        std::lock_guard<std::mutex> lock(mutex);
        if (starting) {
            started.push_back(index);
            mostRunning = std::max(mostRunning, ++running);
        } else {
            --running;
            if (index == 0)
                firstRunning = false;
            else if (firstRunning)
                ++endedBehindFirst;
        }
    }
};

TEST(ThemeLibraryScan, LoadsRunAtMostNAtOnceFlowPastASlowFileAndListInFolderOrder) {
    TempFolder folder;
    for (int i = 0; i < 20; ++i)
        folder.Write(L"t" + std::to_wstring(i) + L".morvanta", ThemeWith(i % 2 ? kThemeHasTrails : kThemeHasCursors));
    LoadWatch watch;
    LoadOptions options;
    options.loadsAtOnce = 3;
    options.onLoad = std::ref(watch);
    ThemeLibrary library;
    ScanThemeFolder(library, folder.Path(), options);

    EXPECT_LE(watch.mostRunning, 3u);
    EXPECT_EQ(watch.started.size(), 20u);
    // No barrier after each group of three: the other threads go on past the slow first file.
    EXPECT_GT(watch.endedBehindFirst, 2u);
    std::vector<std::wstring> cursors, trails;
    for (const THEME_INFO& entry : ListThemeFiles(folder.Path()))
        (std::stoi(entry.name.substr(1)) % 2 ? trails : cursors).push_back(entry.name);
    EXPECT_EQ(Names(library.cursorThemes), cursors);
    EXPECT_EQ(Names(library.trails), trails);
    EXPECT_GE(LoadThreadCount(), 1u);
}

// The unsupported-features message of a theme loaded on a loader thread: shown once per theme
// after the batch's loads are all done, on the thread that waits for the batch, never on a loader
// thread, where a message box would hold the whole batch.
std::mutex gMessageMutex;
std::vector<std::thread::id> gMessageThreads;
std::atomic<int> gLoadsRunning{0};
int gShownWhileLoading = 0;
void RecordMessage() {
    std::lock_guard<std::mutex> guard(gMessageMutex);
    gMessageThreads.push_back(std::this_thread::get_id());
    if (gLoadsRunning > 0) ++gShownWhileLoading;
}

TEST(ThemeLibraryScan, AThemeThatNeedsTheUnsupportedMessageGetsItAfterTheBatchOnTheWaitingThread) {
    TempFolder folder;
    tb::File odd;
    odd.version = 2001;
    tb::Animation a;
    odd.records.push_back(tb::Effect(8, 0, a, 7));  // a trail record version this reader does not know
    for (int i = 0; i < 3; ++i) folder.Write(L"odd" + std::to_wstring(i) + L".morvanta", tb::Build(odd));
    folder.Write(L"plain.morvanta", ThemeWith(kThemeHasCursors));
    const UnsupportedFeaturesHook previous = SetUnsupportedFeaturesHook(RecordMessage);
    gMessageThreads.clear();
    gShownWhileLoading = 0;
    LoadOptions options;
    options.loadsAtOnce = 2;
    options.onLoad = [](size_t, bool starting) { gLoadsRunning += starting ? 1 : -1; };
    ThemeLibrary library;
    ScanThemeFolder(library, folder.Path(), options);
    SetUnsupportedFeaturesHook(previous);

    EXPECT_EQ(gMessageThreads.size(), 3u);
    for (const std::thread::id& id : gMessageThreads) EXPECT_EQ(id, std::this_thread::get_id());
    EXPECT_EQ(gShownWhileLoading, 0);
}

TEST(ThemeLibraryPreview, LoadedAndWaitingPreviewsNeverExceedTheLoadsAtOnce) {
    TempFolder folder;
    std::vector<THEME_INFO> entries;
    for (int i = 0; i < 8; ++i) {
        THEME_INFO entry;
        entry.path = folder.Write(L"p" + std::to_wstring(i) + L".morvanta", ThemeWith(kThemeHasCursors));
        entry.flags = kThemeHasCursors;
        entries.push_back(entry);
    }
    LoadWatch watch;
    LoadOptions options;
    options.loadsAtOnce = 2;
    options.onLoad = std::ref(watch);
    std::vector<size_t> order;
    LoadThemePreviews(
        entries, 1.0,
        [&](size_t i, ThemePreview& p) {
            EXPECT_TRUE(p.theme) << i;
            order.push_back(i);
        },
        options);
    EXPECT_EQ(order, (std::vector<size_t>{0, 1, 2, 3, 4, 5, 6, 7}));
    // Each preview holds a theme: behind the slow first one, one more may load and wait, no more.
    EXPECT_LE(watch.endedBehindFirst, 1u);
}

TEST(ThemeLibraryPreview, LoadsTheArrowAndFitsItsThumbnailToTheRow) {
    TempFolder folder;
    tb::File file;
    file.texts[0] = L"Tall";
    file.texts[1] = L"An author";
    file.records.push_back(tb::Cursor(0, 1, Image(20, 100)));
    file.records.push_back(tb::Cursor(1, 1, Image(20, 100)));
    folder.Write(L"tall.morvanta", tb::Build(file));
    folder.Write(L"small.morvanta", ThemeWith(kThemeHasCursors, 8));
    ThemeLibrary library;
    ScanThemeFolder(library, folder.Path());
    ASSERT_EQ(library.cursorThemes.size(), 2u);

    std::vector<ThemePreview> previews(2);
    LoadThemePreviews(library.cursorThemes, 1.0, [&](size_t i, ThemePreview& p) { previews[i] = std::move(p); });
    for (const ThemePreview& p : previews) {
        ASSERT_TRUE(p.theme);
        ASSERT_TRUE(p.thumbnail);
        EXPECT_EQ(p.thumbnail->OffsetX(), 0);
        EXPECT_EQ(p.thumbnail->HitMode(), HVH_NEVER);
        EXPECT_LE(p.opaqueBottom - p.opaqueTop, 46);  // trunc(50) - trunc(4) at scale 1
        EXPECT_EQ(p.theme->cursors[1.0].size(), 1u);  // only the arrow is read for a preview
    }
    const ThemePreview& tall = previews[library.cursorThemes[0].name == L"tall" ? 0 : 1];
    EXPECT_EQ(tall.entry.name, L"Tall");
    EXPECT_EQ(tall.theme->author, L"An author");
    EXPECT_GT(tall.opaqueBottom - tall.opaqueTop, 40);  // shrunk to the row, not below it
    EXPECT_LT(tall.thumbnail->Height(), 100);
}

TEST(ThemeLibraryPreview, RescalesToTheUiScaleAndCopesWithUnreadableFiles) {
    TempFolder folder;
    folder.Write(L"a.morvanta", ThemeWith(kThemeHasCursors, 8));
    THEME_INFO entry;
    entry.path = folder.File(L"a.morvanta");
    entry.flags = kThemeHasCursors;
    ThemePreview preview = LoadThemePreview(entry, 2.0);
    ASSERT_TRUE(preview.theme);
    EXPECT_EQ(preview.theme->currentScale, 2.0);
    EXPECT_EQ(preview.entry.name, L"a");  // no name in the file: the file name stands in

    entry.path = folder.File(L"gone.morvanta");
    entry.name = L"gone";
    preview = LoadThemePreview(entry, 2.0);
    EXPECT_FALSE(preview.theme);
    EXPECT_FALSE(preview.thumbnail);
    EXPECT_EQ(preview.entry.name, L"gone");
}

}  // namespace
