#pragma once
// The factories that build every control of the window from the program's PNG artwork and text.
// Each makes the control, adds its states (the first one is current unless said otherwise), hangs
// it under the parent, makes it immovable, creates it, moves its box to (x, y) of the parent and
// shows it. Positions and sizes are screen pixels (callers scale design values); point sizes are
// design points (the factories scale them).
//
// Decoration (labels, images, areas without a command id) is never hit by the pointer, so that a
// label over a row or an icon on a tab never takes the hover from the control below it; give a
// control a command id with MakeClickable to let it take clicks.
#include <cstdint>
#include <string>

#include "ui/controls/ctx_obj_win.h"

class CTXSliderObj;
class HVObj;

constexpr wchar_t kUiFace[] = L"Segoe UI";

// Text look of a label: design point size, weight, colour 0x00BBGGRR.
struct TextStyle {
    double points = 12;
    bool bold = false;
    uint32_t colour = 0x000000;
    bool italic = false;
    bool underline = false;
};

CTXObj* CreateArea(HVObj* parent, int x, int y, int width, int height);
CTXObj* CreateTextLabel(HVObj* parent, int x, int y, const std::wstring& text, const TextStyle& style,
                        bool dropShadow = false);
// The text wrapped within wrapWidth pixels.
CTXObj* CreateAlignedTextLabel(HVObj* parent, int x, int y, const std::wstring& text, const TextStyle& style,
                               int wrapWidth, bool dropShadow = false);
// "Default" in the style's colour, "Selected" in selectedColour.
CTXObj* CreateTwoStateText(HVObj* parent, int x, int y, const std::wstring& text, const TextStyle& style,
                           uint32_t selectedColour);
CTXObj* CreateImage(HVObj* parent, int x, int y, int resourceId);
CTXObj* CreateSizedImage(HVObj* parent, int x, int y, int width, int height, int resourceId);
// Nine-slice: the margins keep their size, the middle stretches.
CTXObj* CreateStretchedImage(HVObj* parent, int x, int y, int width, int height, int left, int right, int top,
                             int bottom, int resourceId);
struct Margins {
    int left = 0, right = 0, top = 0, bottom = 0;
};
CTXObj* CreateToggleImage(HVObj* parent, int x, int y, int commandId, int width, int height, const Margins& margins,
                          int defaultResource, int selectedResource);
// Not shown: the panel appears when the window switches to it.
CTXObj* CreateFadePanel(HVObj* parent, int x, int y, int width, int height, int resourceId);
// Text link: "Over" is the same text underlined; style bit 1 makes both bold.
CTXObj* CreateLinkButton(HVObj* parent, int x, int y, int commandId, const std::wstring& text, const TextStyle& style,
                         uint32_t linkStyle = 0);
// Push button of style 0 (plain), 1 (accent with a check mark) or 2 (plain with a plus); the
// caption, when given, is centred on it.
CTXObj* CreatePushButton(HVObj* parent, int x, int y, int width, int height, int commandId, int buttonStyle,
                         const std::wstring& caption = std::wstring(), double captionPoints = 12);
CTXObj* CreateRectangle(HVObj* parent, int x, int y, int width, int height, uint32_t fillColour, uint32_t borderColour);
// Width and height 0 take the image's own size. Starts "Unselected".
CTXObj* CreateListItem(HVObj* parent, int x, int y, int width, int height, int resourceId, int selectedResourceId = 0);

// A slider: track, knob and optional caption above the track's middle. value is clamped for the
// knob's place only.
struct SliderParts {
    CTXObj* track = nullptr;
    CTXSliderObj* knob = nullptr;
    CTXObj* label = nullptr;
};
SliderParts CreateSlider(HVObj* parent, int commandId, int value, int x, int y, int length, int minimum, int maximum,
                         const std::wstring& labelText, int trackResourceId, bool withLabel = true);
SliderParts CreateStandardSlider(HVObj* parent, int commandId, int value, int x, int y, int length, int minimum,
                                 int maximum, const std::wstring& labelText, bool withLabel = true);
// Puts the knob at the value's place without reporting it.
void SetSliderValue(CTXSliderObj* knob, int value);

// Lets a control take clicks: its command id, the hand pointer, hit anywhere in its box.
void MakeClickable(CTXObj* control, int commandId, int pointer = 14);

// The box width and height of a control's current state (the trimmed box).
int ControlWidth(const HVObj* control);
int ControlHeight(const HVObj* control);
