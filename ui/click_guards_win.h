#pragma once
// The click guards of the window's lists, on the system's 64-bit tick count (ms):
// - a second click on a selection bar within 500 ms of the last list click applies the choice;
// - the theme commands of the selection bar's buttons run only more than 749 ms after the last
//   list click, so that the second click of a row click's gesture does not hit a button that the
//   selection bar just moved under the pointer.
#include <windows.h>

constexpr ULONGLONG kDoubleClickWindowMs = 500;
constexpr ULONGLONG kSlowClickGuardMs = 749;

// Sets the last-click time to now.
void RecordListClick();
// Less than 500 ms since the last list click.
bool IsSecondClick();
// More than 749 ms since the last list click.
bool SlowClickAllowed();

// The clock the guards read; tests put their own in place (null restores the system's).
using ClickClock = ULONGLONG (*)();
void SetClickClock(ClickClock clock);
ULONGLONG ClickNow();
