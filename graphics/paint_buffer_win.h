#pragma once
// The shared off-screen bitmap that every window of the library paints through, so that a repaint
// reaches the screen in one transfer, without flicker. It grows lazily (to 110 % of what a paint
// needs, so that slightly larger paints do not reallocate) and is freed by a 2-second thread timer
// that is started when it is made, unless a paint is under way when the timer fires.
#include <windows.h>

class HVBitmap;

namespace paintbuffer {

constexpr UINT kReleaseAfterMs = 2000;

// A bitmap at least width x height (holding one reference for the buffer); marks a paint as under
// way until EndPaint. Null when the bitmap cannot be made.
HVBitmap* BeginPaint(int width, int height);
void EndPaint();

// The current size (0 x 0 when freed), for tests and benchmarks.
SIZE Size();
// Frees the bitmap now unless a paint is under way.
void Release();

}  // namespace paintbuffer
