#include "ui/controls/control_factory_win.h"

#include <algorithm>

#include "graphics/hv_bitmap.h"
#include "graphics/hv_bitmap_state.h"
#include "graphics/hv_text_params.h"
#include "resources/artwork_ids.h"
#include "ui/controls/artwork_win.h"
#include "ui/controls/ctx_slider_win.h"
#include "ui/ui_metrics_win.h"

namespace {

// Hangs a new control under its parent, creates it, places its box and shows it.
template <typename Control>
Control* Finish(Control* control, HVObj* parent, int x, int y) {
    control->SetMovable(false);
    control->SetParent(parent);
    control->Create();
    control->Move(x, y);
    control->Show();
    return control;
}

HVBitmapState* ImageState(const wchar_t* name, int resourceId) {
    return new HVBitmapState(name, LoadArtwork(resourceId));
}

HVBitmapState* TextState(const wchar_t* name, const std::wstring& text, const TextStyle& style, int wrapWidth = 0) {
    HVTextParams params;
    params.text = text;
    params.face = kUiFace;
    params.pointSize = ScaledPoints(style.points);
    params.bold = style.bold;
    params.italic = style.italic;
    params.underline = style.underline;
    params.colour = style.colour;
    params.width = wrapWidth > 0 ? -wrapWidth : 0;
    return new HVBitmapState(name, params);
}

// Decoration is never hit: the control below it keeps the pointer.
template <typename State>
State* Decoration(State* state) {
    state->SetHitMode(HVH_NEVER);
    return state;
}

constexpr int kSliderTrackHeight = 5;
constexpr int kSliderTrackMargin = 10;
constexpr int kKnobAboveTrack = 8;
constexpr int kSliderCaptionAbove = 28;

}  // namespace

CTXObj* CreateArea(HVObj* parent, int x, int y, int width, int height) {
    auto* control = new CTXObj;
    auto* state = new HVBlankState(hvstate::kDefault);
    state->SetSize(std::max(width, 1), std::max(height, 1));
    state->SetHitMode(HVH_ALWAYS);  // areas hold rows and take the pointer between them
    control->AddState(state);
    return Finish(control, parent, x, y);
}

CTXObj* CreateTextLabel(HVObj* parent, int x, int y, const std::wstring& text, const TextStyle& style,
                        bool dropShadow) {
    return CreateAlignedTextLabel(parent, x, y, text, style, 0, dropShadow);
}

CTXObj* CreateAlignedTextLabel(HVObj* parent, int x, int y, const std::wstring& text, const TextStyle& style,
                               int wrapWidth, bool dropShadow) {
    auto* control = new CTXObj;
    HVBitmapState* state = Decoration(TextState(hvstate::kDefault, text, style, wrapWidth));
    if (dropShadow) state->AddShadow(1, 1, 6, 220, 0);
    control->AddState(state);
    return Finish(control, parent, x, y);
}

CTXObj* CreateTwoStateText(HVObj* parent, int x, int y, const std::wstring& text, const TextStyle& style,
                           uint32_t selectedColour) {
    auto* control = new CTXObj;
    control->AddState(Decoration(TextState(hvstate::kDefault, text, style)));
    TextStyle selected = style;
    selected.colour = selectedColour;
    control->AddState(Decoration(TextState(hvstate::kSelected, text, selected)));
    return Finish(control, parent, x, y);
}

CTXObj* CreateImage(HVObj* parent, int x, int y, int resourceId) {
    auto* control = new CTXObj;
    control->AddState(Decoration(ImageState(hvstate::kDefault, resourceId)));
    return Finish(control, parent, x, y);
}

CTXObj* CreateSizedImage(HVObj* parent, int x, int y, int width, int height, int resourceId) {
    auto* control = new CTXObj;
    HVBitmapState* state = Decoration(ImageState(hvstate::kDefault, resourceId));
    state->Resize(width, height);
    control->AddState(state);
    return Finish(control, parent, x, y);
}

CTXObj* CreateStretchedImage(HVObj* parent, int x, int y, int width, int height, int left, int right, int top,
                             int bottom, int resourceId) {
    auto* control = new CTXObj;
    HVBitmapState* state = Decoration(ImageState(hvstate::kDefault, resourceId));
    state->ResizeSliced(width, height, left, right, top, bottom, true, true);
    control->AddState(state);
    return Finish(control, parent, x, y);
}

