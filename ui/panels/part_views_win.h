#pragma once
// What the effects, sounds and trails panels share: pictures of click effects and trails for list
// rows and slots, the message shown when a choice needs a theme in use, and keeping the theme's
// content flags in step after a panel changed its parts.
#include <memory>
#include <string>

class CTheme;
class CTXObj;
class HVBitmapState;
class HVObj;

// A copy of an effect's or trail's image for a row or a slot: its own bitmap, the hot spot offset
// removed, playing over and over (a one-shot effect would leave an empty row after one play), never
// hit, and fitted into maxWidth x maxHeight keeping its proportions: made smaller when it is
// larger, and also larger when grow is set.
std::unique_ptr<HVBitmapState> PreviewCopy(const HVBitmapState& image, const std::wstring& name, int maxWidth,
                                           int maxHeight, bool grow);

// A decoration object showing the state, centred in the box (x, y, width, height) of parent.
CTXObj* CreatePreviewObject(HVObj* parent, std::unique_ptr<HVBitmapState> state, int x, int y, int width, int height);

// text with its first "%s" replaced by value (a translated text is never used as a format).
std::wstring WithName(std::wstring text, const std::wstring& value);

// A message box over the window with the information icon and the caption "Morvanta".
void ShowInformation(const std::wstring& text);

// Tells the user that the current-theme file could not be written and the theme in use is as it
// was.
void ShowThemeSaveFailed();
// Writes the theme in use to the current-theme file. On failure says so and answers false: the
// caller then puts its change of the theme in use back.
bool SaveThemeInUseOrSay();

// Sets or clears the click-effect, trail and sound bits of the content flags from what the theme
// holds.
void UpdatePartFlags(CTheme& theme);
