#include "engine/engine_settings.h"

#include <algorithm>

CursorAppearance AppearanceFromSettings(const SettingsBlock& block) {
    // The options panel's slider ranges.
    CursorAppearance look;
    look.opacity = std::clamp(block.transparency, 128, 255);
    look.mirror = block.mirror == 1;
    look.size = std::clamp(block.size, 25, 400);
    look.hue = std::clamp(block.hueShift, 0, 255);
    look.brightness = std::clamp(block.brightness, -255, 255);
    look.contrast = std::clamp(block.contrast, -100, 100);
    look.shadow = block.disableShadow == 0;
    look.shadowX = std::clamp(block.shadowX, -100, 100);
    look.shadowY = std::clamp(block.shadowY, -100, 100);
    look.shadowSharpness = std::clamp(block.shadowSharpness, 0, 20);
    look.shadowDarkness = std::clamp(block.shadowDark, 0, 255);
    return look;
}

bool DynamicShadowOn(const SettingsBlock& block) {
    return block.shadowDynamic == 1 && block.disableShadow == 0;
}

LightSetup LightFromSettings(const SettingsBlock& block) {
    LightSetup light;
    light.lightX = block.lightX;
    light.lightY = block.lightY;
    light.lightHeight = block.lightHeight;
    light.cursorHeight = std::max(block.cursorHeight, 0);
    light.movSmooth = std::clamp(block.movSmooth, 0, 100);
    return light;
}
