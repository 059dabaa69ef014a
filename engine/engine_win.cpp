#include "engine/engine_win.h"

#include <algorithm>
#include <cstdio>
#include <exception>

#include "base/text_encoding.h"
#include "engine/cursor_fingerprint.h"
#include "engine/cursor_scale_win.h"
#include "engine/engine_log_win.h"
#include "engine/engine_protocol.h"
#include "engine/engine_settings_win.h"
#include "engine/system_cursors_win.h"
#include "theme/cursor_render.h"
#include "theme/theme_load.h"

namespace {

// The hook's messages.
constexpr UINT kHookButtons = WM_APP + 1;
constexpr UINT kHookMoved = WM_APP + 2;

// One-shot timers, set only while something is pending: the dynamic shadow's next step, and the
// pause that lets a burst of display and setting changes settle before the pointers follow.
constexpr UINT_PTR kShadowTimer = 1;
constexpr UINT_PTR kSettleTimer = 2;
constexpr UINT kSettleMs = 250;
constexpr int kHotKeyId = 1;
#ifndef WM_DPICHANGED
#define WM_DPICHANGED 0x02E0
#endif

class Stopwatch {
public:
    Stopwatch() {
        QueryPerformanceFrequency(&frequency_);
        QueryPerformanceCounter(&start_);
        lap_ = start_;
    }
    // Milliseconds since the last lap (or the start).
    double Lap() {
        LARGE_INTEGER now;
        QueryPerformanceCounter(&now);
        const double ms = double(now.QuadPart - lap_.QuadPart) * 1000.0 / double(frequency_.QuadPart);
        lap_ = now;
        return ms;
    }
    double Total() const {
        LARGE_INTEGER now;
        QueryPerformanceCounter(&now);
        return double(now.QuadPart - start_.QuadPart) * 1000.0 / double(frequency_.QuadPart);
    }

private:
    LARGE_INTEGER frequency_, start_, lap_;
};

std::string Ms(double ms) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f ms", ms);
    return text;
}

std::string Number(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%g", value);
    return text;
}

int64_t NowMs() {
    return int64_t(GetTickCount64());
}

void LogUnsupportedContent() {
    enginelog::Line("the current theme holds content this version cannot read; the rest is shown");
}

// The pointer from the primary display's centre, where the light's position is measured from.
void PointerFromCentre(POINT point, double& x, double& y) {
    x = point.x - GetSystemMetrics(SM_CXSCREEN) / 2.0;
    y = point.y - GetSystemMetrics(SM_CYSCREEN) / 2.0;
}

// This program's own file time: the cache keeps nothing an older or newer engine drew.
uint64_t ProgramBuildSalt() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    if (!GetFileAttributesExW(path, GetFileExInfoStandard, &data)) return 0;
    return (uint64_t(data.ftLastWriteTime.dwHighDateTime) << 32 | data.ftLastWriteTime.dwLowDateTime) ^
           (uint64_t(data.nFileSizeLow) << 17);
}

}  // namespace

Engine::Engine(HINSTANCE instance, std::wstring currentThemePath)
    : instance_(instance),
      currentThemePath_(std::move(currentThemePath)),
      cache_(CursorCacheFolder(currentThemePath_)),
      hook_(kHookButtons, kHookMoved),
      salt_(ProgramBuildSalt()) {}

Engine::~Engine() {
    DestroyPreloaded();
    hook_.Remove();
    hotKey_.reset();
    if (window_) DestroyWindow(window_);
}

bool Engine::Start() {
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance_;
    windowClass.lpszClassName = enginemsg::kWindowClass;
    RegisterClassW(&windowClass);
    // Top-level (not message-only), so that FindWindow and the system's broadcasts reach it;
    // never shown.
    window_ = CreateWindowExW(WS_EX_TOOLWINDOW, enginemsg::kWindowClass, L"Morvanta", WS_POPUP, 0, 0, 0, 0, nullptr,
                              nullptr, instance_, this);
    if (!window_) {
        enginelog::Line("the engine's window cannot be made (error " + std::to_string(GetLastError()) + ")");
        return false;
    }
    hotKey_ = std::make_unique<HotKeyRegistration>(window_, kHotKeyId);
    SetUnsupportedFeaturesHook(LogUnsupportedContent);
    Reload("start");
    return true;
}

