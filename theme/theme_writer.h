#pragma once
// Writes a theme in the version 2003 layout, uncompressed: the header, then the data block with
// the six texts, the stored cursors (scales ascending), the click effects (keys 0 to 8), the
// sounds (keys 0 to 8) and the trails (keys 0 to 2). Only animations whose image state exists,
// has a bitmap and has a name (other than "NA") are written; hot spots are written relative to
// the image as it is now, so a state that grew by a shadow margin keeps its hot spot in place.
#include <cstdint>
#include <string>
#include <vector>

#include "theme/theme.h"

// Appends the whole file to out. False (out untouched, reason set) when the data block would not
// fit the format's 32-bit sizes.
bool WriteThemeBytes(const CTheme& theme, std::vector<uint8_t>& out, std::string* reason = nullptr);
