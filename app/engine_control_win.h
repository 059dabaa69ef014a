#pragma once
// Handing the configuration to the cursor engine, Morvanta.exe beside this program. The engine
// reads the settings from the registry and the current-theme file; this side makes it start at
// logon through the user's Run key, tells a running engine to reload through messages to its
// window (class "Tolvaris"), and starts it when it does not run.
#include <windows.h>

#include <functional>
#include <string>

constexpr wchar_t kEngineWindowClass[] = L"Tolvaris";
constexpr wchar_t kEngineProgram[] = L"Morvanta.exe";
constexpr wchar_t kRunKeyPath[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr wchar_t kAutostartValue[] = L"Morvanta";
constexpr wchar_t kOldAutostartValue[] = L"Tolvaris";  // the earlier product's: always removed
constexpr wchar_t kRestoreCursorsArgument[] = L"/RestoreSystemCursors";

// Messages to the engine's window.
constexpr UINT kEngineSettingsChanged = WM_USER + 9;  // posted before the files change
constexpr UINT kEngineReloadTheme = WM_USER + 7;      // sent: a theme is chosen
constexpr UINT kEngineRestoreCursors = WM_USER + 3;   // sent: no theme is chosen
constexpr UINT kEngineTrailPreview = WM_USER + 10;    // sent: wParam 1 entering the trail preview, 0 leaving

// The engine's window, or null when the engine does not run.
HWND FindEngineWindow();

// The engine program's full path (the program folder + "\Morvanta.exe").
std::wstring EnginePath();

// After a change the engine must see: prepare (the window's own preparations, may be empty),
// save the settings, then make the engine follow: autostart when a theme is chosen (else the
// current-theme file and the autostart go), and a message to the running engine, or a start.
void ApplyToEngine(HWND owner, bool themeChosen, const std::function<void()>& prepare = nullptr);

// The installer's reset: no current theme, no autostart, and the engine told (or started).
void ResetEngine();

// Sends kEngineTrailPreview to a running engine.
void TellEngineTrailPreview(bool entering);
