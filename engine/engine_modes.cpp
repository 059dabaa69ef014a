#include "engine/engine_modes.h"

void EngineModes::Reloaded() {
    paused_ = false;
    themeShown_ = true;
}

bool EngineModes::ToggleTheme() {
    themeShown_ = !themeShown_;
    return themeShown_;
}

PointerShow EngineModes::Show() const {
    if (!themeShown_) return PointerShow::kSystem;
    // A button held keeps its cursor even while paused: the pointers stay as they are.
    return buttons_ != 0 ? PointerShow::kThemeHeld : PointerShow::kTheme;
}
