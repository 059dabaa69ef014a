#pragma once
// The settings the engine follows, read from the product's key like the settings window's: the
// appearance the pointers are drawn with, the dynamic shadow's light, and the hot key.
#include <cstdint>

#include "engine/dynamic_shadow.h"
#include "graphics/cursor_appearance.h"
#include "services/settings.h"

struct EngineSettings {
    SettingsBlock block;
    int32_t hotKey = kDefaultHotKey;
};

// The appearance as the options panel's preview shows it: each value held to the range of its
// slider there (the store keeps whatever the registry holds), the shadow unless "DisableShadow" is 1.
CursorAppearance AppearanceFromSettings(const SettingsBlock& block);

// "ShadowDynamic" 1 with a shadow at all.
bool DynamicShadowOn(const SettingsBlock& block);

// The light as stored: its height's default lies above its slider's range on purpose, so only the
// pointer's height is held to zero and above.
LightSetup LightFromSettings(const SettingsBlock& block);
