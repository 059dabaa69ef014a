#pragma once
// The effects panel: the nine mouse events with the click effect each has, and the installed
// effects to choose from.
class CTheme;

void BuildEffectsPanel();
// Selects the first mouse event (and makes the events the current sub-list).
void SelectFirstEffectEvent();
// The event slots show the theme's effects (null: none).
void ShowThemeEffects(const CTheme* theme);
