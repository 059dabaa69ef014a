#include "ui/click_guards_win.h"

#include "ui/window_state_win.h"

namespace {

ClickClock gClock = nullptr;

}  // namespace

void SetClickClock(ClickClock clock) {
    gClock = clock;
}

ULONGLONG ClickNow() {
    return gClock ? gClock() : GetTickCount64();
}

void RecordListClick() {
    gUi.lastClickTime = ClickNow();
}

bool IsSecondClick() {
    return ClickNow() - gUi.lastClickTime < kDoubleClickWindowMs;
}

bool SlowClickAllowed() {
    return ClickNow() - gUi.lastClickTime > kSlowClickGuardMs;
}