int Engine::Run() {
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    hook_.Remove();
    systemcursors::Restore();
    return exitCode_;
}

LRESULT CALLBACK Engine::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* engine = reinterpret_cast<Engine*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!engine || !engine->window_) return DefWindowProcW(window, message, wParam, lParam);
    return engine->Handle(message, wParam, lParam);
}

LRESULT Engine::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case enginemsg::kSettingsChanged:
            modes_.SettingsChanging();
            enginelog::Line("settings changing: paused until the next reload");
            UpdateInputs();
            return 0;
        case enginemsg::kReload:
            // The tool need not wait while the theme is drawn.
            if (InSendMessage()) ReplyMessage(0);
            Reload("reload message");
            return 0;
        case enginemsg::kRestore:
            RestoreAndQuit("restore message");
            return 0;
        case enginemsg::kTrailPreview:
            modes_.SetOverTrailPreview(wParam != 0);
            enginelog::Line(wParam ? "trail preview: the pointer is in the tool's box"
                                   : "trail preview: the pointer left the tool's box");
            return 0;
        case WM_HOTKEY:
            if (wParam != WPARAM(kHotKeyId)) return 0;
            enginelog::Line(modes_.ToggleTheme() ? "hot key: the theme's pointers" : "hot key: the system's pointers");
            ShowPointers();
            UpdateInputs();
            return 0;
        case kHookButtons: {
            const PointerShow before = modes_.Show();
            modes_.SetButtons(uint32_t(wParam));
            if (modes_.Show() == before) return 0;
            const int set = ShowPointers();
            enginelog::Line(modes_.Show() == PointerShow::kThemeHeld
                                ? "buttons held: " + std::to_string(set) + " held cursors set"
                                : "buttons released: " + std::to_string(set) + " cursors set back");
            return 0;
        }
        case kHookMoved: {
            const POINT point = hook_.TakePosition();
            if (!modes_.FollowsPointer() || !DynamicShadowOn(settings_.block) || !theme_) return 0;
            double x, y;
            PointerFromCentre(point, x, y);
            FollowShadow(shadow_.Moved(x, y, NowMs()));
            return 0;
        }
        case WM_TIMER:
            KillTimer(window_, wParam);
            if (wParam == kShadowTimer && modes_.FollowsPointer()) FollowShadow(shadow_.Wake(NowMs()));
            if (wParam == kSettleTimer) {
                DisplayChanged(cursorsReset_);
                cursorsReset_ = false;
            }
            return 0;
        case WM_DISPLAYCHANGE:
        case WM_DPICHANGED:
            cursorsReset_ = true;
            SetTimer(window_, kSettleTimer, kSettleMs, nullptr);
            return 0;
        case WM_SETTINGCHANGE:
            // Another program reloading the pointers (SPI_SETCURSORS) took the theme's away.
            if (wParam == SPI_SETCURSORS) cursorsReset_ = true;
            SetTimer(window_, kSettleTimer, kSettleMs, nullptr);
            return 0;
        case WM_QUERYENDSESSION:
            return TRUE;
        case WM_ENDSESSION:
            if (wParam) {
                systemcursors::Restore();
                shown_.SystemRestored();
                enginelog::Line("the session ends: the system's pointers are back");
            }
            return 0;
        case WM_CLOSE:
            RestoreAndQuit("close message");
            return 0;
        case WM_DESTROY:
            window_ = nullptr;
            PostQuitMessage(exitCode_);
            return 0;
        default:
            return DefWindowProcW(window_, message, wParam, lParam);
    }
}

void Engine::Reload(const char* why) {
    // A reload asked for while one runs (a message dispatched while the queue is looked at) runs
    // once more after it.
    if (reloading_) {
        reloadAgain_ = true;
        return;
    }
    reloading_ = true;
    do {
        reloadAgain_ = false;
        try {
            ReloadNow(why);
        } catch (const std::exception& error) {
            enginelog::Line(std::string("the reload failed: ") + error.what());
            exitCode_ = 1;
            RestoreAndQuit("failed reload");
        }
        why = "reload asked for meanwhile";
    } while (reloadAgain_ && window_);
    reloading_ = false;
}

