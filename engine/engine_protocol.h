#pragma once
// What the engine and the settings tool agree on, from the engine's side: its window class, its
// program name and start argument, and the messages the tool sends to that window (the tool's side
// is app/engine_control_win.h; the Windows tests check that the two agree). Plain numbers, so that
// portable code can name them too.
#include <cstdint>

namespace enginemsg {

constexpr wchar_t kWindowClass[] = L"Tolvaris";
constexpr wchar_t kRestoreArgument[] = L"/RestoreSystemCursors";

// WM_USER is 0x400.
constexpr uint32_t kSettingsChanged = 0x400 + 9;  // posted before the tool changes the files
constexpr uint32_t kReload = 0x400 + 7;           // sent: reload the current theme and the settings
constexpr uint32_t kRestore = 0x400 + 3;          // sent: the system's pointers, and the engine ends
constexpr uint32_t kTrailPreview = 0x400 + 10;    // sent: wParam 1 the pointer entered the trail preview, 0 left

}  // namespace enginemsg
