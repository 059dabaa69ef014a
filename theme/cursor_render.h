#pragma once
// A theme's pointer as a program outside the settings window shows it: the frames drawn at one
// display scale with the user's appearance options, the hot spot carried through every step of
// that drawing, and one pass of the animation as a list of steps. The engine builds its system
// cursors from it and the theme tool's exports write it to cursor files, so that every output of
// a theme has the same pixels, hot spots and timing.
#include <cstdint>
#include <string>
#include <vector>

#include "graphics/cursor_appearance.h"
#include "theme/theme.h"

// One step of an animation: a frame (0-based, into RenderedCursor::frames) shown for a time.
struct CursorStep {
    int frame = 0;
    int64_t milliseconds = 0;
};

// One pass of an animation as its image state plays it (the themes panel and the options preview
// show the same order and timing):
//  - a frame script: its runs in order, nested repeat groups once each (a group plays once per
//    pass of its parent), runs of 0 ms left out; the pass repeats for ever;
//  - an even animation of two or more frames: every frame for the interval (at least 1 ms); it
//    repeats when the animation loops, else the last frame stays;
//  - a still image: one step of 0 ms that stays.
// Frames past the strip are held to its last frame, and a reversed animation counts its frames
// from the end, as the image state does.
struct CursorTiming {
    std::vector<CursorStep> steps;
    bool loops = false;  // false: the last step stays once reached
};
CursorTiming CursorAnimationSteps(const CAnimation& animation, int frameCount);

// Rescales a theme just loaded (or reloaded) for the display scale that output is drawn for. A
// theme read from a file counts as being at scale 1, where CTheme::Rescale(1) would change nothing
// and a cursor stored at other scales only would be missing or drawn unscaled: no scale counts as
// current before the rescale, so every cursor the target lacks is derived.
void RescaleLoadedTheme(CTheme& theme, double scale);

// A cursor drawn for output. Pixels are straight (not premultiplied) 32-bit BGRA, top row first,
// one vector per frame of the strip.
struct RenderedCursor {
    int width = 0;  // of one frame
    int height = 0;
    int hotSpotX = 0;  // inside the frame (held to its edges)
    int hotSpotY = 0;
    std::vector<std::vector<uint8_t>> frames;
    CursorTiming timing;
};

// Draws a cursor as it stands (the caller picks the scale: CTheme::Rescale, then FindCursor) with
// the appearance options: the same operations in the same order as the settings window's preview,
// then the appearance's opacity multiplied into the alpha, since a file or system cursor has no
// opacity of its own. The hot spot follows the mirror, the size and the shadow's margins. False,
// with a one-line reason, for a cursor without an image of its own (a standard one, say) or one
// that cannot be drawn at that size.
bool RenderCursor(const CCursor& cursor, const CursorAppearance& appearance, RenderedCursor& out, std::string& reason);