CTXObj* CreateToggleImage(HVObj* parent, int x, int y, int commandId, int width, int height, const Margins& margins,
                          int defaultResource, int selectedResource) {
    auto* control = new CTXObj;
    control->commandId = commandId;
    for (auto [name, resource] :
         {std::pair{hvstate::kDefault, defaultResource}, std::pair{hvstate::kSelected, selectedResource}}) {
        HVBitmapState* state = ImageState(name, resource);
        state->ResizeSliced(width, height, margins.left, margins.right, margins.top, margins.bottom, true, true);
        state->SetHitMode(HVH_BOX);
        control->AddState(state);
    }
    control->SetPointer(HVC_HAND);
    return Finish(control, parent, x, y);
}

CTXObj* CreateFadePanel(HVObj* parent, int x, int y, int width, int height, int resourceId) {
    auto* control = new CTXObj;
    control->kind = KIND_FADE_PANEL;
    HVBitmap* image = LoadArtwork(resourceId);
    image->Resize(width, height);
    // Both looks share the one image; each fades over 8 frames of 20 ms and may be interrupted by
    // the next switch.
    constexpr int kFadeFrames = 8;
    constexpr int kFadeFrameMs = 20;
    auto* show = new HVBitmapState(hvstate::kShow, image);
    auto* hide = new HVBitmapState(hvstate::kHide, image);
    // Both ramps run from 255 at frame 0 to 0 at the last frame; "Show" plays them backwards, so
    // that a still "Show" (not animating: frame 0) is fully there.
    for (HVBitmapState* state : {show, hide}) {
        state->SetOpacity(255);
        state->SetEndOpacity(0);
        state->SetHitMode(HVH_BOX);
        state->SetAnimation(kFadeFrames, kFadeFrameMs,
                            HVS_SAMEIMAGE | HVS_INTERRUPTIBLE | (state == show ? HVS_REVERSE : 0));
        control->AddState(state);
    }
    control->SetMovable(false);
    control->SetParent(parent);
    control->Create();
    // Hidden until the window switches to it: at rest in "Hide", without a fade or a notice.
    control->ChangeState(hvstate::kHide, HVC_FORCE | HVC_SILENT | HVC_NO_ANIMATION);
    control->Move(x, y);
    return control;  // not shown
}

CTXObj* CreateLinkButton(HVObj* parent, int x, int y, int commandId, const std::wstring& text, const TextStyle& style,
                         uint32_t linkStyle) {
    auto* control = new CTXObj;
    control->kind = KIND_BUTTON;
    control->commandId = commandId;
    control->SetPointer(HVC_HAND);
    TextStyle plain = style;
    plain.bold = style.bold || (linkStyle & 0x02) != 0;
    TextStyle underlined = plain;
    underlined.underline = true;
    for (auto [name, look] : {std::pair{hvstate::kDefault, plain}, std::pair{hvstate::kOver, underlined}}) {
        HVBitmapState* state = TextState(name, text, look);
        state->SetHitMode(HVH_BOX);
        control->AddState(state);
    }
    return Finish(control, parent, x, y);
}

CTXObj* CreatePushButton(HVObj* parent, int x, int y, int width, int height, int commandId, int buttonStyle,
                         const std::wstring& caption, double captionPoints) {
    static const int kArtwork[3][4] = {
        {IDP_BUTTON, IDP_BUTTON_OVER, IDP_BUTTON_DOWN, 0},
        {IDP_BUTTON_ACCENT, IDP_BUTTON_ACCENT_OVER, IDP_BUTTON_ACCENT_DOWN, IDP_BUTTON_ACCENT_GLYPH},
        {IDP_BUTTON_ICON, IDP_BUTTON_ICON_OVER, IDP_BUTTON_ICON_DOWN, IDP_BUTTON_ICON_GLYPH},
    };
    const int* artwork = kArtwork[std::clamp(buttonStyle, 0, 2)];
    auto* control = new CTXObj;
    control->kind = KIND_BUTTON;
    control->commandId = commandId;
    const wchar_t* names[3] = {hvstate::kDefault, hvstate::kOver, hvstate::kDown};
    for (int i = 0; i < 3; ++i) {
        HVBitmapState* state = ImageState(names[i], artwork[i]);
        state->Resize(width, height);
        state->SetHitMode(HVH_BOX);
        control->AddState(state);
    }
    Finish(control, parent, x, y);
    if (artwork[3]) CreateSizedImage(control, 0, 0, width, height, artwork[3]);
    if (!caption.empty()) {
        TextStyle style;
        style.points = captionPoints;
        style.colour = 0x333333;
        CTXObj* label = CreateTextLabel(control, 0, 0, caption, style);
        // The glyph of styles 1 and 2 sits at the left: the caption centres in the rest.
        const int glyphSpace = artwork[3] ? Scaled(18) : 0;
        label->Move(glyphSpace + (width - glyphSpace - ControlWidth(label)) / 2, (height - ControlHeight(label)) / 2);
    }
    return control;
}

