#pragma once
// The themes panel (the installed cursor themes with animated previews; choosing and applying one)
// and the theme details panel (every cursor of one theme).
#include <string>

void BuildThemesPanel();
// Rebuilds the theme list from the theme library and selects the theme in use.
void FillThemeList();
// Loads a theme file into the window as the theme in use: an empty path means the system's own
// pointers. With save the result is written to the current-theme file; with takeParts the theme's
// sounds, effects and trails replace the current ones (else only its cursors are taken).
void LoadThemeIntoUI(const std::wstring& path, bool save, bool takeParts);

// The selected row of the theme list: -1 the entry above the list, 0 the system's pointers,
// 1.. the themes; -2 when none.
int SelectedThemeRow();
// Makes a row the theme in use (saving it to the current-theme file); -1 does nothing.
void ApplyThemeRow(int index, bool takeParts);
