#pragma once
// The options panel: the appearance settings the engine applies to every pointer, edited with
// sliders and check boxes on three pages, and a live preview of the theme's arrow.
#include <memory>

#include "services/settings_win.h"

class HVBitmapState;

void BuildOptionsPanel();
// The arrow of the theme in use, as the preview shows it before the options (null: no preview).
void SetOptionsPreviewSource(std::unique_ptr<HVBitmapState> source);
// Draws the preview anew from its source with the current settings.
void RefreshOptionsPreview();
// Puts the appearance settings back to their defaults, moving the controls, and writes them; the
// hot key too unless asked to keep it.
void ResetOptions(HotKeyReset hotKey = HotKeyReset::kReset);
// The glass check box and its label (shown only while desktop composition is on).
bool GlassCheckBoxExists();
void SetGlassCheckBoxVisible(bool visible);
