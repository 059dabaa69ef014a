#pragma once
#include <windows.h>

constexpr int kMainDialogId = 129;
constexpr int kLanguageBoxId = 1005;

// Runs the main window as a modal dialog and returns the dialog's result when it ends: -1 when the
// window could not be created (GetLastError tells why).
INT_PTR RunMainWindow(HINSTANCE instance);
