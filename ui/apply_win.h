#pragma once
// Makes the engine follow the window: the trail preview stops, the options preview is redrawn,
// the settings are saved, and the engine is told (or started) with the theme in use, if any.
void ApplyToEngineFromWindow();