void Engine::ReloadNow(const char* why) {
    // Pauses still queued were posted before this reload (a sent reload overtakes them): they
    // belong to it, and are dropped rather than let pause the theme it applies.
    int dropped = 0;
    MSG message;
    while (PeekMessageW(&message, window_, enginemsg::kSettingsChanged, enginemsg::kSettingsChanged,
                        PM_REMOVE | PM_QS_POSTMESSAGE))
        ++dropped;
    if (dropped) enginelog::Line("reload: " + std::to_string(dropped) + " pause posted before it dropped");

    // Input waits for the hook's thread: while this thread draws, the hook is out of the way.
    hook_.Remove();
    Stopwatch watch;
    settings_ = ReadEngineSettings();
    hotKey_->Set(settings_.hotKey);
    const double settingsMs = watch.Lap();
    if (GetFileAttributesW(currentThemePath_.c_str()) == INVALID_FILE_ATTRIBUTES) {
        RestoreAndQuit("no current-theme file");
        return;
    }
    auto theme = std::make_unique<CTheme>();
    if (!theme->Load(currentThemePath_, false)) {
        exitCode_ = 1;
        RestoreAndQuit("the current-theme file cannot be read");
        return;
    }
    const double readMs = watch.Lap();
    theme_ = std::move(theme);
    scale_ = CursorScale(ReadCursorScaleInputs());
    RescaleLoadedTheme(*theme_, scale_);
    const double scaleMs = watch.Lap();
    std::string summary;
    BuildFiles(summary);
    const double buildMs = watch.Lap();
    modes_.Reloaded();
    UpdateInputs();
    const int set = ShowPointers();
    const double setMs = watch.Lap();
    enginelog::Line("applied '" + text::Utf16ToUtf8(theme_->DisplayName()) + "' (" + why + "): " + std::to_string(set) +
                    " cursors set at scale " + Number(scale_) + ", " + summary + "; settings " + Ms(settingsMs) +
                    ", read " + Ms(readMs) + ", rescale " + Ms(scaleMs) + ", files " + Ms(buildMs) + ", set " +
                    Ms(setMs) + ", total " + Ms(watch.Total()));
}

