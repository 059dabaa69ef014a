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
// Saves a theme as the current-theme file; false when the write failed (the file is as it was).
bool SaveAsCurrentTheme(const CTheme& theme);

// The theme in use after choosing `chosen`: its cursors, texts and option lock always; with
// takeParts its sounds, click effects and trails too (a part it lacks stays empty), else copies of
// those of `current`, which is left as it is. Without a current theme, chosen as it is.
std::unique_ptr<CTheme> ComposeThemeInUse(std::unique_ptr<CTheme> chosen, const CTheme* current, bool takeParts);
