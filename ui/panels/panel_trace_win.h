#pragma once
// Diagnostics of the effects, sounds and trails panels: one line per notable event (a list filled,
// a trail sprite made, the preview switched), sent to the debugger with OutputDebugString. Wine
// prints the lines when its debugstr channel is on; the scenario tests read them there. A filled
// list's line gives its kind and row count, then the name of each file row after a "|".
#include <initializer_list>
#include <string>
#include <utility>

// Sends "morvanta: " + line; UTF-8 text.
void PanelTrace(const std::string& line);

class HVObj;

// How long the process has run, in milliseconds (-1 when the system cannot tell): the start-up
// figures of the diagnostic lines.
long long MillisecondsSinceProcessStart();

// "name part x y ... since-start-ms N": where each part's box lies in the window's client area,
// for the scenario tests.
void TraceLayout(const std::string& name, std::initializer_list<std::pair<const char*, HVObj*>> parts);
