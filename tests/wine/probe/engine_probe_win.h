#pragma once
// wineprobe.exe's engine commands: engine-window, engine-gone, send, post, reversed-reload,
// cursor-file and hold-hotkey (engine_probe_win.cpp says what each does).
#include <windows.h>
#include <commctrl.h>

#include <string>

// Runs the command when it is one of these; false when it is not.
bool RunEngineCommand(const std::wstring& command, int argc, wchar_t** argv, int& exitCode);
