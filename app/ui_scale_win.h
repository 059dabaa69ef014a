#pragma once

// UiScale for the primary screen (its dpi and size).
double ScreenUiScale();
