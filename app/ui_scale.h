#pragma once

// The UI scale factor: every design size (pixels at 96 dpi, for an 800 x 600 window) is multiplied
// by it. It follows the screen's dpi, shrunk so that the window fits the screen width and the screen
// height less a 72-pixel reserve (scaled with the dpi) for the task bar.
double ComputeUiScale(int dpi, int screenWidth, int screenHeight);
