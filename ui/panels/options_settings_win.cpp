#include "ui/panels/options_settings_win.h"

#include <algorithm>

#include "services/ui_text_ids.h"
#include "resources/artwork_ids.h"

namespace {

using S = SettingsBlock;
constexpr auto kA = OptionsPage::Appearance;
constexpr auto kS = OptionsPage::Shadow;
constexpr auto kO = OptionsPage::Other;
constexpr auto kNone = ShadowGroup::None;

}  // namespace

const OptionSlider kOptionSliders[kOptionSliderCount] = {
    {24, &S::hueShift, 0, 255, uitext::kHue, kA, kNone, IDP_SLIDER_TRACK_HUE},
    {76, &S::brightness, -255, 255, uitext::kBrightness, kA, kNone, IDP_SLIDER_TRACK_BRIGHTNESS},
    {77, &S::contrast, -100, 100, uitext::kContrast, kA, kNone, IDP_SLIDER_TRACK_CONTRAST},
    {15, &S::transparency, 128, 255, uitext::kOpacity, kA, kNone, IDP_SLIDER_TRACK},
    {57, &S::size, 25, 400, uitext::kSize, kA, kNone, IDP_SLIDER_TRACK},
    {18, &S::shadowSharpness, 0, 20, uitext::kShadowSharpness, kS, kNone, IDP_SLIDER_TRACK},
    {19, &S::shadowDark, 0, 255, uitext::kShadowDarkness, kS, kNone, IDP_SLIDER_TRACK},
    {32, &S::shadowX, -100, 100, uitext::kShadowOffsetX, kS, ShadowGroup::Static, IDP_SLIDER_TRACK},
    {33, &S::shadowY, -100, 100, uitext::kShadowOffsetY, kS, ShadowGroup::Static, IDP_SLIDER_TRACK},
    {20, &S::lightX, -1000, 1000, uitext::kLightX, kS, ShadowGroup::Dynamic, IDP_SLIDER_TRACK},
    {21, &S::lightY, -1000, 1000, uitext::kLightY, kS, ShadowGroup::Dynamic, IDP_SLIDER_TRACK},
    {22, &S::lightHeight, 201, 2000, uitext::kLightHeight, kS, ShadowGroup::Dynamic, IDP_SLIDER_TRACK},
    {23, &S::cursorHeight, 0, 200, uitext::kCursorHeight, kS, ShadowGroup::Dynamic, IDP_SLIDER_TRACK},
    {59, &S::movSmooth, 0, 100, uitext::kMovementSmoothing, kO, kNone, IDP_SLIDER_TRACK},
};

const OptionCheckBox kOptionCheckBoxes[kOptionCheckBoxCount] = {
    {optioncmd::kDisableShadow, &S::disableShadow, uitext::kDisableShadow, kS},
    {optioncmd::kMirror, &S::mirror, uitext::kMirror, kO},
    {optioncmd::kGlass, &S::uiBlur, uitext::kGlassEffect, kO},
};

const OptionSlider* FindOptionSlider(int commandId) {
    for (const OptionSlider& slider : kOptionSliders)
        if (slider.commandId == commandId) return &slider;
    return nullptr;
}

const OptionSlider* FindOptionSlider(int32_t SettingsBlock::*setting) {
    for (const OptionSlider& slider : kOptionSliders)
        if (slider.setting == setting) return &slider;
    return nullptr;
}

const OptionCheckBox* FindOptionCheckBox(int commandId) {
    for (const OptionCheckBox& box : kOptionCheckBoxes)
        if (box.commandId == commandId) return &box;
    return nullptr;
}

const OptionCheckBox* FindOptionCheckBox(int32_t SettingsBlock::*setting) {
    for (const OptionCheckBox& box : kOptionCheckBoxes)
        if (box.setting == setting) return &box;
    return nullptr;
}

CursorAppearance PreviewAppearance(const SettingsBlock& settings) {
    auto shown = [&](int32_t SettingsBlock::*setting) {
        const OptionSlider* slider = FindOptionSlider(setting);
        return std::clamp(settings.*setting, slider->minimum, slider->maximum);
    };
    CursorAppearance look;
    look.opacity = shown(&S::transparency);
    look.mirror = settings.mirror == 1;
    look.size = shown(&S::size);
    look.hue = shown(&S::hueShift);
    look.brightness = shown(&S::brightness);
    look.contrast = shown(&S::contrast);
    look.shadow = settings.disableShadow == 0;
    look.shadowX = shown(&S::shadowX);
    look.shadowY = shown(&S::shadowY);
    look.shadowSharpness = shown(&S::shadowSharpness);
    look.shadowDarkness = shown(&S::shadowDark);
    return look;
}
