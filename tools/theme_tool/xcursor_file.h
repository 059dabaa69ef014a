#pragma once
// X cursor files: every nominal size of one cursor, each size one image per step of its animation
// with the step's delay, the pixels premultiplied ARGB as X cursor readers expect. The files are
// written by libXcursor.
#include <cstdint>
#include <string>
#include <vector>

#include "theme/cursor_render.h"

// A cursor drawn for one nominal size.
struct XcursorSize {
    int nominal = 0;
    RenderedCursor cursor;
};

// An X cursor animation always starts over. A cursor whose last frame stays (an animation that
// does not loop) holds that frame this long, a day, before it starts again.
constexpr uint32_t kXcursorHoldMilliseconds = 24u * 60 * 60 * 1000;

// Readers add up the delays of one size in 32 bits (some as signed numbers); a pass longer than
// this is refused rather than written as a sum that wraps.
constexpr uint64_t kXcursorMaxPassMilliseconds = 0x7FFFFFFF;

// The delay of each step as the file holds it: the step's milliseconds, the last step held when the
// animation does not loop.
std::vector<uint32_t> XcursorDelays(const CursorTiming& timing);

// The pixel bytes a file of these sizes holds: one image per step of each size.
uint64_t XcursorPixelBytes(const std::vector<XcursorSize>& sizes);

// Straight BGRA to premultiplied ARGB, one 32-bit value per pixel, rounded to the nearest level.
uint32_t PremultipliedArgb(const uint8_t* bgra);

// Writes the file at path (replacing one there). False with a one-line reason when a size has no
// steps, an image is larger than the format allows, a pass is longer than readers can count, or the
// write fails.
bool WriteXcursorFile(const std::string& path, const std::vector<XcursorSize>& sizes, std::string& reason);
