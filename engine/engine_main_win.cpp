// Entry point of Morvanta.exe, the engine: one per user session. With no argument it shows the
// current theme's pointers until told otherwise; with "/RestoreSystemCursors" it gives the system
// its pointers back and ends. A second start hands its request to the running engine and ends.
#include <windows.h>
#include <shellapi.h>

#include <string>

#include "engine/engine_instance_win.h"
#include "engine/engine_log_win.h"
#include "engine/engine_protocol.h"
#include "engine/engine_win.h"
#include "engine/system_cursors_win.h"
#include "services/folders_win.h"

namespace {

// How long a second start waits for a running engine to answer.
constexpr DWORD kHandOverTimeoutMs = 10000;

bool AskedToRestore() {
    int count = 0;
    LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    bool restore = false;
    for (int i = 1; arguments && i < count; ++i)
        if (lstrcmpiW(arguments[i], enginemsg::kRestoreArgument) == 0) restore = true;
    if (arguments) LocalFree(arguments);
    return restore;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int) {
    systemcursors::RestoreOnFatalError();
    const bool restore = AskedToRestore();
    EngineInstance single;
    switch (single.StartOrHandOver(restore, kHandOverTimeoutMs)) {
        case EngineStart::kHandedOver:
            return 0;
        case EngineStart::kFailed:
            return 1;
        case EngineStart::kEngine:
            break;
    }
    std::wstring currentTheme;
    const bool haveFolder = GetCurrentThemePath(currentTheme);
    if (haveFolder) enginelog::OpenFile(currentTheme.substr(0, currentTheme.find_last_of(L'\\') + 1) + L"Engine.log");
    if (restore || !haveFolder) {
        systemcursors::Restore();
        enginelog::Line(restore ? "the system's pointers are back (restore argument)"
                                : "the system's pointers are back (no folder for the current theme)");
        return haveFolder ? 0 : 1;
    }
    Engine engine(instance, currentTheme);
    if (!engine.Start()) {
        systemcursors::Restore();
        return 1;
    }
    return engine.Run();
}
