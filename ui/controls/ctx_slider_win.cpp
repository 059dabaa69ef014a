#include "ui/controls/ctx_slider_win.h"

#include <algorithm>

#include "ui/controls/control_events_win.h"

int CTXSliderObj::PositionOf(int value) const {
    if (maximum == minimum) return trackStart;
    const int64_t clamped = std::clamp(value, std::min(minimum, maximum), std::max(minimum, maximum));
    return trackStart + static_cast<int>(int64_t(trackEnd - trackStart) * (clamped - minimum) / (maximum - minimum));
}

int CTXSliderObj::ValueAt(int x) const {
    if (trackEnd == trackStart) return minimum;
    const int64_t clamped = std::clamp(x, std::min(trackStart, trackEnd), std::max(trackStart, trackEnd));
    return minimum + static_cast<int>(int64_t(maximum - minimum) * (clamped - trackStart) / (trackEnd - trackStart));
}

int CTXSliderObj::Value() const {
    return ValueAt(GetStateRect().left);
}

bool CTXSliderObj::OnMouseEnter() {
    ChangeState(hvstate::kOver);
    return HVObj::OnMouseEnter();
}

bool CTXSliderObj::OnMouseLeave(HVObj* next) {
    ChangeState(hvstate::kDefault);
    return HVObj::OnMouseLeave(next);
}

bool CTXSliderObj::OnDrag(int, int, int deltaX, int) {
    if (!locked) MoveKnobTo(GetStateRect().left + deltaX);
    return true;
}

void CTXSliderObj::MoveKnobTo(int x) {
    const int newX = std::clamp(x, std::min(trackStart, trackEnd), std::max(trackStart, trackEnd));
    if (!deferred) Report(ValueAt(newX));
    Move(newX, GetStateRect().top);
}

bool CTXSliderObj::OnDragEnd() {
    if (deferred) Report(Value());
    return HVObj::OnDragEnd();
}

bool CTXSliderObj::OnKeyDown(unsigned key, uint32_t data) {
    if (ControlEvents* events = GetControlEvents(); events && events->OnKey(this, key)) return true;
    return HVObj::OnKeyDown(key, data);
}

void CTXSliderObj::StepTo(int newValue) {
    const int clamped = std::clamp(newValue, std::min(minimum, maximum), std::max(minimum, maximum));
    Report(clamped);
    Move(PositionOf(clamped), GetStateRect().top);
}

void CTXSliderObj::Report(int reported) {
    value = reported;
    if (ControlEvents* events = GetControlEvents()) events->OnSliderValue(this, commandId, reported);
}
