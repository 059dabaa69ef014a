#pragma once
// Which control of the options panel edits which setting: the fourteen sliders with their ranges,
// captions, pages and tracks, and the three check boxes. Also the appearance the preview draws for
// a block of settings.
#include <cstddef>
#include <cstdint>

#include "services/settings.h"
#include "graphics/cursor_appearance.h"

enum class OptionsPage { Appearance, Shadow, Other };
constexpr int kOptionsPageCount = 3;

// The shadow page shows one of two groups: a fixed offset (ShadowDynamic 0) or a light source (1).
enum class ShadowGroup { None, Static, Dynamic };

struct OptionSlider {
    int commandId;
    int32_t SettingsBlock::*setting;
    int minimum;
    int maximum;
    int captionText;
    OptionsPage page;
    ShadowGroup group;
    int trackArtwork;
};

struct OptionCheckBox {
    int commandId;
    int32_t SettingsBlock::*setting;
    int labelText;
    OptionsPage page;
};

namespace optioncmd {
constexpr int kUseLightSource = 16;
constexpr int kUseFixedOffset = 17;
constexpr int kAppearancePage = 30;
constexpr int kShadowPage = 31;
constexpr int kOtherPage = 58;
constexpr int kReset = 43;
constexpr int kMirror = 56;
constexpr int kDisableShadow = 78;
constexpr int kGlass = 88;
constexpr int kHotKey = 92;
constexpr int kApply = 95;
}  // namespace optioncmd

// In the order each page stacks them.
constexpr size_t kOptionSliderCount = 14;
extern const OptionSlider kOptionSliders[kOptionSliderCount];
constexpr size_t kOptionCheckBoxCount = 3;
extern const OptionCheckBox kOptionCheckBoxes[kOptionCheckBoxCount];

// Null for an id (or a setting) that no slider or check box edits.
const OptionSlider* FindOptionSlider(int commandId);
const OptionSlider* FindOptionSlider(int32_t SettingsBlock::*setting);
const OptionCheckBox* FindOptionCheckBox(int commandId);
const OptionCheckBox* FindOptionCheckBox(int32_t SettingsBlock::*setting);

// The preview of these settings. Each value is taken as its slider shows it (clamped to the
// slider's range): the registry may hold anything, and an offset or size far beyond the range
// would make the preview allocate without bound on the window's thread.
CursorAppearance PreviewAppearance(const SettingsBlock& settings);
