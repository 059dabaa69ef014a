// wineprobe.exe's commands for the engine's tests: find the engine's window, send it messages as
// the settings tool does (and in the order a busy engine sees them), read a cursor file as the
// system loads it, and hold a hot key as another program would.
#include "tests/wine/probe/engine_probe_win.h"

#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr wchar_t kEngineClass[] = L"Tolvaris";
constexpr UINT kSettingsChanged = WM_USER + 9;
constexpr UINT kReload = WM_USER + 7;

void Print(const std::string& line) {
    std::fwrite(line.data(), 1, line.size(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

HWND Handle(const wchar_t* text) {
    return reinterpret_cast<HWND>(uintptr_t(_wcstoui64(text, nullptr, 10)));
}

std::vector<HWND> EngineWindows() {
    std::vector<HWND> found;
    HWND window = nullptr;
    while ((window = FindWindowExW(nullptr, window, kEngineClass, nullptr)) != nullptr) found.push_back(window);
    return found;
}

// engine-window [SECONDS]: the engine's window once there is one, and how many there are.
int EngineWindow(int argc, wchar_t** argv) {
    const double seconds = argc > 2 ? _wtof(argv[2]) : 10;
    const ULONGLONG deadline = GetTickCount64() + ULONGLONG(seconds * 1000);
    std::vector<HWND> windows;
    while ((windows = EngineWindows()).empty() && GetTickCount64() < deadline) Sleep(50);
    if (windows.empty()) return 1;
    DWORD pid = 0;
    GetWindowThreadProcessId(windows[0], &pid);
    Print("{\"hwnd\":" + std::to_string(reinterpret_cast<uintptr_t>(windows[0])) + ",\"pid\":" + std::to_string(pid) +
          ",\"count\":" + std::to_string(windows.size()) +
          ",\"visible\":" + (IsWindowVisible(windows[0]) ? "true" : "false") + "}");
    return 0;
}

// engine-gone SECONDS: no engine window is left (exit 0), or one still is after the time (1).
int EngineGone(int argc, wchar_t** argv) {
    const double seconds = argc > 2 ? _wtof(argv[2]) : 10;
    const ULONGLONG deadline = GetTickCount64() + ULONGLONG(seconds * 1000);
    while (!EngineWindows().empty()) {
        if (GetTickCount64() >= deadline) return 1;
        Sleep(50);
    }
    return 0;
}

// reversed-reload HWND: the settings tool's "settings changing" (posted) and "reload" (sent) while
// the engine is busy with an earlier reload: the sent reload overtakes the posted pause, so the
// engine sees the pause after the reload that followed it.
int ReversedReload(int argc, wchar_t** argv) {
    if (argc < 3) return 2;
    HWND window = Handle(argv[2]);
    if (!SendNotifyMessageW(window, kReload, 0, 0)) return 1;  // the earlier reload: busy now
    Sleep(1);
    PostMessageW(window, kSettingsChanged, 0, 0);
    DWORD_PTR answer = 0;
    if (!SendMessageTimeoutW(window, kReload, 0, 0, SMTO_ABORTIFHUNG, 20000, &answer)) return 1;
    Print("{\"sent\":true}");
    return 0;
}

struct CursorShape {
    int width = 0, height = 0, hotX = 0, hotY = 0;
};

bool Shape(HCURSOR cursor, CursorShape& shape) {
    ICONINFO info = {};
    if (!GetIconInfo(cursor, &info)) return false;
    BITMAP bitmap = {};
    if (info.hbmColor && GetObjectW(info.hbmColor, sizeof bitmap, &bitmap)) {
        shape.width = bitmap.bmWidth;
        shape.height = bitmap.bmHeight;
    } else if (info.hbmMask && GetObjectW(info.hbmMask, sizeof bitmap, &bitmap)) {
        shape.width = bitmap.bmWidth;
        shape.height = bitmap.bmHeight / 2;  // a monochrome cursor's mask holds both halves
    }
    shape.hotX = int(info.xHotspot);
    shape.hotY = int(info.yHotspot);
    if (info.hbmColor) DeleteObject(info.hbmColor);
    if (info.hbmMask) DeleteObject(info.hbmMask);
    return true;
}

std::string ShapeJson(const CursorShape& shape) {
    return "{\"width\":" + std::to_string(shape.width) + ",\"height\":" + std::to_string(shape.height) +
           ",\"hotX\":" + std::to_string(shape.hotX) + ",\"hotY\":" + std::to_string(shape.hotY) + "}";
}

// cursor-file PATH: the file as the system loads it: with LoadCursorFromFileW (at the system's
// default size) and at its own size, as the engine loads it (the size and hot spot GetIconInfo
// gives for each).
int CursorFile(int argc, wchar_t** argv) {
    if (argc < 3) return 2;
    HCURSOR byDefault = LoadCursorFromFileW(argv[2]);
    HCURSOR own = static_cast<HCURSOR>(LoadImageW(nullptr, argv[2], IMAGE_CURSOR, 0, 0, LR_LOADFROMFILE));
    CursorShape defaultShape, ownShape;
    const bool defaultRead = byDefault && Shape(byDefault, defaultShape);
    const bool ownRead = own && Shape(own, ownShape);
    Print(std::string("{\"loads\":") + (defaultRead ? "true" : "false") + ",\"default\":" + ShapeJson(defaultShape) +
          ",\"ownLoads\":" + (ownRead ? "true" : "false") + ",\"own\":" + ShapeJson(ownShape) + "}");
    if (byDefault) DestroyCursor(byDefault);
    if (own) DestroyCursor(own);
    return defaultRead && ownRead ? 0 : 1;
}

// hold-hotkey VALUE SECONDS: registers the hot key (the hot-key control's format) as another
// program would, and keeps it that long.
int HoldHotKey(int argc, wchar_t** argv) {
    if (argc < 4) return 2;
    const int value = _wtoi(argv[2]);
    const UINT flags = UINT(value) >> 8;
    UINT modifiers = 0;
    if (flags & HOTKEYF_SHIFT) modifiers |= MOD_SHIFT;
    if (flags & HOTKEYF_CONTROL) modifiers |= MOD_CONTROL;
    if (flags & HOTKEYF_ALT) modifiers |= MOD_ALT;
    if (!RegisterHotKey(nullptr, 1, modifiers, UINT(value) & 0xFF)) {
        Print("{\"held\":false}");
        return 1;
    }
    Print("{\"held\":true}");
    Sleep(DWORD(_wtof(argv[3]) * 1000));
    UnregisterHotKey(nullptr, 1);
    return 0;
}

}  // namespace

bool RunEngineCommand(const std::wstring& command, int argc, wchar_t** argv, int& exitCode) {
    if (command == L"engine-window")
        exitCode = EngineWindow(argc, argv);
    else if (command == L"engine-gone")
        exitCode = EngineGone(argc, argv);
    else if (command == L"reversed-reload")
        exitCode = ReversedReload(argc, argv);
    else if (command == L"cursor-file")
        exitCode = CursorFile(argc, argv);
    else if (command == L"hold-hotkey")
        exitCode = HoldHotKey(argc, argv);
    else
        return false;
    return true;
}
