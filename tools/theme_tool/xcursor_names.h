#pragma once
// The names X cursor themes give the theme's pointer roles: the file each role is written to (the
// name current desktops look up) and the older names that desktops and programs still ask for,
// written as symbolic links to that file.
#include <cstdint>

constexpr int kXcursorMaxLinks = 8;

struct XcursorRoleNames {
    const char* file;
    const char* links[kXcursorMaxLinks];  // up to the first null
};

// The names of a pointer role, 0 to 19.
const XcursorRoleNames& XcursorNamesOf(uint32_t role);
