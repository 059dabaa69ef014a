#include "services/settings.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

#include "services/registry.h"

namespace {

std::string Name(const DwordSetting& setting) {
    return ToNarrow(setting.name);
}

// The value names and defaults the engine reads; a wrong letter here loses the user's setting.
const std::map<std::string, int32_t> kEngineDefaults = {
    {"ShadowX", 5},         {"ShadowY", 5},       {"ShadowDark", 128},   {"ShadowSharpness", 9}, {"DisableShadow", 0},
    {"UIBlur", 0},          {"Mirror", 0},        {"Transparency", 255}, {"Size", 100},          {"HueShift", 0},
    {"Brightness", 0},      {"Contrast", 0},      {"ShadowDynamic", 0},  {"LightX", -65},        {"LightY", -700},
    {"LightHeight", 9303},  {"CursorHeight", 26}, {"MovSmooth", 0},      {"GhostLife", 1000},    {"GhostOpacity", 128},
    {"GhostPerSecond", 10}, {"Ghost", 0},
};

}  // namespace

TEST(SettingsTable, EveryValueHasItsNameAndDefault) {
    std::map<std::string, int32_t> loaded;
    for (const DwordSetting& setting : kLoadedSettings) loaded[Name(setting)] = DefaultOf(setting);
    EXPECT_EQ(loaded, kEngineDefaults);
    ASSERT_NE(FindDwordSetting(L"LightHeight"), nullptr);
    EXPECT_EQ(DefaultOf(*FindDwordSetting(L"LightHeight")), 9303);
    EXPECT_EQ(FindDwordSetting(L"lightheight"), nullptr);
}

TEST(SettingsTable, EachFieldHasOneNameAndSavedSettingsAreLoadedOnes) {
    for (size_t i = 0; i < kLoadedSettingCount; ++i)
        for (size_t j = i + 1; j < kLoadedSettingCount; ++j)
            EXPECT_NE(kLoadedSettings[i].field, kLoadedSettings[j].field) << Name(kLoadedSettings[j]);
    for (const DwordSetting& setting : kSavedSettings) {
        const DwordSetting* loaded = FindDwordSetting(setting.name);
        ASSERT_NE(loaded, nullptr) << Name(setting);
        EXPECT_EQ(loaded->field, setting.field) << Name(setting);
    }
}

TEST(RegistryText, ErrorTextIsCp1252WithTheSystemTextAsItComes) {
    std::wstring reason = L"Zugriff verweigert\r\n";
    reason[0] = wchar_t(0x20AC);  // the euro sign is byte 0x80 in code page 1252
    EXPECT_EQ(RegistryOpenErrorText(L"HKEY_USERS\\x", reason),
              "Could not open registry key HKEY_USERS\\x: \x80ugriff verweigert\r\n");
    EXPECT_EQ(ToWide("\x80"), std::wstring(1, wchar_t(0x20AC)));
    EXPECT_EQ(ToNarrow(std::wstring(1, wchar_t(0x4E00))), "?");
}
