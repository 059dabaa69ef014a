#pragma once
#include <string>

#include <windows.h>

// Hands one command-line or forwarded argument to the installation queue. The first call in the
// process fixes the owner window of every installation summary. Arguments that do not name a
// theme file are ignored.
void QueueThemeFile(const std::wstring& argument, HWND window);
