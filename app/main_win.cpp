// Entry point of MorvantaConfig.exe: single instance, installer verbs, and the normal start up to
// the modal main window.
#include <windows.h>
#include <shellapi.h>

#include <string>

#include "app/app_state_win.h"
#include "app/command_line.h"
#include "app/install_queue_win.h"
#include "services/system_message_win.h"
#include "app/engine_control_win.h"
#include "app/file_associations_win.h"
#include "app/single_instance_win.h"
#include "app/themes_watcher_win.h"
#include "services/translations_win.h"
#include "app/ui_scale_win.h"
#include "graphics/halvix_win.h"
#include "theme/windows_scheme_install.h"
#include "ui/main_window_win.h"

namespace {

constexpr uint32_t kGraphicsStartFlags = 0x06;

void RunInstallerVerb(cmdline::InstallerVerb verb) {
    if (verb == cmdline::InstallerVerb::Install) {
        wchar_t programPath[MAX_PATH] = {};
        GetModuleFileNameW(nullptr, programPath, MAX_PATH);
        SetFileAssociations(programPath);
    } else {
        RemoveFileAssociations();
    }
    ResetEngine();
}

// Tells the user why the main window could not be created (the system's reason for the last
// error), so that a failed start does not end silently.
void ReportNoWindow(DWORD error) {
    std::string text = "The Morvanta window could not be created.";
    if (error != ERROR_SUCCESS) text += "\n\n" + SystemErrorReason(error);
    MessageBoxA(nullptr, text.c_str(), "Morvanta", MB_OK | MB_ICONERROR);
}

// Returns the exit code: 0 after the window was closed, 1 when it could not be created.
int RunNormalStart(HINSTANCE instance, const std::wstring& argumentText) {
    // An empty argument text still yields one argument (the program path), which is not a theme
    // file; the call is made all the same and fixes the summaries' owner to no window.
    // A Windows cursor scheme's .inf is installed by converting it into a theme file.
    SetInstallConverters({{L".inf", InstallWindowsScheme}});
    int count = 0;
    if (LPWSTR* arguments = CommandLineToArgvW(argumentText.c_str(), &count)) {
        for (int i = 0; i < count; ++i) QueueThemeFile(arguments[i], gMainWindow);
        LocalFree(arguments);
    }
    StartThemesWatcher();
    LoadTranslations();
    gInstance = instance;
    // The library makes no lock of its own (0x04); its lock slot is the single-instance mutex.
    HalvixStart(instance, L"Morvanta", kGraphicsStartFlags);
    HalvixUseLock(&gSingleInstanceMutex);
    gUiScale = ScreenUiScale();
    const bool windowShown = RunMainWindow(instance) != -1;
    if (!windowShown) ReportNoWindow(GetLastError());
    FinishThemeInstallations();
    return windowShown ? 0 : 1;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR commandLine, int) {
    const std::wstring argumentText = commandLine ? commandLine : L"";
    if (IsAnotherInstanceRunning()) ActivateRunningInstance(argumentText);

    gSingleInstanceMutex = CreateMutexW(nullptr, TRUE, kSingleInstanceMutexName);

    int exitCode = 0;
    const cmdline::InstallerVerb verb = cmdline::FindInstallerVerb(GetCommandLineW());
    if (verb != cmdline::InstallerVerb::None)
        RunInstallerVerb(verb);
    else
        exitCode = RunNormalStart(instance, argumentText);

    if (gSingleInstanceMutex) CloseHandle(gSingleInstanceMutex);
    return exitCode;
}
