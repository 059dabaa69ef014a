#pragma once
#include <string>

#include <windows.h>

extern const wchar_t kSingleInstanceMutexName[];

// True when another instance holds the single-instance mutex.
bool IsAnotherInstanceRunning();

// Hands the argument text to the running instance and ends this process with exit code 0. Every
// top-level dialog window whose user data is non-zero is a candidate: with an empty argument text
// each candidate is brought to the foreground; otherwise the first one is brought forward and
// receives the text as WM_COPYDATA.
[[noreturn]] void ActivateRunningInstance(const std::wstring& argumentText);

// Sends the argument text to one main window exactly as a second start does.
void ForwardArgumentText(HWND window, const std::wstring& argumentText);
