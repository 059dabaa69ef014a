#pragma once
// A fingerprint of everything a cursor file is made from: the cursor's image (its pixels, size,
// frames and trims), its hot spot and animation, the appearance it is drawn with, and a salt the
// program gives (its own build, so that a new engine never reuses the files of an older one).
// Equal fingerprints give equal files, so a reload rewrites, and the system reloads, only the
// cursors that changed.
#include <cstdint>

#include "graphics/cursor_appearance.h"
#include "theme/theme.h"

uint64_t CursorFingerprint(const CCursor& cursor, const CursorAppearance& look, uint64_t salt);
