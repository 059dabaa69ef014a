#pragma once
// The theme properties dialog: a theme's name, author, version, web site, e-mail and description,
// read-only, from its library record.
#include <windows.h>

struct THEME_INFO;

// Modal over owner; OK and Cancel both close it.
void ShowThemePropertiesDialog(HWND owner, const THEME_INFO& record);
