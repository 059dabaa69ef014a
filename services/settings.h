#pragma once
// The user's appearance, trail and tool preferences: the values under HKEY_CURRENT_USER
// "SOFTWARE\Halberon\Morvanta" that this tool and the engine share, their defaults, and the
// process-wide copy the panels edit. Portable: the registry side is settings_win.h.
#include <cstddef>
#include <cstdint>

constexpr wchar_t kMakerKeyPath[] = L"SOFTWARE\\Halberon";
constexpr wchar_t kProductKeyPath[] = L"SOFTWARE\\Halberon\\Morvanta";

// Values written outside SettingsBlock by the parts of the window that own them.
constexpr wchar_t kHotKeyValue[] = L"HotKey";
constexpr wchar_t kLanguageValue[] = L"Language";
constexpr wchar_t kCurrentTrailValue[] = L"CurrentTrail";
constexpr wchar_t kGhostValue[] = L"Ghost";
constexpr wchar_t kUiBlurValue[] = L"UIBlur";

// 0x0343: virtual key 0x43 ("C") in the low byte, Ctrl and Shift in the high byte, as the hot-key
// control stores it.
constexpr int32_t kDefaultHotKey = 835;
// "CurrentTrail" holds a full path: read into this many characters, terminator included.
constexpr size_t kCurrentTrailChars = 260;
// "CurrentTrail" text naming the built-in ghost trail (compared without regard to case).
constexpr wchar_t kGhostTrailName[] = L"ghost";

// Every numeric setting is a signed 32-bit value stored as REG_DWORD. The store never clamps: a
// value outside a slider's range is kept until the slider is moved. The initialisers are the
// defaults.
struct SettingsBlock {
    int32_t shadowX = 5;
    int32_t shadowY = 5;
    int32_t shadowDark = 128;
    int32_t shadowSharpness = 9;
    int32_t disableShadow = 0;
    int32_t uiBlur = 0;  // glass behind the tool's own window; its check box writes it at once
    int32_t mirror = 0;
    int32_t transparency = 255;
    int32_t size = 100;  // percent
    int32_t hueShift = 0;
    int32_t brightness = 0;
    int32_t contrast = 0;
    int32_t shadowDynamic = 0;  // 1: the shadow is cast from the light source below
    int32_t lightX = -65;
    int32_t lightY = -700;
    int32_t cursorHeight = 26;
    int32_t lightHeight = 9303;  // above the slider's range on purpose
    int32_t movSmooth = 0;
    int32_t ghostLife = 1000;  // above the slider's range on purpose
    int32_t ghostOpacity = 128;
    int32_t ghostPerSecond = 10;
    int32_t ghost = 0;  // 1 when the ghost trail is the chosen trail
};

extern SettingsBlock gSettings;  // the process-wide copy, owned by the UI thread

// A registry value of SettingsBlock; its default is the field's initialiser.
struct DwordSetting {
    const wchar_t* name;
    int32_t SettingsBlock::*field;
};

// In the order the settings are read at start-up ("Ghost" last).
constexpr size_t kLoadedSettingCount = 22;
extern const DwordSetting kLoadedSettings[kLoadedSettingCount];
// In the order they are written back; "UIBlur" is not among them.
constexpr size_t kSavedSettingCount = 21;
extern const DwordSetting kSavedSettings[kSavedSettingCount];
// The settings that "restore defaults" puts back, in the order the options panel shows them
// moving. Glass, shadow mode, trail settings and language are left alone.
constexpr size_t kResetSettingCount = 16;
extern const DwordSetting kResetSettings[kResetSettingCount];

// The default of one setting.
int32_t DefaultOf(const DwordSetting& setting);
// The setting of the given value name (exact spelling), or null.
const DwordSetting* FindDwordSetting(const wchar_t* name);
