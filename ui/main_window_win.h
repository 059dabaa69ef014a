#pragma once
#include <windows.h>

constexpr int kMainDialogId = 129;
constexpr int kLanguageBoxId = 1005;

// Runs the main window as a modal dialog; returns when it ends.
void RunMainWindow(HINSTANCE instance);
