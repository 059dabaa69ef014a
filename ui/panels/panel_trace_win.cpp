#include "ui/panels/panel_trace_win.h"

#include <windows.h>

void PanelTrace(const std::string& line) {
    const std::string text = "morvanta: " + line + "\n";
    OutputDebugStringA(text.c_str());
}
