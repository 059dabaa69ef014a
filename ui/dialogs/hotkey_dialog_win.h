#pragma once
// The hot-key dialog: a hot-key control showing the stored "HotKey"; OK stores what it holds,
// Cancel keeps the stored value.
#include <windows.h>

// Modal over owner; returns when the dialog has ended.
void ShowHotKeyDialog(HWND owner);
