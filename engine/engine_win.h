#pragma once
// The engine: a hidden top-level window of class "Tolvaris" (what the settings tool looks for)
// and the few objects it owns, each with one job: the settings, the theme and its cursor files,
// what the system cursors show, the mouse hook, the hot key and the dynamic shadow. Everything
// runs on the thread that runs the message loop; the hook only posts to it.
#include <windows.h>

#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include "engine/cursor_build.h"
#include "engine/cursor_cache.h"
#include "engine/dynamic_shadow.h"
#include "engine/engine_modes.h"
#include "engine/engine_settings.h"
#include "engine/hot_key_win.h"
#include "engine/mouse_hook_win.h"
#include "engine/shown_pointers.h"
#include "theme/theme.h"

class Engine {
public:
    Engine(HINSTANCE instance, std::wstring currentThemePath);
    ~Engine();
    Engine(const Engine&) = delete;
    Engine& operator=(const Engine&) = delete;

    // Creates the window (false when it cannot) and applies the theme. Then Run.
    bool Start();
    // The message loop; answers the exit code. The system's pointers are back when it returns.
    int Run();

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);

    // Reads the settings and the current-theme file and shows the theme. Without a theme to
    // show, restores the system's pointers and ends the engine.
    void Reload(const char* why);
    void ReloadNow(const char* why);
    // Draws every cursor of the theme at the current scale and writes its file.
    bool BuildFiles(std::string& summary);
    // Hands the system what modes_ asks for; answers how many cursors it set.
    int ShowPointers();
    // A cursor a worker loaded while building, or null; the caller owns it then.
    HCURSOR TakePreloaded(int index, bool held);
    void DestroyPreloaded();
    void RestoreAndQuit(const char* why);
    // Hook and shadow follow the settings and the modes.
    void UpdateInputs();
    void FollowShadow(const ShadowWork& work);
    void RebuildFile(CursorFile& file, ShadowOffset offset);
    void DisplayChanged(bool cursorsReset);
    ShadowOffset PointerShadowOffset();

    HINSTANCE instance_;
    HWND window_ = nullptr;
    std::wstring currentThemePath_;
    CursorCache cache_;
    EngineSettings settings_;
    std::unique_ptr<CTheme> theme_;
    std::vector<CursorSource> sources_;  // of theme_, in the order of files_
    std::vector<CursorFile> files_;
    std::vector<std::wstring> fileNames_;  // of files_, as last written to the cache
    double scale_ = 1.0;
    EngineModes modes_;
    ShownPointers shown_;
    DynamicShadow shadow_;
    MouseHook hook_;
    std::unique_ptr<HotKeyRegistration> hotKey_;
    uint64_t salt_ = 0;  // mixed into every cursor's fingerprint
    std::mutex preloadLock_;
    std::map<std::pair<int, bool>, HCURSOR> preloaded_;  // by system cursor and held
    bool reloading_ = false;
    bool reloadAgain_ = false;
    bool cursorsReset_ = false;  // a settle wait follows another program's pointer reload
    int exitCode_ = 0;
};
