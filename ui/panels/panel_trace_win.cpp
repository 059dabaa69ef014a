#include "ui/panels/panel_trace_win.h"

#include <windows.h>

#include "graphics/hv_obj.h"

void PanelTrace(const std::string& line) {
    const std::string text = "morvanta: " + line + "\n";
    OutputDebugStringA(text.c_str());
}

long long MillisecondsSinceProcessStart() {
    FILETIME created, exited, kernel, user, now;
    if (!GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user)) return -1;
    GetSystemTimeAsFileTime(&now);
    const auto ticks = [](const FILETIME& t) { return (ULONGLONG(t.dwHighDateTime) << 32) | t.dwLowDateTime; };
    return static_cast<long long>((ticks(now) - ticks(created)) / 10000);
}

void TraceLayout(const std::string& name, std::initializer_list<std::pair<const char*, HVObj*>> parts) {
    std::string line = name;
    for (const auto& [part, object] : parts) {
        int x = 0, y = 0;
        object->LocalOrigin(&x, &y);
        line += std::string(" ") + part + " " + std::to_string(x) + " " + std::to_string(y);
    }
    PanelTrace(line + " since-start-ms " + std::to_string(MillisecondsSinceProcessStart()));
}
