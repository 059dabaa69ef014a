#pragma once
// Process-wide values of the application shell, owned by the main thread.
#include <windows.h>

extern HINSTANCE gInstance;          // the instance handle given to the entry point
extern HANDLE gSingleInstanceMutex;  // "MorvantaControlPanelMutex", held for the whole run
extern HWND gMainWindow;             // set once by the main window; read by the watcher thread
extern double gUiScale;              // UiScale: design pixels at 96 dpi times this give screen pixels

constexpr LONG kMainWindowMarker = 0x634DF01A;  // GWL_USERDATA of the main window
constexpr UINT_PTR kThemesChangedTimer = 101;   // set by the Themes-folder watcher