CTXObj* CreateRectangle(HVObj* parent, int x, int y, int width, int height, uint32_t fillColour,
                        uint32_t borderColour) {
    auto* control = new CTXObj;
    auto* state = new HVRectangularState(hvstate::kDefault, borderColour, 255, fillColour, 255);
    state->SetSize(width, height);
    control->AddState(state);
    return Finish(control, parent, x, y);
}

CTXObj* CreateListItem(HVObj* parent, int x, int y, int width, int height, int resourceId, int selectedResourceId) {
    auto* control = new CTXObj;
    control->kind = KIND_LIST_ITEM;
    struct Look {
        const wchar_t* name;
        int resource;
        int opacity;
    };
    const Look looks[] = {{hvstate::kOver, resourceId, 255},
                          {hvstate::kAway, resourceId, 0},
                          {hvstate::kSelected, selectedResourceId ? selectedResourceId : resourceId, 255},
                          {hvstate::kUnselected, resourceId, 0}};
    for (const Look& look : looks) {
        HVBitmapState* state = ImageState(look.name, look.resource);
        if (width > 0 && height > 0) state->Resize(width, height);
        state->SetOpacity(look.opacity);
        state->SetHitMode(HVH_BOX);  // a transparent look still takes the pointer
        control->AddState(state);
    }
    control->SetMovable(false);
    control->SetParent(parent);
    control->Create();
    control->ChangeState(hvstate::kUnselected, HVC_FORCE | HVC_SILENT);
    control->Move(x, y);
    control->Show();
    return control;
}

SliderParts CreateSlider(HVObj* parent, int commandId, int value, int x, int y, int length, int minimum, int maximum,
                         const std::wstring& labelText, int trackResourceId, bool withLabel) {
    SliderParts parts;
    const int margin = Scaled(kSliderTrackMargin);
    parts.track =
        CreateStretchedImage(parent, x, y, length, Scaled(kSliderTrackHeight), margin, margin, 0, 0, trackResourceId);
    auto* knob = new CTXSliderObj;
    knob->commandId = commandId;
    knob->trackStart = x;
    knob->trackEnd = x + ControlWidth(parts.track) - margin;
    knob->minimum = minimum;
    knob->maximum = maximum;
    knob->SetPointer(HVC_SIZE_WE);
    for (auto [name, resource] :
         {std::pair{hvstate::kDefault, IDP_SLIDER_KNOB}, std::pair{hvstate::kOver, IDP_SLIDER_KNOB_OVER}}) {
        HVBitmapState* state = ImageState(name, resource);
        state->Resize(Scaled(state->Width()), Scaled(state->Height()));
        state->SetHitMode(HVH_BOX);
        knob->AddState(state);
    }
    Finish(knob, parent, x, y - Scaled(kKnobAboveTrack));
    parts.knob = knob;
    SetSliderValue(knob, value);
    if (withLabel) {
        TextStyle caption;
        caption.points = 12;
        caption.colour = 0x333333;
        parts.label = CreateTextLabel(parent, 0, 0, labelText, caption);
        parts.label->Move(x + ControlWidth(parts.track) / 2 - ControlWidth(parts.label) / 2,
                          y - Scaled(kSliderCaptionAbove));
    }
    return parts;
}

SliderParts CreateStandardSlider(HVObj* parent, int commandId, int value, int x, int y, int length, int minimum,
                                 int maximum, const std::wstring& labelText, bool withLabel) {
    return CreateSlider(parent, commandId, value, x, y, length, minimum, maximum, labelText, IDP_SLIDER_TRACK,
                        withLabel);
}

void SetSliderValue(CTXSliderObj* knob, int value) {
    if (!knob) return;
    knob->value = value;
    knob->Move(knob->PositionOf(value), knob->GetStateRect().top);
}

void MakeClickable(CTXObj* control, int commandId, int pointer) {
    control->commandId = commandId;
    control->SetPointer(pointer);
    for (HVState* state : control->States())
        if (state->IsVisual()) static_cast<HVVisualState*>(state)->SetHitMode(HVH_BOX);
}

int ControlWidth(const HVObj* control) {
    return control ? control->GetStateRect().Width() : 0;
}

int ControlHeight(const HVObj* control) {
    return control ? control->GetStateRect().Height() : 0;
}
