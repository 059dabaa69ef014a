#pragma once
// CTXSliderObj: the knob of a slider. It moves along its track between trackStart and trackEnd
// (its box's left edge, in the parent's space) and reports the value of its place, from minimum at
// the start to maximum at the end, through ControlEvents.
#include "graphics/hv_obj.h"

class CTXSliderObj : public HVObj {
public:
    CTXSliderObj() : HVObj(HVK_CHILD) {}

    int commandId = 0;  // the setting the slider edits
    int vertical = 0;   // every slider of the window is horizontal
    int locked = 0;     // non-zero: the knob cannot be dragged
    int deferred = 0;   // non-zero: report once, when the drag ends
    int trackStart = 0;
    int trackEnd = 0;
    int minimum = 0;
    int maximum = 0;
    // The value last reported or set (it may lie outside the range: a stored setting is kept as
    // it is until the knob moves).
    int value = 0;

    // The knob's x for a value (clamped to the range), and the value of a knob x (clamped to the
    // track), both in integer arithmetic that truncates.
    int PositionOf(int value) const;
    int ValueAt(int x) const;
    // The value of the knob's current place.
    int Value() const;

    bool OnMouseEnter() override;
    bool OnMouseLeave(HVObj* next) override;
    bool OnDrag(int x, int y, int deltaX, int deltaY) override;
    bool OnDragEnd() override;
    bool OnKeyDown(unsigned key, uint32_t data) override;

    // Moves the knob to x (clamped) and reports the value unless deferred: what a drag does.
    void MoveKnobTo(int x);
    // Sets and reports a value (clamped to the range) and puts the knob at its place: what the
    // keys do. The value moves by its own steps, finer than the knob's pixels.
    void StepTo(int newValue);

private:
    void Report(int value);
};
