#pragma once
#include "engine/cursor_scale.h"

// The primary display's dots per inch, the system's cursor width and the user's cursor size
// (read from the user's cursor settings, which the engine never writes).
CursorScaleInputs ReadCursorScaleInputs();
