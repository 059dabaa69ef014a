#include "engine/cursor_scale_win.h"

#include <windows.h>

#include "services/settings_win.h"

CursorScaleInputs ReadCursorScaleInputs() {
    CursorScaleInputs inputs;
    // GetDpiForSystem where the system has it; the screen's logical pixels otherwise.
    using DpiForSystem = UINT(WINAPI*)();
    static const auto dpiForSystem =
        reinterpret_cast<DpiForSystem>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForSystem"));
    inputs.dpi = dpiForSystem ? int(dpiForSystem()) : 0;
    if (inputs.dpi <= 0) {
        HDC screen = GetDC(nullptr);
        inputs.dpi = GetDeviceCaps(screen, LOGPIXELSX);
        ReleaseDC(nullptr, screen);
    }
    inputs.systemCursorSize = GetSystemMetrics(SM_CXCURSOR);
    int32_t base = 0;
    if (ReadDwordSetting(base, HKEY_CURRENT_USER, L"Control Panel\\Cursors", L"CursorBaseSize", 0))
        inputs.baseSize = base;
    return inputs;
}
