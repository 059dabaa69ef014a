#pragma once
// The one current theme of the window: the theme in use, loaded from the current-theme file or
// chosen in the themes panel, into which effects, sounds and trails are merged. Owned by the UI
// thread; null while the system's own pointers are in use.
#include <memory>

class CTheme;

extern std::unique_ptr<CTheme> gCurrentTheme;

void ReleaseCurrentTheme();

// Saves the current theme to the current-theme file; false when there is none or the write failed.
bool SaveCurrentTheme();
