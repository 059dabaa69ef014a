#include "graphics/hv_trail_win.h"

#include "graphics/hv_trail.h"

namespace {

HWND gTrailWindow = nullptr;

void PostFinishedSprite(CHVTrail* sprite) {
    if (gTrailWindow) PostMessageW(gTrailWindow, WM_NULL, kHVTrailFinished, reinterpret_cast<LPARAM>(sprite));
}

}  // namespace

void PostTrailEndsTo(HWND window) {
    gTrailWindow = window;
    SetTrailEndHandler(window ? &PostFinishedSprite : nullptr);
}
