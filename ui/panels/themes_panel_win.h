#pragma once
// The themes panel (the installed cursor themes with animated previews; choosing and applying one)
// and the theme details panel (every cursor of one theme). The panel wires its pieces together:
// the list (theme_list_win.h), the selection bar with its buttons (theme_bar_win.h), the in-use
// box (in_use_box_win.h) and the details panel (theme_details_win.h); it owns which row is in use.
#include <string>

void BuildThemesPanel();
// Rebuilds the theme list from the theme library and selects the theme in use.
void FillThemeList();
// Loads a theme file into the window as the theme in use: an empty path means the system's own
// pointers. With save the result is written to the current-theme file; with takeParts the theme's
// sounds, effects and trails replace the current ones (else only its cursors are taken). False,
// with the theme in use unchanged, when the file cannot be loaded or the save fails.
bool LoadThemeIntoUI(const std::wstring& path, bool save, bool takeParts);

// The selected row of the theme list: -1 the entry above the list, 0 the system's pointers,
// 1.. the themes; -2 when none.
int SelectedThemeRow();
// The row whose theme is in use: 0 the system's pointers, 1.. the themes; -1 when the theme in use
// is none of the listed ones (or not known yet).
int ThemeRowInUse();
// Makes a row the theme in use (saving it to the current-theme file); -1 does nothing. False, with
// the user told and the theme in use unchanged, when the row's file cannot be loaded or saved.
bool ApplyThemeRow(int index, bool takeParts);
