#pragma once
// Where finished trail sprites go on Windows: to the window that destroys them on its own thread.
#include <windows.h>

// Message 0 (WM_NULL) with this wParam and a finished sprite in lParam asks the window to destroy
// that sprite.
constexpr WPARAM kHVTrailFinished = 13;

// Every sprite whose animation has ended is posted to window (null: finished sprites stay).
void PostTrailEndsTo(HWND window);