bool Engine::BuildFiles(std::string& summary) {
    sources_ = ChooseCursorSources(*theme_);
    CursorAppearance look = AppearanceFromSettings(settings_.block);
    const bool dynamic = DynamicShadowOn(settings_.block);
    const ShadowOffset offset = PointerShadowOffset();
    if (dynamic) {
        look.shadowX = offset.x;
        look.shadowY = offset.y;
    }
    // A file whose fingerprint matches is used as it is. The dynamic shadow redraws files between
    // reloads, so with it on nothing is taken from the index (and none is kept).
    const std::map<std::wstring, uint64_t> index = dynamic ? std::map<std::wstring, uint64_t>() : cache_.ReadIndex();
    std::map<std::wstring, uint64_t> newIndex;
    std::map<std::pair<int, bool>, uint64_t> keys;
    std::vector<CursorSource> toBuild;
    files_.clear();
    for (const CursorSource& source : sources_) {
        const uint64_t key = CursorFingerprint(*source.cursor, look, salt_);
        bool reused = false;
        for (const char* extension : {".cur", ".ani"}) {
            const std::wstring name = CursorFileName(SystemCursorAt(source.index), source.held, extension);
            const auto entry = index.find(name);
            if (reused || entry == index.end() || entry->second != key) continue;
            files_.push_back({source.index,
                              source.held,
                              std::string(extension) == ".ani",
                              cache_.PathOf(name),
                              {look.shadowX, look.shadowY}});
            newIndex[name] = key;
            reused = true;
        }
        if (!reused) {
            toBuild.push_back(source);
            keys[{source.index, source.held}] = key;
        }
    }

    std::string reason;
    std::vector<std::string> problems;
    if (!toBuild.empty() && !cache_.Prepare(reason)) problems.push_back(reason);
    DestroyPreloaded();
    // Each worker writes the file it drew and loads it, ready to hand to the system.
    const CursorFinish finish = [this](const BuiltCursor& cursor, std::string& why) {
        if (!cache_.Write(cursor.fileName, cursor.bytes, why)) return false;
        HCURSOR loaded = systemcursors::LoadFile(cache_.PathOf(cursor.fileName), why);
        if (!loaded) return false;
        std::lock_guard<std::mutex> hold(preloadLock_);
        preloaded_[{cursor.index, cursor.held}] = loaded;
        return true;
    };
    Stopwatch watch;
    const std::vector<BuiltCursor> built = BuildCursors(toBuild, look, problems, finish);
    const double buildMs = watch.Lap();
    int animated = 0, held = 0;
    for (const BuiltCursor& cursor : built) {
        files_.push_back(
            {cursor.index, cursor.held, cursor.animated, cache_.PathOf(cursor.fileName), {look.shadowX, look.shadowY}});
        newIndex[cursor.fileName] = keys[{cursor.index, cursor.held}];
        shown_.FileChanged(cursor.index, cursor.held);
    }
    std::sort(files_.begin(), files_.end(), [](const CursorFile& a, const CursorFile& b) {
        return a.index != b.index ? a.index < b.index : a.held < b.held;
    });
    std::vector<std::wstring> names;
    for (const CursorFile& file : files_) {
        names.push_back(file.path.substr(file.path.find_last_of(L"\\/") + 1));
        animated += file.animated;
        held += file.held;
    }
    // Files of an earlier theme that this one does not replace; the index when it changed.
    if (names != fileNames_) cache_.RemoveAllBut(names);
    fileNames_ = names;
    if (dynamic) newIndex.clear();
    if (newIndex != index && !cache_.WriteIndex(newIndex, reason)) problems.push_back(reason);
    for (const std::string& problem : problems) enginelog::Line("left to the system: " + problem);
    summary = std::to_string(files_.size()) + " files (" + std::to_string(animated) + " animated, " +
              std::to_string(held) + " for a held button): " + std::to_string(built.size()) +
              " drawn, written and loaded in " + Ms(buildMs) + ", " + std::to_string(files_.size() - built.size()) +
              " unchanged";
    return problems.empty();
}

int Engine::ShowPointers() {
    const PointerPlan plan = shown_.Plan(files_, modes_.Show());
    if (plan.restoreFirst) systemcursors::Restore();
    int set = 0;
    for (const CursorFile* file : plan.set) {
        std::string reason;
        HCURSOR cursor = TakePreloaded(file->index, file->held);
        if (!cursor) cursor = systemcursors::LoadFile(file->path, reason);
        if (cursor && systemcursors::Set(SystemCursorAt(file->index).id, cursor, reason))
            ++set;
        else
            enginelog::Line("cannot set " + text::Utf16ToUtf8(file->path) + ": " + reason);
    }
    return set;
}

HCURSOR Engine::TakePreloaded(int index, bool held) {
    std::lock_guard<std::mutex> hold(preloadLock_);
    const auto found = preloaded_.find({index, held});
    if (found == preloaded_.end()) return nullptr;
    HCURSOR cursor = found->second;
    preloaded_.erase(found);
    return cursor;
}

void Engine::DestroyPreloaded() {
    std::lock_guard<std::mutex> hold(preloadLock_);
    for (const auto& [slot, cursor] : preloaded_) DestroyCursor(cursor);
    preloaded_.clear();
}

void Engine::RestoreAndQuit(const char* why) {
    hook_.Remove();
    if (window_) {
        KillTimer(window_, kShadowTimer);
        KillTimer(window_, kSettleTimer);
    }
    systemcursors::Restore();
    shown_.SystemRestored();
    enginelog::Line(std::string("the system's pointers are back (") + why + "); the engine ends");
    if (window_) DestroyWindow(window_);
}

