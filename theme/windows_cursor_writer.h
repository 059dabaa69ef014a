#pragma once
// Windows cursor files from rendered cursors: a ".cur" for a still cursor, an ".ani" for an
// animated one. The engine writes every cursor it builds with these and loads it back from the
// file; the theme tool's export-windows writes a whole scheme with them. Portable: no Win32 call.
#include <cstdint>
#include <string>
#include <vector>

#include "theme/cursor_render.h"

// Animated cursors count time in jiffies (1/60 s). The duration of each step of one pass in
// jiffies: a step whose milliseconds are a whole number of jiffies keeps it exactly; otherwise each
// frame change lands within one jiffy of its time, the rounding carried from step to step so that
// a pass never drifts by more than a jiffy.
// A step that ends within the jiffy its predecessor ends in (one shorter than a jiffy, at most)
// gets 0: a file cannot show a frame for no time, so it leaves such a step out, and the next
// frame comes on time instead. A whole pass shorter than half a jiffy gives its first step 1.
std::vector<uint32_t> StepsInJiffies(const std::vector<CursorStep>& steps);

// A still cursor is a ".cur" of one 32-bit image with straight alpha and its mask, the hot spot
// in its directory entry. An animated one is an ".ani" whose "rate" and "seq " chunks play the
// steps (0 jiffies left out, neighbours showing the same frame joined, at most
// decoders::kMaxAniSteps of them) and whose frames are the strip's, each a whole ".cur". A loop
// is written as the fewest passes that take a whole number of jiffies (up to 50, as many as fit),
// the rounding carried through them, so that it never drifts as it repeats. An ".ani" always
// starts over: an animation that does not loop is one pass whose last step stays eight hours.
//
// ".cur" when the cursor is still (one step, or every step showing the same frame), else ".ani".
const char* WindowsCursorExtension(const RenderedCursor& cursor);

// The bytes of the cursor's file (see WindowsCursorExtension for which kind). False, with a
// one-line reason, when the cursor cannot be written (no frames, a size a cursor file cannot hold).
bool EncodeWindowsCursor(const RenderedCursor& cursor, std::vector<uint8_t>& bytes, std::string& reason);
