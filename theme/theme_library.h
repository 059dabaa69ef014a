#pragma once
// The theme library: the theme files of the Themes folder sorted into three lists by what they
// carry. A file's content is known only once it is read, so the scan loads every file, as many at
// once as there are hardware threads, the next load starting as soon as one ends; each theme is
// released as soon as its content is known, so memory holds at most that many loaded themes. The
// lists keep the order in which the folder lists the files. A file that fails to load is in no list
// and does not stop the scan.
//
// The lists are owned by the library and touched only by the thread that scans (the UI thread);
// tasks work on their own themes and their own copies of the entries.
#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "theme/theme_info.h"

class CTheme;
class HVBitmapState;

struct ThemeLibrary {
    std::vector<THEME_INFO> cursorThemes;  // files with cursors
    std::vector<THEME_INFO> clickEffects;  // files without cursors but with click effects
    std::vector<THEME_INFO> trails;        // files without cursors but with trails

    // Forgets the UI's preview objects of every entry, then empties the lists.
    void Clear();
};

// The process's library, owned by the UI thread.
extern ThemeLibrary gThemeLibrary;

// Loads run this many at a time: the hardware thread count, at least 1.
unsigned LoadThreadCount();

// The theme files of folder in the order the file system lists them: names longer than one of
// the two extensions and ending in it, ignoring case. Each entry has the full path, the file name
// without extension as its name, flags 0.
std::vector<THEME_INFO> ListThemeFiles(const std::wstring& folder);

struct LoadOptions {
    unsigned loadsAtOnce = 0;  // the most loads at once; 0: LoadThreadCount()
    // Called on the loading thread as the load of entry index starts (true) and as it ends (false).
    std::function<void(size_t index, bool starting)> onLoad;
};

// Rebuilds library from the theme files of folder. Returns when every file has been read.
void ScanThemeFolder(ThemeLibrary& library, const std::wstring& folder, const LoadOptions& options = {});

// Scans the Themes folder into gThemeLibrary (Windows).
bool ScanThemeLibrary();

// What one preview task yields for a cursor-theme entry.
struct ThemePreview {
    THEME_INFO entry;               // the task's copy; its name is the theme's display name
    std::unique_ptr<CTheme> theme;  // null when the file could not be loaded
    // The normal arrow's image state inside theme, prepared as a thumbnail (shadow, fitted to the
    // row height); null when the theme has no such cursor. The caller may take it from the theme.
    HVBitmapState* thumbnail = nullptr;
    // The thumbnail's opaque bounds (alpha above 15) after fitting, in frame columns and rows + 1.
    int opaqueLeft = 0, opaqueTop = 0, opaqueRight = 0, opaqueBottom = 0;

    ThemePreview();
    ThemePreview(ThemePreview&&) noexcept;
    ThemePreview& operator=(ThemePreview&&) noexcept;
    ~ThemePreview();
};

// One preview task: loads the entry's texts and normal arrow, rescales the theme to uiScale and
// prepares the arrow as a thumbnail at most trunc(uiScale × 50) − trunc(uiScale × 4) pixels tall.
ThemePreview LoadThemePreview(const THEME_INFO& entry, double uiScale);

// Runs LoadThemePreview for every entry, loadsAtOnce at a time, the next starting as soon as one
// ends; consume receives the results in entry order on the calling thread, and whatever it leaves
// in them is released. Loads in progress and results waiting for their turn are never more than
// loadsAtOnce together, so at most that many loaded themes exist at once.
void LoadThemePreviews(const std::vector<THEME_INFO>& entries, double uiScale,
                       const std::function<void(size_t index, ThemePreview& preview)>& consume,
                       const LoadOptions& options = {});
