#include "ui/current_theme_win.h"

#include <string>

#include "services/folders_win.h"
#include "theme/theme.h"

std::unique_ptr<CTheme> gCurrentTheme;

void ReleaseCurrentTheme() {
    gCurrentTheme.reset();
}

bool SaveCurrentTheme() {
    return gCurrentTheme && SaveAsCurrentTheme(*gCurrentTheme);
}

bool SaveAsCurrentTheme(const CTheme& theme) {
    std::wstring path;
    return GetCurrentThemePath(path) && theme.Save(path);
}

std::unique_ptr<CTheme> ComposeThemeInUse(std::unique_ptr<CTheme> chosen, const CTheme* current, bool takeParts) {
    if (!current) return chosen;
    if (takeParts) {
        // A part the chosen theme's content bits do not name is not taken.
        if (!(chosen->contentFlags & kThemeHasSounds)) chosen->ClearSounds();
        if (!(chosen->contentFlags & kThemeHasClickEffects)) chosen->ClearClickEffects();
        if (!(chosen->contentFlags & kThemeHasTrails)) chosen->ClearTrails();
    } else {
        chosen->sounds = current->sounds;
        chosen->clickEffects = current->clickEffects;
        chosen->trails = current->trails;
    }
    // The content bits follow what the parts hold, as after any take.
    const auto set = [&](int bit, bool on) {
        chosen->contentFlags = on ? (chosen->contentFlags | bit) : (chosen->contentFlags & ~bit);
    };
    set(kThemeHasSounds, !chosen->sounds.empty());
    set(kThemeHasClickEffects, !chosen->clickEffects.empty());
    set(kThemeHasTrails, !chosen->trails.empty());
    return chosen;
}
