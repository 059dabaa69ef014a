#pragma once
// What the settings tool and the engine (Morvanta.exe) agree on: the engine's window class, its
// program name and start argument, and the messages the tool sends to that window. Plain numbers,
// so that portable code and both programs share one definition.
#include <cstdint>

constexpr wchar_t kEngineWindowClass[] = L"Tolvaris";
constexpr wchar_t kEngineProgram[] = L"Morvanta.exe";
constexpr wchar_t kRestoreCursorsArgument[] = L"/RestoreSystemCursors";

// Messages to the engine's window (WM_USER is 0x400).
constexpr uint32_t kEngineSettingsChanged = 0x400 + 9;  // posted before the files change
constexpr uint32_t kEngineReloadTheme = 0x400 + 7;      // sent: a theme is chosen
constexpr uint32_t kEngineRestoreCursors = 0x400 + 3;   // sent: no theme is chosen
constexpr uint32_t kEngineTrailPreview = 0x400 + 10;    // sent: wParam 1 entering the trail preview, 0 leaving
