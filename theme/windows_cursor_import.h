#pragma once
// Turns one Windows cursor file (.cur, .ico or .ani) into cursors of a theme: one stored cursor
// per image size, at scale size ÷ 32, as the role's normal cursor (event 1, variant 1, looping, as
// the earlier-format import makes them). An animated cursor becomes a strip of its frames with a
// frame script that plays its steps with their delays.
#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "graphics/decoders/ani_decoder.h"

class CTheme;

// Adds the cursors of the file's bytes for role, and for partnerRole unless it is -1; scales
// receives every scale added. False with a one-line reason (and nothing added) when the file does
// not decode or its frames share no image size.
bool TryAddWindowsCursor(CTheme& theme, const std::vector<uint8_t>& bytes, int role, int partnerRole,
                         std::set<double>& scales, std::string& reason);

// The frame script of the steps: one statement "frame,milliseconds" per step that lasts at all,
// frames counted from 1. Step k ends at ceil(J × 1000 / 60) ms, J the jiffies of steps 1 to k, so
// at every whole millisecond the frame shown is the one exact timing shows. When a pass of all
// steps is not a whole number of milliseconds, three passes are written, which are. Empty when
// the steps last no time at all.
std::wstring AniFrameScript(const std::vector<decoders::AniStep>& steps);
