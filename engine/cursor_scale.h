#pragma once
// The display scale the engine draws the pointers for: the size the system gives its own cursors,
// against the 32 pixels of a cursor at scale 1. The system's cursors grow with the dots per inch
// and with the user's cursor size; the theme is rescaled to match, as the settings window rescales
// its previews to its own scale.
struct CursorScaleInputs {
    int dpi = 96;               // of the primary display (the process is aware of it)
    int systemCursorSize = 32;  // the width the system gives a cursor (0 when unknown)
    int baseSize = 0;           // the user's cursor size at 96 dpi, 0 when none is set
};

// Never below 1/4 or above 8, whatever the inputs; 1 for inputs that make no sense.
double CursorScale(const CursorScaleInputs& inputs);