void Engine::UpdateInputs() {
    if (!window_) return;
    const bool anyHeld = std::any_of(files_.begin(), files_.end(), [](const CursorFile& f) { return f.held; });
    const bool follow = theme_ && DynamicShadowOn(settings_.block) && modes_.FollowsPointer();
    if ((anyHeld && modes_.ThemeShown()) || follow) {
        if (!hook_.Installed()) {
            if (hook_.Install(window_))
                modes_.SetButtons(hook_.Buttons());
            else
                enginelog::Line("the mouse hook cannot be set (error " + std::to_string(GetLastError()) + ")");
        }
    } else {
        hook_.Remove();
        modes_.SetButtons(0);
    }
    hook_.WatchMoves(follow);
    if (!follow) {
        KillTimer(window_, kShadowTimer);
        return;
    }
    // Following again after a pause: catch up with where the pointer went meanwhile.
    POINT point;
    if (GetCursorPos(&point)) {
        double x, y;
        PointerFromCentre(point, x, y);
        FollowShadow(shadow_.Moved(x, y, NowMs()));
    }
}

ShadowOffset Engine::PointerShadowOffset() {
    const CursorAppearance look = AppearanceFromSettings(settings_.block);
    POINT point = {};
    GetCursorPos(&point);
    double x, y;
    PointerFromCentre(point, x, y);
    shadow_.Reset(LightFromSettings(settings_.block), x, y, NowMs());
    return DynamicShadowOn(settings_.block) ? shadow_.Offset() : ShadowOffset{look.shadowX, look.shadowY};
}

void Engine::FollowShadow(const ShadowWork& work) {
    int rebuilt = 0;
    if (work.rebuildShown) {
        // The cursor showing now (the arrow when the system's answer is none of them); an animated
        // one waits for the pointer to rest.
        const int index = std::max(systemcursors::ShownIndex(), 0);
        const bool held = modes_.Show() == PointerShow::kThemeHeld;
        CursorFile* shown = nullptr;
        for (CursorFile& file : files_)
            if (file.index == index && (file.held == held || (!shown && !file.held))) shown = &file;
        if (shown && !shown->animated && shown->offset != work.offset) {
            RebuildFile(*shown, work.offset);
            ++rebuilt;
        }
    }
    if (work.rebuildRest) {
        for (CursorFile& file : files_) {
            if (file.offset == work.offset) continue;
            RebuildFile(file, work.offset);
            ++rebuilt;
        }
    }
    if (rebuilt) {
        ShowPointers();
        enginelog::Debug("shadow " + std::to_string(work.offset.x) + "," + std::to_string(work.offset.y) + ": " +
                         std::to_string(rebuilt) + (work.rebuildRest ? " cursors redrawn at rest" : " cursor redrawn"));
    }
    if (work.wakeAt >= 0)
        SetTimer(window_, kShadowTimer, UINT(std::max<int64_t>(work.wakeAt - NowMs(), 1)), nullptr);
    else
        KillTimer(window_, kShadowTimer);
}

void Engine::RebuildFile(CursorFile& file, ShadowOffset offset) {
    const auto source = std::find_if(sources_.begin(), sources_.end(), [&](const CursorSource& s) {
        return s.index == file.index && s.held == file.held;
    });
    if (source == sources_.end()) return;
    CursorAppearance look = AppearanceFromSettings(settings_.block);
    look.shadowX = offset.x;
    look.shadowY = offset.y;
    BuiltCursor built;
    std::string reason;
    if (!BuildCursor(*source, look, built, reason) || !cache_.Write(built.fileName, built.bytes, reason)) {
        enginelog::Debug("the shadow cannot be redrawn: " + reason);
        return;
    }
    file.offset = offset;
    shown_.FileChanged(file.index, file.held);
}

void Engine::DisplayChanged(bool cursorsReset) {
    if (!theme_) return;
    const double scale = CursorScale(ReadCursorScaleInputs());
    if (scale != scale_) {
        hook_.Remove();
        Stopwatch watch;
        scale_ = scale;
        theme_->Rescale(scale_);
        std::string summary;
        BuildFiles(summary);
        UpdateInputs();
        const int set = ShowPointers();
        enginelog::Line("display changed: " + std::to_string(set) + " cursors set at scale " + Number(scale_) + ", " +
                        summary + " in " + Ms(watch.Total()));
        return;
    }
    if (cursorsReset) {
        // The system's pointers may have come back under the theme's: all of them are set again.
        shown_.SystemRestored();
        const int set = ShowPointers();
        enginelog::Line("display or pointers changed: " + std::to_string(set) + " cursors set again at scale " +
                        Number(scale_));
    }
}
