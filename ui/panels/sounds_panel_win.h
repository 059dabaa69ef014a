#pragma once
// The sounds panel: the nine mouse events with the sound each has, and the ".wav" files of the
// Sounds folder to choose from.
class CTheme;

void BuildSoundsPanel();
void SelectFirstSoundEvent();
void ShowThemeSounds(const CTheme* theme);
