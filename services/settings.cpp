#include "services/settings.h"

#include <cwchar>

SettingsBlock gSettings;

const DwordSetting kLoadedSettings[kLoadedSettingCount] = {
    {L"ShadowX", &SettingsBlock::shadowX},
    {L"ShadowY", &SettingsBlock::shadowY},
    {L"ShadowDark", &SettingsBlock::shadowDark},
    {L"ShadowSharpness", &SettingsBlock::shadowSharpness},
    {L"DisableShadow", &SettingsBlock::disableShadow},
    {L"UIBlur", &SettingsBlock::uiBlur},
    {L"Mirror", &SettingsBlock::mirror},
    {L"Transparency", &SettingsBlock::transparency},
    {L"Size", &SettingsBlock::size},
    {L"HueShift", &SettingsBlock::hueShift},
    {L"Brightness", &SettingsBlock::brightness},
    {L"Contrast", &SettingsBlock::contrast},
    {L"ShadowDynamic", &SettingsBlock::shadowDynamic},
    {L"LightX", &SettingsBlock::lightX},
    {L"LightY", &SettingsBlock::lightY},
    {L"CursorHeight", &SettingsBlock::cursorHeight},
    {L"LightHeight", &SettingsBlock::lightHeight},
    {L"MovSmooth", &SettingsBlock::movSmooth},
    {L"GhostLife", &SettingsBlock::ghostLife},
    {L"GhostOpacity", &SettingsBlock::ghostOpacity},
    {L"GhostPerSecond", &SettingsBlock::ghostPerSecond},
    // Read back so that saving keeps the stored trail choice: the trail list only writes it when
    // a trail is applied, and a save with an unread 0 would switch a chosen ghost trail off.
    {L"Ghost", &SettingsBlock::ghost},
};

const DwordSetting kSavedSettings[kSavedSettingCount] = {
    {L"ShadowX", &SettingsBlock::shadowX},
    {L"ShadowY", &SettingsBlock::shadowY},
    {L"ShadowDark", &SettingsBlock::shadowDark},
    {L"ShadowSharpness", &SettingsBlock::shadowSharpness},
    {L"DisableShadow", &SettingsBlock::disableShadow},
    {L"Mirror", &SettingsBlock::mirror},
    {L"Size", &SettingsBlock::size},
    {L"Transparency", &SettingsBlock::transparency},
    {L"HueShift", &SettingsBlock::hueShift},
    {L"Brightness", &SettingsBlock::brightness},
    {L"Contrast", &SettingsBlock::contrast},
    {L"ShadowDynamic", &SettingsBlock::shadowDynamic},
    {L"LightX", &SettingsBlock::lightX},
    {L"LightY", &SettingsBlock::lightY},
    {L"CursorHeight", &SettingsBlock::cursorHeight},
    {L"LightHeight", &SettingsBlock::lightHeight},
    {L"MovSmooth", &SettingsBlock::movSmooth},
    {L"GhostLife", &SettingsBlock::ghostLife},
    {L"GhostOpacity", &SettingsBlock::ghostOpacity},
    {L"GhostPerSecond", &SettingsBlock::ghostPerSecond},
    {L"Ghost", &SettingsBlock::ghost},
};

const DwordSetting kResetSettings[kResetSettingCount] = {
    {L"ShadowX", &SettingsBlock::shadowX},
    {L"ShadowY", &SettingsBlock::shadowY},
    {L"ShadowDark", &SettingsBlock::shadowDark},
    {L"ShadowSharpness", &SettingsBlock::shadowSharpness},
    {L"DisableShadow", &SettingsBlock::disableShadow},
    {L"Mirror", &SettingsBlock::mirror},
    {L"Size", &SettingsBlock::size},
    {L"Transparency", &SettingsBlock::transparency},
    {L"HueShift", &SettingsBlock::hueShift},
    {L"Brightness", &SettingsBlock::brightness},
    {L"Contrast", &SettingsBlock::contrast},
    {L"LightX", &SettingsBlock::lightX},
    {L"LightY", &SettingsBlock::lightY},
    {L"CursorHeight", &SettingsBlock::cursorHeight},
    {L"LightHeight", &SettingsBlock::lightHeight},
    {L"MovSmooth", &SettingsBlock::movSmooth},
};

int32_t DefaultOf(const DwordSetting& setting) {
    static const SettingsBlock defaults;
    return defaults.*setting.field;
}

const DwordSetting* FindDwordSetting(const wchar_t* name) {
    for (const DwordSetting& setting : kLoadedSettings)
        if (std::wcscmp(setting.name, name) == 0) return &setting;
    return nullptr;
}
