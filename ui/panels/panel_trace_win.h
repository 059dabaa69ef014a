#pragma once
// Diagnostics of the effects, sounds and trails panels: one line per notable event (a list filled,
// a trail sprite made, the preview switched), sent to the debugger with OutputDebugString. Wine
// prints the lines when its debugstr channel is on; the scenario tests read them there. A filled
// list's line gives its kind and row count, then the name of each file row after a "|".
#include <string>

// Sends "morvanta: " + line; UTF-8 text.
void PanelTrace(const std::string& line);
